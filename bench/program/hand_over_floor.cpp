// What the welcome text's pacing costs by itself: its worker hands the UI thread a step that
// does nothing, every 10 ms, while a window of the game's size is shown on DISPLAY's X server.
// The scrolling text at rest costs this plus its own steps and paints, so the figure tells
// how much of welcome_cpu_pct any painting could ever save on the machine at hand.
// Usage: hand_over_floor SECONDS; prints "figure welcome_hand_over_cpu_pct VALUE %".
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "common/clock.h"
#include "components/cboxbmp/aiziet.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  QWidget window;
  window.setStyleSheet("background: black");
  window.resize(800, 600);
  window.show();

  std::unique_ptr<verdal::TAiziet> worker;
  worker = std::make_unique<verdal::TAiziet>(
      10, std::make_shared<verdal::SystemClock>(), [] {},
      [&window, &worker] {
        QMetaObject::invokeMethod(
            &window, [&worker] { worker->ServeStep(); }, Qt::QueuedConnection);
      });

  double cpuAtStart = 0;
  QElapsedTimer wall;
  // Two seconds for the window to settle, then the sample.
  QTimer::singleShot(2000, [&] {
    cpuAtStart = CpuSeconds();
    wall.start();
    QTimer::singleShot(seconds * 1000, [&] {
      std::printf("figure welcome_hand_over_cpu_pct %.2f %%\n",
                  100.0 * (CpuSeconds() - cpuAtStart) / (wall.nsecsElapsed() / 1e9));
      worker.reset();
      app.quit();
    });
  });
  return app.exec();
}
