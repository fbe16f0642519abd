// Program figures on a real X server (Xvfb): the start-up's own cost beyond the splash's
// scheduled 7,575 ms, and how closely each splash fade keeps its frames' schedule.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/clock.h"
#include "common/program_folder.h"
#include "components/lumofade/qt/lumo_fade_widget.h"
#include "platform/x11_surface.h"
#include "screens/program/start_up.h"
#include "screens/splash/splash.h"

extern char** environ;

namespace verdal {
namespace {

// Three 1,000 ms pauses, 51 frames of the desktop fading and four fades of 33 frames.
constexpr double kSplashScheduleMs = 3 * 1000 + 51 * 25 + 4 * 33 * 25;

// Milliseconds since this process started, from the kernel's own record of the start.
double MsSinceProcessStart() {
  std::ifstream statFile("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(statFile)), {});
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22; ++i) fields >> field;  // field 22: start time in clock ticks
  double uptime = 0;
  std::ifstream("/proc/uptime") >> uptime;
  return uptime * 1000 - std::stod(field) * 1000 / sysconf(_SC_CLK_TCK);
}

// The frames of the splash's fades and when they came. A fade paints its frames itself, outside
// any event loop, where most of the splash's other paints (its window exposed, a control's
// pending update) come from the loops of its waits and pauses. A fade is a run of paints of one
// control less than a pause apart; a run of one is the desktop painted before the first fade. A
// control that the next fade overlaps is painted once more with that fade's first frame, when
// its own last frame's time is up, so its run still spans its frames' schedule.
class FadeFrames : public QObject {
 public:
  explicit FadeFrames(QWidget& splash) {
    for (QWidget* control : splash.findChildren<LumoFadeWidget*>()) {
      control->installEventFilter(this);
    }
  }
  // The worst gap, in percent, between a fade's span and its frames' schedule.
  double WorstPacingErrorPct() const {
    double worst = 0;
    std::size_t first = 0;
    for (std::size_t i = 1; i <= frames_.size(); ++i) {
      if (i < frames_.size() && frames_[i].first == frames_[first].first &&
          frames_[i].second - frames_[i - 1].second < kRunGapMs) {
        continue;
      }
      if (i - first > 1) {
        const double planned = (i - first - 1) * 25.0;
        const double span = frames_[i - 1].second - frames_[first].second;
        worst = std::max(worst, std::abs(span - planned) / planned * 100);
      }
      first = i;
    }
    return worst;
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && QThread::currentThread()->loopLevel() == 0) {
      frames_.emplace_back(watched, AppClock().NowMs());
    }
    return false;
  }

 private:
  static constexpr std::int64_t kRunGapMs = 500;
  std::vector<std::pair<const QObject*, std::int64_t>> frames_;
};

class PaintWatch : public QObject {
 public:
  bool painted = false;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

int Measure() {
  int argc = 1;
  char name[] = "program_bench";
  char* argv[] = {name, nullptr};
  PreferX11SocketPaints();
  QApplication app(argc, argv);
  const std::filesystem::path folder(VERDAL_PROGRAM_DIR);
  ScopedProgramFolder program(folder);
  auto screens = StartUp(ProgramScreens());
  if (!screens) return 1;
  // The welcome screen shows once it repaints where the splash was.
  PaintWatch watch;
  screens->front()->installEventFilter(&watch);
  const std::int64_t until = AppClock().NowMs() + 2000;
  while (!watch.painted && AppClock().NowMs() < until) {
    QCoreApplication::processEvents();
    AppClock().SleepMs(1);
  }
  std::printf("figure startup_overhead_ms %.0f ms\n", MsSinceProcessStart() - kSplashScheduleMs);

  TFSplash splash;
  FadeFrames frames(splash);
  splash.show();
  splash.Play();
  std::printf("figure splash_pacing_error_pct %.2f %%\n", frames.WorstPacingErrorPct());
  return 0;
}

// Starts Xvfb on a free display and runs the measure in a fresh process on it, so that the
// server's own start is not counted.
int Run(const char* self) {
  int fds[2];
  if (pipe(fds) != 0) return 1;
  const pid_t xvfb = fork();
  if (xvfb == 0) {
    dup2(fds[1], 3);
    execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "800x600x24", "-nolisten", "tcp",
           static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  char number[16] = {};
  if (read(fds[0], number, sizeof number - 1) <= 0) return 1;
  std::string display = ":";
  display.append(number, std::strcspn(number, "\n"));
  setenv("DISPLAY", display.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  pid_t child = 0;
  char* argv[] = {const_cast<char*>(self), const_cast<char*>("--measure"), nullptr};
  int status = 1;
  if (posix_spawn(&child, self, nullptr, nullptr, argv, environ) == 0) {
    waitpid(child, &status, 0);
  }
  kill(xvfb, SIGTERM);
  waitpid(xvfb, nullptr, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace
}  // namespace verdal

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--measure") return verdal::Measure();
  return verdal::Run("/proc/self/exe");
}
