// The five screens in the order the program creates them; a screen whose library is not
// part of the build is left out.
#include "common/messages.h"
#include "screens/program/start_up.h"
#include "screens/setup/form_debut.h"
#include "screens/support/full_screen.h"
#include "screens/welcome/form_premiere.h"
#if VERDAL_HAS_GAME_SCREEN
#include "screens/game/form_jeu6.h"
#endif
#if VERDAL_HAS_SETTINGS_SCREEN
#include "screens/settings/form_param.h"
#endif
#if VERDAL_HAS_HELP_SCREEN
#include "screens/help/form_aide.h"
#endif

namespace verdal {
namespace {

// A screen whose creation work is its FormCreate, run apart so that its error is shown
// and the screen is still made.
template <class Screen>
std::unique_ptr<QWidget> Created() {
  auto screen = std::make_unique<Screen>();
  ReportErrors([&] { screen->FormCreate(); });
  return screen;
}

template <class Screen>
std::unique_ptr<QWidget> Made() {
  return std::make_unique<Screen>();
}

std::unique_ptr<QWidget> Welcome() {
  auto screen = Created<TForm_premiere>();
  ShowFullScreen(*screen);
  screen->repaint();
  return screen;
}

}  // namespace

// clang-format off
std::vector<ScreenMaker> ProgramScreens() {
  return {
      Welcome,
      Created<TForm_debut>,
#if VERDAL_HAS_GAME_SCREEN
      Made<TForm_jeu6>,  // its creation work runs in its constructor
#endif
#if VERDAL_HAS_SETTINGS_SCREEN
      Created<TForm_param>,
#endif
#if VERDAL_HAS_HELP_SCREEN
      Made<TForm_aide>,
#endif
  };
  // clang-format on
}

}  // namespace verdal
