// The start-up sequence and the run around the message loop.
#include "screens/program/start_up.h"

#include <QApplication>

#include "common/messages.h"
#include "platform/desktop.h"
#include "platform/pointer.h"
#include "platform/task_bar.h"
#include "platform/termination_signals.h"
#include "screens/splash/splash.h"

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
  TerminationSignals termination([](int signal) {
    AppTaskBar().Show();
    QCoreApplication::exit(128 + signal);
  });
  std::optional<Screens> screens;
  try {
    screens = StartUp(makers);
  } catch (...) {
    AppTaskBar().Show();
    ReportErrors([&] { std::rethrow_exception(std::current_exception()); });
    return 1;
  }
  if (!screens) return 1;
  // Exiting before the loop runs ends nothing: a signal handled during start-up ends here.
  if (termination.Delivered()) return 128 + termination.Delivered();
  return QApplication::exec();
}

}  // namespace verdal
