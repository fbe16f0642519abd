// Checks the delivered files "mots", "data" and "perso" byte by byte, without the game's loaders.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace verdal {
namespace {

constexpr std::size_t kRecordCount = 20329;
constexpr std::size_t kRecordSize = 16;
constexpr std::size_t kWordBytes = 11;

std::string ReadWhole(const char* path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::int32_t LittleEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int k = 3; k >= 0; --k) value = (value << 8) | static_cast<unsigned char>(bytes[at + k]);
  return static_cast<std::int32_t>(value);
}

bool IsCapitals(const std::string& word) {
  for (char c : word) {
    if (c < 'A' || c > 'Z') return false;
  }
  return true;
}

TEST(MotsFile, HoldsTheTableCompositionOfDistinctSortedWords) {
  const std::string bytes = ReadWhole(VERDAL_MOTS_PATH);
  ASSERT_EQ(bytes.size(), kRecordCount * kRecordSize);

  // (length, category) -> number of words; the settings screen shows these counts.
  std::map<std::pair<int, int>, int> counts;
  std::string previous;
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    const std::size_t at = k * kRecordSize;
    const int length = static_cast<unsigned char>(bytes[at]);
    ASSERT_GE(length, 6) << "record " << k;
    ASSERT_LE(length, 8) << "record " << k;
    const std::string word = bytes.substr(at + 1, length);
    EXPECT_TRUE(IsCapitals(word)) << "record " << k << ": " << word;
    for (std::size_t c = 1 + length; c <= kWordBytes; ++c) {
      EXPECT_EQ(bytes[at + c], '\0') << "record " << k << " byte " << c;
    }
    const std::int32_t category = LittleEndian32(bytes, at + 12);
    EXPECT_TRUE(category == 0 || category == 1) << "record " << k << ": " << category;
    EXPECT_LT(previous, word) << "record " << k << " out of order or repeated";
    previous = word;
    ++counts[{length, category}];
  }

  const std::map<std::pair<int, int>, int> expected = {{{6, 0}, 3135}, {{6, 1}, 2094},
                                                       {{7, 0}, 4303}, {{7, 1}, 2803},
                                                       {{8, 0}, 4768}, {{8, 1}, 3226}};
  EXPECT_EQ(counts, expected);
}

TEST(MotsFile, FamiliarWordsIncludeEverydayWordsAndNoSlur) {
  const std::string bytes = ReadWhole(VERDAL_MOTS_PATH);
  ASSERT_EQ(bytes.size(), kRecordCount * kRecordSize);
  std::map<std::string, int> category;
  for (std::size_t at = 0; at < bytes.size(); at += kRecordSize) {
    category[bytes.substr(at + 1, static_cast<unsigned char>(bytes[at]))] =
        LittleEndian32(bytes, at + 12);
  }
  for (const char* word :
       {"MAISON", "ENFANT", "JARDIN", "VOITURE", "FROMAGE", "CHOCOLAT", "MONTAGNE", "PAPILLON"}) {
    auto found = category.find(word);
    ASSERT_NE(found, category.end()) << word;
    EXPECT_EQ(found->second, 0) << word;
  }
  for (const char* word : {"PUTAIN", "CONNARD", "ENCULER", "SALOPE", "TARLOUZE"}) {
    EXPECT_EQ(category.count(word), 0u) << word;
  }
}

TEST(DataFile, IsTheDefaultSettingsRecord) {
  const std::string bytes = ReadWhole(VERDAL_DATA_PATH);
  ASSERT_EQ(bytes.size(), 40u);
  // Sound on, 6 letters, 200 ms steps (20 seconds), "Facile", personal list left out.
  const std::array<std::int32_t, 5> expected = {1, 6, 200, 1, 2};
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_EQ(LittleEndian32(bytes, 4 * k), expected[k]) << "field " << k;
  }
  EXPECT_EQ(bytes.substr(20), std::string(20, '\0'));
}

TEST(PersoFile, CountThenPlayableWordsWithCarriageReturnLineFeeds) {
  const std::string text = ReadWhole(VERDAL_PERSO_PATH);
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    ASSERT_NE(end, std::string::npos) << "last line lacks its CR LF";
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], std::to_string(lines.size() - 1));
  std::map<std::size_t, int> byLength;
  for (std::size_t k = 1; k < lines.size(); ++k) {
    EXPECT_TRUE(IsCapitals(lines[k])) << lines[k];
    EXPECT_EQ(lines[k].find('\n'), std::string::npos);
    ++byLength[lines[k].size()];
  }
  EXPECT_GT(byLength[6], 0);
  EXPECT_GT(byLength[7], 0);
  EXPECT_GT(byLength[8], 0);
  EXPECT_EQ(byLength[6] + byLength[7] + byLength[8], static_cast<int>(lines.size()) - 1);
}

}  // namespace
}  // namespace verdal
