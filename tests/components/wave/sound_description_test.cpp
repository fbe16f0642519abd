// The game screen's sound part, made at build time, gives back the two clips byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "assets/sounds/form_jeu6_sounds.h"
#include "components/description/description.h"
#include "components/wave/wav_format.h"
#include "components/wave/wave.h"

namespace verdal {
namespace {

std::vector<std::uint8_t> ReadClip(const char* name) {
  std::ifstream file(std::string(VERDAL_SOUNDS_DIR "/") + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

TEST(SoundDescriptionTest, FillsBothCuesWithTheirClips) {
  auto records = ReadComponents(Form_jeu6SoundDescription());
  ASSERT_EQ(records.size(), 2u);
  for (const char* name : {"Wave_jaune", "Wave_rouge"}) {
    TWave wave;
    wave.Name = name;
    LoadComponent(wave, records);
    auto clip = ReadClip((std::string(name) + ".wav").c_str());
    ASSERT_FALSE(clip.empty()) << name;
    auto held = wave.WaveData().Bytes();
    EXPECT_EQ(std::vector<std::uint8_t>(held.begin(), held.end()), clip) << name;

    // Both are what the cues were made to be: mono, 16 bits, 22,050 samples a second.
    auto format = ParseWav(held);
    ASSERT_TRUE(format) << name;
    EXPECT_EQ(format->channels, 1);
    EXPECT_EQ(format->bitsPerSample, 16);
    EXPECT_EQ(format->sampleRate, 22050);
  }
}

}  // namespace
}  // namespace verdal
