// Game screen figures on the real clock: how closely the animations keep their specified
// lengths and what they cost in CPU, the cost of a proposal waiting with the chronometer
// running, and the time from a key to the painted letter.
#include <time.h>

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "common/program_folder.h"
#include "game/dictionary_file.h"
#include "screens/game/form_jeu6.h"
#include "tests/game/game_files.h"

namespace verdal {
namespace {

using Steady = std::chrono::steady_clock;

double MsSince(Steady::time_point start) {
  return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Counts the paints of one cell, to be sure a timed key did reach the screen.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

class Bench {
 public:
  Bench() : folder_(dir_.Path()) {
    test::WriteBytes("mots", test::DictionaryBytes({{"BATEAU", 0}}));
    LoadDictionary();
    test::WriteBytes("data", test::SettingsBytes(test::Settings(6, 1, 2, 1, 50)));
  }

  void Animations() {
    form_.show();
    Timer()->blockSignals(true);  // no time-out may cut the animations short
    const double cpu0 = CpuMs();
    const auto wall0 = Steady::now();
    struct Part {
      const char* what;
      double specifiedMs;
      double measuredMs;
    };
    std::vector<Part> parts;
    auto start = Steady::now();
    form_.ShowProposal(1, "ZZZZZZ");
    parts.push_back({"proposal", 1200, MsSince(start)});
    start = Steady::now();
    for (int j = 1; j <= 6; ++j) form_.ShowMark(1, j, 'x');
    parts.push_back({"marks", 1800, MsSince(start)});
    start = Steady::now();
    form_.RevealAnswer(2, "BATEAU", "");
    parts.push_back({"flash", 2 * (250 + 150 * 6), MsSince(start)});
    const double cpuPct = 100 * (CpuMs() - cpu0) / MsSince(wall0);
    double worst = 0;
    for (const Part& p : parts) {
      const double error = 100 * std::abs(p.measuredMs - p.specifiedMs) / p.specifiedMs;
      std::printf("# %s: %.1f ms for %.0f ms\n", p.what, p.measuredMs, p.specifiedMs);
      worst = std::max(worst, error);
    }
    std::printf("figure deal_animation_error_pct %.2f %%\n", worst);
    std::printf("figure animation_cpu_pct %.2f %%\n", cpuPct);
    form_.hide();
    Timer()->blockSignals(false);
  }

  void Idle() {
    form_.show();  // a new match: the proposal open, the chronometer at 50 ms
    QEventLoop loop;
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    const double cpu0 = CpuMs();
    const auto wall0 = Steady::now();
    loop.exec();
    std::printf("figure game_idle_cpu_pct %.2f %%\n", 100 * (CpuMs() - cpu0) / MsSince(wall0));
    form_.hide();
  }

  void KeyToPaint() {
    std::vector<double> samples;
    PaintCounter counter;
    for (int round = 0; round < 60; ++round) {
      form_.show();
      Timer()->blockSignals(true);
      // Five letters of the proposal; the sixth would start the evaluation.
      for (int j = 1; j <= 5; ++j) {
        auto* cell = form_.findChild<QLabel*>(QStringLiteral("Panel_rep%1").arg(j));
        cell->installEventFilter(&counter);
        const int before = counter.paints;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        const auto start = Steady::now();
        QApplication::sendEvent(&form_, &press);
        QCoreApplication::processEvents();
        const double ms = MsSince(start);
        QApplication::sendEvent(&form_, &release);
        cell->removeEventFilter(&counter);
        if (counter.paints > before && cell->text() == "A") samples.push_back(ms);
      }
      form_.hide();
      Timer()->blockSignals(false);
    }
    std::sort(samples.begin(), samples.end());
    std::printf("# %zu keys painted of %d\n", samples.size(), 60 * 5);
    std::printf("figure key_to_paint_ms %.3f ms\n",
                samples.empty() ? -1 : samples[samples.size() / 2]);
  }

 private:
  QTimer* Timer() { return form_.findChild<QTimer*>(QStringLiteral("Timer1")); }

  test::TempCurrentDir dir_;
  ScopedProgramFolder folder_;
  TForm_jeu6 form_;
};

}  // namespace
}  // namespace verdal

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  verdal::Bench bench;
  bench.Animations();
  bench.Idle();
  bench.KeyToPaint();
  return 0;
}
