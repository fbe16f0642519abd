// The five screens in the order the program creates them.
#include "common/messages.h"
#include "screens/program/start_up.h"
#include "screens/game/form_jeu6.h"
#include "screens/help/form_aide.h"
#include "screens/settings/form_param.h"
#include "screens/setup/form_debut.h"
#include "screens/support/full_screen.h"
#include "screens/welcome/form_premiere.h"

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

std::vector<ScreenMaker> ProgramScreens() {
  return {
      Welcome,
      Created<TForm_debut>,
      Made<TForm_jeu6>,  // its creation work runs in its constructor
      Created<TForm_param>,
      Made<TForm_aide>,  // nothing in its creation can fail
  };
}

}  // namespace verdal
