// TWaveData and TWave: holding, copying, storing in a screen description and playing a sound.
#include "components/wave/wave.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <numeric>

#include "assets/sounds/form_jeu6_sounds.h"
#include "common/convert_error.h"
#include "common/io_error.h"
#include "components/description/description.h"
#include "components/wave/sound_player.h"
#include "components/wave/wav_format.h"

namespace verdal {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Records what it plays. Stop reads the whole image it lets go of, as a real player might:
// under the address sanitizer that fails if the holder freed the bytes first.
class FakeSoundPlayer final : public SoundPlayer {
 public:
  void Play(std::span<const std::uint8_t> image) override {
    played.emplace_back(image.begin(), image.end());
    current = image;
  }
  void Stop() override {
    lastStoppedSum = std::accumulate(current.begin(), current.end(), 0u);
    ++stops;
    current = {};
  }
  bool IsPlaying(const std::uint8_t* image) const override {
    return image != nullptr && image == current.data();
  }

  std::vector<Bytes> played;
  std::span<const std::uint8_t> current;
  int stops = 0;
  unsigned lastStoppedSum = 0;
};

Bytes Image(std::size_t size, std::uint8_t seed = 1) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
  std::copy_n("RIFF", std::min<std::size_t>(size, 4), bytes.begin());
  return bytes;
}

Bytes Held(const TWaveData& data) { return {data.Bytes().begin(), data.Bytes().end()}; }

void Fill(TWaveData& data, const Bytes& bytes) {
  data.SetData(static_cast<std::int32_t>(bytes.size()), bytes.data());
}

class WaveTest : public ::testing::Test {
 protected:
  FakeSoundPlayer player;
  ScopedSoundPlayer installed{player};
};

TEST_F(WaveTest, StoredFormRoundTrip) {
  TWave jaune, rouge;
  jaune.Name = "Wave_jaune";
  rouge.Name = "Wave_rouge";  // empty: stores no entry
  auto image = Image(300);
  Fill(jaune.WaveData(), image);
  const Bytes bytes = WriteComponents({SaveComponent(jaune), SaveComponent(rouge)});
  // Class and name, then the entry: name length, name, kind, L = N + 4, then N and the image;
  // a zero ends each property list and the description.
  const std::string head("\x05TWave\x0aWave_jaune\x0dWaveData.Data\x0a\x30\x01\0\0\x2c\x01\0\0RIFF",
                         44);
  const std::string tail("\0\x05TWave\x0aWave_rouge\0\0", 20);
  ASSERT_EQ(bytes.size(), 40u + 300 + 20);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 44), head);
  EXPECT_EQ(std::string(bytes.end() - 20, bytes.end()), tail);

  auto records = ReadComponents(bytes);
  TWave loaded, kept;
  loaded.Name = "Wave_jaune";
  kept.Name = "Wave_rouge";
  Fill(kept.WaveData(), Image(9));  // no entry read back: the holder is left as it is
  LoadComponent(loaded, records);
  LoadComponent(kept, records);
  EXPECT_EQ(Held(loaded.WaveData()), image);
  EXPECT_EQ(Held(kept.WaveData()), Image(9));
}

TEST_F(WaveTest, DamagedDescriptionsAreReadErrors) {
  TWave wave;
  wave.Name = "Wave_jaune";
  Fill(wave.WaveData(), Image(6));
  const Bytes good = WriteComponents({SaveComponent(wave)});
  // Every truncation ends early somewhere: always an error, never a read past the end.
  for (std::size_t size = 0; size < good.size(); ++size) {
    EXPECT_THROW(ReadComponents(std::span(good).first(size)), EReadError) << size;
  }
  auto changed = [&](std::size_t at, std::uint8_t value) {
    auto bytes = good;
    bytes[at] = value;
    return bytes;
  };
  const std::size_t kind = 1 + 5 + 1 + 10 + 1 + 13;
  EXPECT_THROW(ReadComponents(changed(kind, 0x06)), EReadError);      // unknown value kind
  EXPECT_THROW(ReadComponents(changed(kind + 4, 0x80)), EReadError);  // negative length
  EXPECT_THROW(ReadComponents(changed(kind + 1, 0xff)), EReadError);  // length past the end

  // A record for another class, a missing record, an entry no property claims.
  auto records = ReadComponents(good);
  TComponent plain;
  plain.Name = "Wave_jaune";
  EXPECT_THROW(LoadComponent(plain, records), EReadError);
  TWave other;
  other.Name = "Autre";
  EXPECT_THROW(LoadComponent(other, records), EReadError);
  records[0].properties.push_back({"WaveData.Inconnu", {}});
  EXPECT_THAT(
      [&] { LoadComponent(wave, records); },
      testing::ThrowsMessage<EReadError>(testing::StrEq(
          "Erreur de lecture de la description d'écran : propriété WaveData.Inconnu inexistante")));
}

TEST_F(WaveTest, PlayNotifiesFirstEvenWhenEmptyAndPlaysTheHeldBytes) {
  TWave wave;
  std::vector<std::size_t> playedWhenNotified;
  wave.OnPlay = [&](TWave& sender) {
    EXPECT_EQ(&sender, &wave);
    playedWhenNotified.push_back(player.played.size());
  };
  wave.Play();  // empty: notified, but the player is never reached
  EXPECT_TRUE(player.played.empty());

  auto image = Image(64);
  Fill(wave.WaveData(), image);
  wave.Play();
  EXPECT_EQ(playedWhenNotified, (std::vector<std::size_t>{0, 0}));
  EXPECT_EQ(player.played, std::vector<Bytes>{image});
  // The player reads the holder's own bytes, not a copy that could outlive them.
  EXPECT_EQ(player.current.data(), wave.WaveData().Bytes().data());
}

TEST_F(WaveTest, BytesAreReleasedOnlyAfterThePlayerLetsGoOfThem) {
  auto first = std::make_unique<TWaveData>();
  auto second = std::make_unique<TWaveData>();
  Fill(*first, Image(40, 1));
  Fill(*second, Image(80, 2));
  first->Play();
  second->Play();  // cuts the first off
  EXPECT_FALSE(player.IsPlaying(first->Bytes().data()));
  EXPECT_TRUE(player.IsPlaying(second->Bytes().data()));

  first.reset();  // not playing: the current sound goes on
  EXPECT_EQ(player.stops, 0);
  auto bytes = Held(*second);
  second.reset();  // playing: stopped while its bytes are still alive
  EXPECT_EQ(player.stops, 1);
  EXPECT_EQ(player.lastStoppedSum, std::accumulate(bytes.begin(), bytes.end(), 0u));

  TWaveData data;  // replacing or clearing a playing holder stops it too
  Fill(data, Image(30));
  data.Play();
  Fill(data, Image(31));
  data.Play();
  data.Clear();
  data.Clear();
  EXPECT_EQ(player.stops, 3);
}

TEST_F(WaveTest, AssignCopiesDeeplyEmptiesOnNothingAndRefusesForeignSources) {
  TWaveData source;
  auto image = Image(120);
  Fill(source, image);
  TWave wave;
  wave.SetWaveData(&source);  // through the property: source stays the caller's
  TWaveData& copy = wave.WaveData();
  EXPECT_NE(copy.Bytes().data(), source.Bytes().data());
  source.Clear();
  EXPECT_EQ(Held(copy), image);
  copy.Assign(&copy);
  EXPECT_EQ(Held(copy), image);

  EXPECT_THAT(
      [&] { copy.Assign(&wave); },
      testing::ThrowsMessage<EConvertError>(testing::StrEq("Ne peut affecter TWave à TWaveData")));
  EXPECT_EQ(Held(copy), image);

  copy.Assign(nullptr);
  EXPECT_TRUE(copy.IsEmpty());
  for (std::int32_t count : {0, -1, -100000}) {
    Fill(copy, image);
    copy.SetData(count, image.data());
    EXPECT_TRUE(copy.IsEmpty() && copy.Bytes().empty()) << count;
  }
}

TEST_F(WaveTest, CorruptBlocksLeaveTheHolderEmptyAndTheDescriptionReadable) {
  auto image = Image(20);
  auto block = [&](std::int32_t n, std::size_t bytesAfter) {
    ByteWriter out;
    out.WriteI32(n);
    out.WriteBytes(std::span(image).first(bytesAfter));
    return out.Bytes();
  };
  const Bytes blocks[] = {block(21, 20), block(0x7fffffff, 20), block(-5, 20),
                          block(0, 20),  {0x14, 0x00},          {}};
  for (const auto& bad : blocks) {
    TWave jaune, rouge;
    jaune.Name = "Wave_jaune";
    rouge.Name = "Wave_rouge";
    Fill(jaune.WaveData(), Image(9));
    auto records = ReadComponents(
        WriteComponents({{"TWave", "Wave_jaune", {{"WaveData.Data", bad}}},
                         {"TWave", "Wave_rouge", {{"WaveData.Data", block(20, 20)}}}}));
    LoadComponent(jaune, records);
    LoadComponent(rouge, records);
    EXPECT_TRUE(jaune.WaveData().IsEmpty()) << bad.size();
    EXPECT_EQ(Held(rouge.WaveData()), image) << bad.size();
  }
}

TEST_F(WaveTest, LoadFromFile) {
  auto dir = std::filesystem::temp_directory_path() / ("wave_test_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  TWaveData data;
  auto image = Image(1000);
  std::ofstream(dir / "empty.wav").close();
  std::ofstream(dir / "clip.wav", std::ios::binary)
      .write(reinterpret_cast<const char*>(image.data()), 1000);

  for (const char* emptying : {"absent.wav", "empty.wav"}) {
    Fill(data, image);
    data.LoadFromFile(dir / emptying);
    EXPECT_TRUE(data.IsEmpty()) << emptying;
  }
  data.LoadFromFile(dir / "clip.wav");
  EXPECT_EQ(Held(data), image);
  // A folder exists but cannot be read as a file: the file error, and the holder is empty.
  EXPECT_THAT([&] { data.LoadFromFile(dir); },
              testing::ThrowsMessage<IoError>(testing::StrEq("Accès au fichier refusé")));
  EXPECT_TRUE(data.IsEmpty());
  std::filesystem::remove_all(dir);
}

// The game screen's sound part, made at build time, gives back the two clips byte for byte,
// and both are what the cues were made to be: mono, 16 bits, 22,050 samples a second.
TEST(SoundDescriptionTest, FillsBothCuesWithTheirClips) {
  auto records = ReadComponents(Form_jeu6SoundDescription());
  ASSERT_EQ(records.size(), 2u);
  for (const std::string name : {"Wave_jaune", "Wave_rouge"}) {
    TWave wave;
    wave.Name = name;
    LoadComponent(wave, records);
    std::ifstream file(VERDAL_SOUNDS_DIR "/" + name + ".wav", std::ios::binary);
    Bytes clip{std::istreambuf_iterator<char>(file), {}};
    ASSERT_FALSE(clip.empty()) << name;
    EXPECT_EQ(Held(wave.WaveData()), clip) << name;
    auto format = ParseWav(wave.WaveData().Bytes());
    ASSERT_TRUE(format) << name;
    EXPECT_EQ(format->channels, 1);
    EXPECT_EQ(format->bitsPerSample, 16);
    EXPECT_EQ(format->sampleRate, 22050);
  }
}

}  // namespace
}  // namespace verdal
