// TWaveData and TWave: holding, copying, storing and playing an embedded sound.
#include "components/wave/wave.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>

#include "common/convert_error.h"
#include "components/description/description.h"
#include "components/wave/wave_data.h"
#include "fake_sound_player.h"

namespace verdal {
namespace {

std::vector<std::uint8_t> Image(std::size_t size, std::uint8_t seed = 1) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
  if (size >= 4) std::copy_n("RIFF", 4, bytes.begin());
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

  auto entries = SaveProperties(wave);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "WaveData.Data");
  const auto& block = entries[0].block;
  ASSERT_EQ(block.size(), 304u);
  EXPECT_EQ(std::vector<std::uint8_t>(block.begin(), block.begin() + 8),
            (std::vector<std::uint8_t>{0x2c, 0x01, 0x00, 0x00, 'R', 'I', 'F', 'F'}));

  // The entry as it stands in a description: name length, name, kind, L, block.
  ByteWriter out;
  WritePropertyEntry(out, entries[0]);
  const auto& bytes = out.Bytes();
  ASSERT_EQ(bytes.size(), 1u + 13 + 1 + 4 + 304);
  EXPECT_EQ(bytes[0], 13);
  EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 14), "WaveData.Data");
  EXPECT_EQ(bytes[14], 0x0A);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 15, bytes.begin() + 19),
            (std::vector<std::uint8_t>{0x30, 0x01, 0x00, 0x00}));

  ByteReader in(bytes);
  TWave loaded;
  LoadProperties(loaded, {ReadPropertyEntry(in)});
  EXPECT_EQ(Held(loaded.WaveData()), image);
}

TEST_F(WaveTest, EmptyHolderStoresNothingAndStillNotifies) {
  TWave wave;
  EXPECT_TRUE(SaveProperties(wave).empty());

  TWave fresh;
  LoadProperties(fresh, {});
  EXPECT_TRUE(fresh.WaveData().IsEmpty());

  int notified = 0;
  fresh.OnPlay = [&](TWave& sender) {
    EXPECT_EQ(&sender, &fresh);
    ++notified;
  };
  fresh.Play();
  fresh.WaveData().Play();
  EXPECT_EQ(notified, 1);
  EXPECT_TRUE(player.played.empty());
}

TEST_F(WaveTest, PlayNotifiesFirstThenPlaysTheHeldBytes) {
  TWave wave;
  auto image = Image(64);
  Fill(wave.WaveData(), image);
  std::size_t playedWhenNotified = 99;
  wave.OnPlay = [&](TWave&) { playedWhenNotified = player.played.size(); };
  wave.Play();
  EXPECT_EQ(playedWhenNotified, 0u);
  ASSERT_EQ(player.played.size(), 1u);
  EXPECT_EQ(player.played[0], image);
  // The player reads the holder's own bytes, not a copy that could outlive them.
  EXPECT_EQ(player.Current(), wave.WaveData().Bytes().data());
}

TEST_F(WaveTest, SecondPlayCutsTheFirstAndDestructionStopsOnlyItsOwnSound) {
  auto first = std::make_unique<TWaveData>();
  auto second = std::make_unique<TWaveData>();
  Fill(*first, Image(40, 1));
  Fill(*second, Image(80, 2));
  first->Play();
  second->Play();
  ASSERT_EQ(player.played.size(), 2u);
  EXPECT_FALSE(player.IsPlaying(first->Bytes().data()));
  EXPECT_TRUE(player.IsPlaying(second->Bytes().data()));

  first.reset();  // not playing: the current sound goes on
  EXPECT_EQ(player.stops, 0);
  const auto expectedSum = [&] {
    auto bytes = Held(*second);
    return std::accumulate(bytes.begin(), bytes.end(), 0u);
  }();
  second.reset();  // playing: stopped while its bytes are still alive
  EXPECT_EQ(player.stops, 1);
  EXPECT_EQ(player.lastStoppedSum, expectedSum);
  EXPECT_EQ(player.Current(), nullptr);
}

TEST_F(WaveTest, ReplacingOrClearingAPlayingHolderStopsItFirst) {
  TWaveData data;
  Fill(data, Image(30));
  data.Play();
  Fill(data, Image(31));
  EXPECT_EQ(player.stops, 1);
  data.Play();
  data.Clear();
  EXPECT_EQ(player.stops, 2);
  data.Clear();  // already empty: nothing happens
  EXPECT_EQ(player.stops, 2);
}

TEST_F(WaveTest, AssignCopiesDeeplyEmptiesOnNothingAndRefusesForeignSources) {
  TWaveData source;
  auto image = Image(120);
  Fill(source, image);
  TWaveData copy;
  copy.Assign(&source);
  EXPECT_NE(copy.Bytes().data(), source.Bytes().data());
  source.Clear();
  EXPECT_EQ(Held(copy), image);
  copy.Play();
  EXPECT_EQ(player.played.back(), image);

  copy.Assign(&copy);  // itself: unchanged
  EXPECT_EQ(Held(copy), image);

  // Through the component's property: the given holder stays the caller's, untouched.
  TWave wave;
  wave.SetWaveData(&copy);
  EXPECT_EQ(Held(wave.WaveData()), image);
  EXPECT_EQ(Held(copy), image);

  TWave foreign;
  try {
    copy.Assign(&foreign);
    ADD_FAILURE() << "a TWave is not a holder";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "Ne peut affecter TWave à TWaveData");
  }
  EXPECT_EQ(Held(copy), image);

  copy.Assign(nullptr);
  EXPECT_TRUE(copy.IsEmpty());
}

TEST_F(WaveTest, SetDataWithNoBytesLeavesTheHolderEmpty) {
  TWaveData data;
  auto image = Image(10);
  for (std::int32_t count : {0, -1, -100000}) {
    Fill(data, image);
    data.SetData(count, image.data());
    EXPECT_TRUE(data.IsEmpty()) << count;
    EXPECT_EQ(data.Size(), 0);
    EXPECT_TRUE(data.Bytes().empty());
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
  struct Case {
    const char* what;
    std::vector<std::uint8_t> block;
  };
  const Case cases[] = {
      {"N larger than what follows", block(21, 20)},
      {"N far too large", block(0x7fffffff, 20)},
      {"N negative", block(-5, 20)},
      {"N zero", block(0, 20)},
      {"block shorter than N's field", {0x14, 0x00}},
      {"empty block", {}},
  };
  for (const auto& c : cases) {
    TWave jaune, rouge;
    jaune.Name = "Wave_jaune";
    rouge.Name = "Wave_rouge";
    Fill(jaune.WaveData(), Image(9));
    auto description =
        WriteComponents({{"TWave", "Wave_jaune", {{"WaveData.Data", c.block}}},
                         {"TWave", "Wave_rouge", {{"WaveData.Data", block(20, 20)}}}});
    auto records = ReadComponents(description);
    LoadComponent(jaune, records);
    LoadComponent(rouge, records);
    EXPECT_TRUE(jaune.WaveData().IsEmpty()) << c.what;
    EXPECT_EQ(Held(rouge.WaveData()), image) << c.what;
  }
  // Extra bytes after the image within the block are ignored.
  TWaveData data;
  auto longer = block(10, 20);
  ByteReader in(longer);
  data.ReadData(in);
  EXPECT_EQ(Held(data), std::vector<std::uint8_t>(image.begin(), image.begin() + 10));
}

TEST_F(WaveTest, LoadFromFile) {
  auto dir = std::filesystem::temp_directory_path() /
             ("wave_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(dir);
  TWaveData data;

  Fill(data, Image(5));
  data.LoadFromFile((dir / "absent.wav").string());
  EXPECT_TRUE(data.IsEmpty());

  std::ofstream((dir / "empty.wav").string(), std::ios::binary).close();
  Fill(data, Image(5));
  data.LoadFromFile((dir / "empty.wav").string());
  EXPECT_TRUE(data.IsEmpty());

  auto image = Image(1000);
  std::ofstream((dir / "clip.wav").string(), std::ios::binary)
      .write(reinterpret_cast<const char*>(image.data()),
             static_cast<std::streamsize>(image.size()));
  data.LoadFromFile((dir / "clip.wav").string());
  EXPECT_EQ(Held(data), image);

  // A folder of that name exists but cannot be read as a file: an error, and the holder is empty.
  EXPECT_THROW(data.LoadFromFile(dir.string()), std::system_error);
  EXPECT_TRUE(data.IsEmpty());
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace verdal
