// Plays the clips of wrong proposals through the program's sound player, on the game's
// schedule, and prints when each mark's clip was started, for a recording to be checked
// against. Usage: sound_marks_player ROUNDS JAUNE.wav ROUGE.wav
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/clock.h"
#include "platform/qt_sound_player.h"

namespace {

std::vector<std::uint8_t> ReadClip(const char* path) {
  QFile file(QString::fromLocal8Bit(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  return {bytes.begin(), bytes.end()};
}

// Lets events through meanwhile, as the game screen's pauses do.
void Pause(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: sound_marks_player ROUNDS JAUNE.wav ROUGE.wav\n");
    return 2;
  }
  const int rounds = std::atoi(argv[1]);
  const std::vector<std::uint8_t> jaune = ReadClip(argv[2]);
  const std::vector<std::uint8_t> rouge = ReadClip(argv[3]);
  if (jaune.empty() || rouge.empty()) return 2;
  verdal::QtSoundPlayer player;
  // BAGAGE against BATEAU: red, red, absent, yellow, absent, yellow.
  const char marks[] = "rrjrjr";
  Pause(500);
  for (int round = 0; round < rounds; ++round) {
    // Six letters typed 120 ms apart, each with its tick, then laid out 200 ms each.
    for (int letter = 0; letter < 6; ++letter) {
      player.Play(jaune);
      Pause(120);
    }
    Pause(6 * 200);
    for (int column = 0; column < 6; ++column) {
      const bool red = marks[column] == 'r';
      const std::int64_t marked = verdal::AppClock().NowMs();
      player.Play(red ? rouge : jaune);
      // How long Play held the game's thread, for a late clip to be blamed on the right side.
      std::printf("mark %d %d %s %lld %lld\n", round, column, red ? "rouge" : "jaune",
                  static_cast<long long>(marked),
                  static_cast<long long>(verdal::AppClock().NowMs() - marked));
      std::fflush(stdout);
      Pause(300);
    }
    Pause(700);
  }
  Pause(500);
  return 0;
}
