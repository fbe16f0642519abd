// Program figures on a real X server (Xvfb): the start-up's own cost beyond the splash's
// scheduled 7,575 ms, and how closely each splash fade keeps its frames' schedule.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
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

#include "common/clock.h"
#include "common/program_folder.h"
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
  splash.show();
  splash.Play();
  double worst = 0;
  for (const FadeTiming& fade : splash.Timings()) {
    const double planned = fade.frames * 25.0;
    worst = std::max(worst, std::abs(double(fade.endMs - fade.startMs) - planned) / planned * 100);
  }
  std::printf("figure splash_pacing_error_pct %.2f %%\n", worst);
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
