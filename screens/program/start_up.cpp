// The start-up sequence and the run around the message loop.
#include "screens/program/start_up.h"

#include <QApplication>
#include <QWidget>
#include <exception>
#include <optional>

#include "common/messages.h"
#include "platform/desktop.h"
#include "platform/pointer.h"
#include "platform/task_bar.h"
#include "platform/termination_signals.h"
#include "screens/splash/splash.h"
#include "screens/support/event_wait.h"

namespace verdal {
namespace {

// The splash hides the pointer and the welcome screen shows it again; when start-up ends
// any other way, the count still goes back to where it was.
class PointerCountKeeper {
 public:
  PointerCountKeeper() : start_(AppPointer().Count()) {}
  ~PointerCountKeeper() {
    while (AppPointer().Count() < start_) AppPointer().ShowCursor(true);
  }
  PointerCountKeeper(const PointerCountKeeper&) = delete;
  PointerCountKeeper& operator=(const PointerCountKeeper&) = delete;

 private:
  int start_;
};

// Once the program is ending, a message box open now (an error of a screen's creation, say)
// or one a later error would open must not hold the way out until someone clicks it: the
// open ones close, and what the later ones would say goes to the log.
void EndMessageBoxes(std::optional<ScopedMessages>& logged) {
  static LoggedMessages log;
  if (!logged) logged.emplace(log);
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isModal() && window->isVisible()) window->close();
  }
}

}  // namespace

std::optional<Screens> StartUp(const std::vector<ScreenMaker>& makers) {
  if (AppDesktop().Size() != QSize(800, 600)) {
    AppMessages().Show(kWrongDisplayMessage);
    return std::nullopt;
  }
  PointerCountKeeper pointer;
  auto splash = std::make_unique<TFSplash>();
  splash->show();
  splash->Play();
  QApplication::setApplicationName(QStringLiteral("VERDAL"));
  Screens screens;
  for (const ScreenMaker& make : makers) screens.push_back(make());
  splash.reset();
  return screens;
}

int RunProgram(const std::vector<ScreenMaker>& makers) {
  TaskBarRestorer taskBar;
  // Only the welcome screen ends the program, whichever other windows are left.
  QApplication::setQuitOnLastWindowClosed(false);
  ApplicationRun run;
  std::optional<ScopedMessages> loggedMessages;
  TerminationSignals termination([&loggedMessages](int signal) {
    AppTaskBar().Show();
    ApplicationRun::End(128 + signal);
    EndMessageBoxes(loggedMessages);
  });
  std::optional<Screens> screens;
  std::exception_ptr failure;
  try {
    screens = StartUp(makers);
  } catch (...) {
    AppTaskBar().Show();
    failure = std::current_exception();
  }
  // A termination signal that cut the start-up short is the way out, not an error.
  termination.DeliverPending();
  if (!ApplicationRun::Ending()) {
    if (failure) {
      ReportErrors([&] { std::rethrow_exception(failure); });
      return 1;
    }
    if (!screens) return 1;
  }
  return run.Exec();
}

}  // namespace verdal
