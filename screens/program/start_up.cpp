// The start-up sequence and the run around the message loop.
#include "screens/program/start_up.h"

#include <QApplication>
#include <QTimer>

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

namespace {

// A signal handled while no message loop ran has ended none: the loop ends as soon as it
// runs, which also lets later loops run again.
int EndAtOnce(int status) {
  QTimer::singleShot(0, qApp, [status] { QCoreApplication::exit(status); });
  return QApplication::exec();
}

}  // namespace

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
    // A termination signal cuts the splash short: it is the way out, not an error.
    if (const int signal = termination.Delivered()) return EndAtOnce(128 + signal);
    ReportErrors([&] { std::rethrow_exception(std::current_exception()); });
    return 1;
  }
  if (!screens) return 1;
  if (const int signal = termination.Delivered()) return EndAtOnce(128 + signal);
  return QApplication::exec();
}

}  // namespace verdal
