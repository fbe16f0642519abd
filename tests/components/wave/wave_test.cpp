// TWaveData and TWave: holding, copying, storing and playing an embedded sound.
#include "components/wave/wave.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <numeric>

#include "common/convert_error.h"
#include "common/io_error.h"
#include "components/description/description.h"
#include "fake_sound_player.h"

namespace verdal {
namespace {

std::vector<std::uint8_t> Image(std::size_t size, std::uint8_t seed = 1) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
  std::copy_n("RIFF", std::min<std::size_t>(size, 4), bytes.begin());
  return bytes;
}

std::vector<std::uint8_t> Held(const TWaveData& data) {
  return {data.Bytes().begin(), data.Bytes().end()};
}

void Fill(TWaveData& data, const std::vector<std::uint8_t>& bytes) {
  data.SetData(static_cast<std::int32_t>(bytes.size()), bytes.data());
}

class WaveTest : public ::testing::Test {
 protected:
  FakeSoundPlayer player;
  ScopedSoundPlayer installed{player};
};

TEST_F(WaveTest, StoredFormRoundTrip) {
  TWave wave;
  auto image = Image(300);
  Fill(wave.WaveData(), image);

  // Name length, name, kind, L = N + 4, then N and the image.
  ByteWriter out;
  WritePropertyList(out, SaveProperties(wave));
  std::vector<std::uint8_t> head = {13,  'W',  'a',  'v', 'e', 'D',  'a',  't',  'a',
                                    '.', 'D',  'a',  't', 'a', 0x0A, 0x30, 0x01, 0,
                                    0,   0x2c, 0x01, 0,   0,   'R',  'I',  'F',  'F'};
  const auto& bytes = out.Bytes();
  ASSERT_EQ(bytes.size(), 1u + 13 + 1 + 4 + 304 + 1);
  EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));

  ByteReader in(bytes);
  TWave loaded;
  LoadProperties(loaded, ReadPropertyList(in));
  EXPECT_EQ(Held(loaded.WaveData()), image);

  // Empty: no entry at all; and no entry read back leaves a holder empty.
  TWave empty;
  EXPECT_TRUE(SaveProperties(empty).empty());
  LoadProperties(empty, {});
  EXPECT_TRUE(empty.WaveData().IsEmpty());
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
  ASSERT_EQ(player.played.size(), 1u);
  EXPECT_EQ(player.played[0], image);
  // The player reads the holder's own bytes, not a copy that could outlive them.
  EXPECT_EQ(player.Current(), wave.WaveData().Bytes().data());
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
  second.reset();  // playing: stopped while its bytes are still alive (the fake reads them)
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

  try {
    copy.Assign(&wave);
    ADD_FAILURE() << "a TWave is not a holder";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "Ne peut affecter TWave à TWaveData");
  }
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
  const std::vector<std::uint8_t> blocks[] = {block(21, 20), block(0x7fffffff, 20), block(-5, 20),
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
  std::ofstream((dir / "empty.wav").string()).close();
  std::ofstream((dir / "clip.wav").string(), std::ios::binary)
      .write(reinterpret_cast<const char*>(image.data()), 1000);

  for (const char* emptying : {"absent.wav", "empty.wav"}) {
    Fill(data, image);
    data.LoadFromFile((dir / emptying).string());
    EXPECT_TRUE(data.IsEmpty()) << emptying;
  }
  data.LoadFromFile((dir / "clip.wav").string());
  EXPECT_EQ(Held(data), image);
  // A folder exists but cannot be read as a file: the file error, and the holder is empty.
  try {
    data.LoadFromFile(dir.string());
    ADD_FAILURE() << "a folder was read as a sound";
  } catch (const IoError& e) {
    EXPECT_EQ(e.Code(), ioAccessDenied);
    EXPECT_STREQ(e.what(), "Accès au fichier refusé");
  }
  EXPECT_TRUE(data.IsEmpty());
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace verdal
