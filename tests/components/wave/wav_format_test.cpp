// ParseWav: what the player accepts, and that no damaged image makes it read outside the buffer.
#include "components/wave/wav_format.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace verdal {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& b, std::size_t at, std::uint32_t v, int width) {
  for (int i = 0; i < width; ++i) b[at + i] = (v >> (8 * i)) & 0xff;
}
void Put16(Bytes& b, std::size_t at, std::uint16_t v) { Put(b, at, v, 2); }
void Put32(Bytes& b, std::size_t at, std::uint32_t v) { Put(b, at, v, 4); }

// A canonical 44-byte header followed by dataSize bytes of samples.
Bytes Wav(std::size_t dataSize, int channels = 1, int bits = 16, int rate = 22050) {
  Bytes b(44 + dataSize, 0x11);
  std::copy_n("RIFF", 4, b.begin());
  Put32(b, 4, static_cast<std::uint32_t>(36 + dataSize));
  std::copy_n("WAVEfmt ", 8, b.begin() + 8);
  Put32(b, 16, 16);
  Put16(b, 20, 1);
  Put16(b, 22, static_cast<std::uint16_t>(channels));
  Put32(b, 24, static_cast<std::uint32_t>(rate));
  Put32(b, 28, static_cast<std::uint32_t>(rate * channels * bits / 8));
  Put16(b, 32, static_cast<std::uint16_t>(channels * bits / 8));
  Put16(b, 34, static_cast<std::uint16_t>(bits));
  std::copy_n("data", 4, b.begin() + 36);
  Put32(b, 40, static_cast<std::uint32_t>(dataSize));
  return b;
}

TEST(WavFormatTest, AcceptsPcmMonoAndStereoIn8And16Bits) {
  for (int channels : {1, 2}) {
    for (int bits : {8, 16}) {
      auto format = ParseWav(Wav(400, channels, bits, 11025));
      ASSERT_TRUE(format) << channels << " " << bits;
      EXPECT_EQ(format->channels, channels);
      EXPECT_EQ(format->bitsPerSample, bits);
      EXPECT_EQ(format->sampleRate, 11025);
      EXPECT_EQ(format->dataOffset, 44u);
      EXPECT_EQ(format->dataSize, 400u);
    }
  }
  auto format = ParseWav(Wav(7, 2, 16));  // one whole 4-byte stereo frame and a piece
  ASSERT_TRUE(format);
  EXPECT_EQ(format->dataSize, 4u);
  format = ParseWav(Wav(7, 1, 8));  // odd data chunk, its pad byte missing at the very end
  ASSERT_TRUE(format);
  EXPECT_EQ(format->dataSize, 7u);
}

TEST(WavFormatTest, SkipsOtherChunksWithTheirPadByte) {
  auto wav = Wav(10);
  // A 3-byte "LIST" chunk (plus pad byte) between "fmt " and "data".
  Bytes list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  wav.insert(wav.begin() + 36, list.begin(), list.end());
  Put32(wav, 4, static_cast<std::uint32_t>(wav.size() - 8));
  auto format = ParseWav(wav);
  ASSERT_TRUE(format);
  EXPECT_EQ(format->dataOffset, 56u);
  EXPECT_EQ(format->dataSize, 10u);
}

TEST(WavFormatTest, RefusesDamagedOrUnplayableImages) {
  EXPECT_FALSE(ParseWav({}));
  EXPECT_FALSE(ParseWav(Wav(0))) << "no samples";
  EXPECT_FALSE(ParseWav(Wav(3, 2, 16))) << "less than one frame";
  using Change = void (*)(Bytes&);
  const std::pair<const char*, Change> changes[] = {
      {"RIFF header only", [](Bytes& w) { w.resize(12); }},
      {"truncated in the data chunk", [](Bytes& w) { w.resize(60); }},
      {"not RIFF", [](Bytes& w) { w[0] = 'X'; }},
      {"not WAVE", [](Bytes& w) { w[8] = 'X'; }},
      {"RIFF size past the end", [](Bytes& w) { Put32(w, 4, 37 + 100); }},
      {"RIFF size huge", [](Bytes& w) { Put32(w, 4, 0xffffffff); }},
      {"data size past the end", [](Bytes& w) { Put32(w, 40, 101); }},
      {"data size huge", [](Bytes& w) { Put32(w, 40, 0xfffffff0); }},
      {"fmt size past the end", [](Bytes& w) { Put32(w, 16, 0x7fffffff); }},
      {"fmt too short", [](Bytes& w) { Put32(w, 16, 14); }},
      {"not PCM (IEEE float)", [](Bytes& w) { Put16(w, 20, 3); }},
      {"not PCM (ADPCM)", [](Bytes& w) { Put16(w, 20, 2); }},
      {"24 bits", [](Bytes& w) { Put16(w, 34, 24), Put16(w, 32, 3); }},
      {"no channel", [](Bytes& w) { Put16(w, 22, 0); }},
      {"six channels", [](Bytes& w) { Put16(w, 22, 6), Put16(w, 32, 12); }},
      {"zero rate", [](Bytes& w) { Put32(w, 24, 0); }},
      {"block align wrong", [](Bytes& w) { Put16(w, 32, 4); }},
      {"data before fmt",
       [](Bytes& w) { std::copy_n("data", 4, &w[12]), std::copy_n("fmt ", 4, &w[36]); }},
  };
  for (const auto& [what, change] : changes) {
    auto wav = Wav(100);
    change(wav);
    EXPECT_FALSE(ParseWav(wav)) << what;
  }
}

// Every truncation and many random byte changes of a real clip: the checker must answer
// without reading outside the image (the address sanitizer watches), and whatever it
// accepts must lie inside the image.
TEST(WavFormatTest, SurvivesTruncationsAndMutations) {
  std::ifstream file(VERDAL_SOUNDS_DIR "/Wave_jaune.wav", std::ios::binary);
  Bytes clip{std::istreambuf_iterator<char>(file), {}};
  ASSERT_GT(clip.size(), 44u);
  ASSERT_TRUE(ParseWav(clip));

  auto check = [](const Bytes& image) {
    // A copy of exactly the image's size, so that any overrun is outside the allocation.
    auto exact = std::make_unique<std::uint8_t[]>(image.size());
    std::copy(image.begin(), image.end(), exact.get());
    auto format = ParseWav({exact.get(), image.size()});
    EXPECT_TRUE(!format ||
                (format->dataSize > 0 && format->dataOffset + format->dataSize <= image.size()));
  };
  for (std::size_t size = 0; size <= 200; ++size) {
    check({clip.begin(), clip.begin() + static_cast<std::ptrdiff_t>(size)});
  }
  std::mt19937 random(20260);
  for (int round = 0; round < 20000; ++round) {
    Bytes image(clip.begin(), clip.begin() + 44 + random() % 64);
    int changes = 1 + random() % 4;
    for (int i = 0; i < changes; ++i) {
      std::size_t at = random() % 44;
      image[at] = random() % 4 == 0 ? 0xff : static_cast<std::uint8_t>(random());
    }
    check(image);
  }
}

}  // namespace
}  // namespace verdal
