// QtSoundPlayer: plays from memory without waiting, and stays quiet where there is no sound output.
#include "platform/qt_sound_player.h"

#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <fstream>
#include <iterator>

#include "components/wave/wave_data.h"

namespace verdal {
namespace {

std::vector<std::uint8_t> ReadClip(const char* name) {
  std::ifstream file(std::string(VERDAL_SOUNDS_DIR "/") + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

bool NoOutput() { return QMediaDevices::defaultAudioOutput().isNull(); }

int warnings = 0;

class QtSoundPlayerTest : public ::testing::Test {
 protected:
  QtSoundPlayerTest() {
    warnings = 0;
    previous_ =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
          if (type == QtWarningMsg) ++warnings;
        });
  }
  ~QtSoundPlayerTest() override { qInstallMessageHandler(previous_); }

  const std::vector<std::uint8_t> jaune = ReadClip("Wave_jaune.wav");
  const std::vector<std::uint8_t> rouge = ReadClip("Wave_rouge.wav");
  QtSoundPlayer player;

 private:
  QtMessageHandler previous_;
};

TEST_F(QtSoundPlayerTest, PlayReturnsAtOnceAndWarnsAtMostOnce) {
  ASSERT_FALSE(jaune.empty());
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < 50; ++i) player.Play(i % 2 ? rouge : jaune);
  // Fifty starts must not wait for any clip to end (each lasts about 0.2 s): a generous
  // bound that only a hang or a blocking start can break.
  EXPECT_LT(timer.elapsed(), 5000);
  EXPECT_LE(warnings, 1);
}

TEST_F(QtSoundPlayerTest, WithoutAnOutputItStaysSilent) {
  if (!NoOutput()) GTEST_SKIP() << "there is a sound output";
  player.Play(rouge);
  EXPECT_FALSE(player.IsPlaying(rouge.data()));
  EXPECT_EQ(player.SinkState(), QAudio::StoppedState);
}

TEST_F(QtSoundPlayerTest, NewPlayCutsTheOldOneEvenWhenItCannotPlay) {
  player.Play(jaune);
  player.Play(rouge);
  EXPECT_FALSE(player.IsPlaying(jaune.data()));
  EXPECT_EQ(player.IsPlaying(rouge.data()), !NoOutput());

  std::vector<std::uint8_t> broken(rouge.begin(), rouge.begin() + 40);
  player.Play(broken);
  EXPECT_FALSE(player.IsPlaying(rouge.data()));
  EXPECT_FALSE(player.IsPlaying(broken.data()));
  player.Play({});
  player.Stop();
  EXPECT_FALSE(player.IsPlaying(rouge.data()));
}

// Only where there is a sound output (a developer's desktop, or a null sink of a sound
// server): a clip plays out and the output is let go; a new clip cuts the old one off.
TEST_F(QtSoundPlayerTest, ClipsPlayOutOrAreCutOff) {
  if (NoOutput()) GTEST_SKIP() << "no sound output";
  QElapsedTimer sounding;
  auto waitUntilQuiet = [&] {
    QElapsedTimer timer;
    timer.start();
    while (player.SinkState() != QAudio::StoppedState && timer.elapsed() < 10000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return player.SinkState() == QAudio::StoppedState;
  };
  sounding.start();
  player.Play(rouge);
  EXPECT_NE(player.SinkState(), QAudio::StoppedState);
  EXPECT_TRUE(waitUntilQuiet());
  // The server takes the samples long before it has played them: the output is let go only
  // once the clip (a quarter of a second) has sounded, or its end is lost.
  EXPECT_GE(sounding.elapsed(), 125);
  EXPECT_TRUE(player.IsPlaying(rouge.data()));  // quiet, yet still holding the bytes
  // The next clip's output is opened meanwhile, and takes it at once.
  EXPECT_TRUE(player.HasOutputAhead());

  player.Play(rouge);
  QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  player.Play(jaune);
  EXPECT_FALSE(player.IsPlaying(rouge.data()));
  EXPECT_TRUE(player.IsPlaying(jaune.data()));
  EXPECT_TRUE(waitUntilQuiet());

  // A clip shorter than what a stream waits for before it starts still plays out, and so
  // does one in another format than the output opened ahead.
  std::vector<std::uint8_t> blip(jaune.begin(), jaune.begin() + 44 + 2 * 200);
  auto setLength = [&](std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) blip[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  setLength(4, static_cast<std::uint32_t>(blip.size() - 8));
  setLength(40, 2 * 200);
  player.Play(blip);
  EXPECT_EQ(player.SinkState(), QAudio::ActiveState);
  EXPECT_TRUE(waitUntilQuiet());
  setLength(24, 11025);  // the sample rate
  setLength(28, 2 * 11025);
  player.Play(blip);
  EXPECT_EQ(player.SinkState(), QAudio::ActiveState);
  EXPECT_TRUE(waitUntilQuiet());
}

TEST_F(QtSoundPlayerTest, HolderDestroyedWhilePlayingStopsItFirst) {
  if (NoOutput()) GTEST_SKIP() << "no sound output: nothing ever plays";
  ScopedSoundPlayer installed(player);
  auto data = std::make_unique<TWaveData>();
  data->SetData(static_cast<std::int32_t>(rouge.size()), rouge.data());
  const std::uint8_t* held = data->Bytes().data();
  data->Play();
  ASSERT_TRUE(player.IsPlaying(held));
  data.reset();
  EXPECT_FALSE(player.IsPlaying(held));
}

}  // namespace
}  // namespace verdal
