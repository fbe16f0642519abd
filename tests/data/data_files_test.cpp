// Checks the delivered files "mots", "data" and "perso" byte by byte, without the game's loaders.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
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

// word -> category, as the game would load them.
std::map<std::string, int> ReadMots() {
  const std::string bytes = ReadWhole(VERDAL_MOTS_PATH);
  EXPECT_EQ(bytes.size(), kRecordCount * kRecordSize);
  std::map<std::string, int> category;
  for (std::size_t at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize) {
    category[bytes.substr(at + 1, static_cast<unsigned char>(bytes[at]))] =
        LittleEndian32(bytes, at + 12);
  }
  return category;
}

// A lemma as the lexicon spells it (UTF-8, lower case) -> the game's spelling.
std::string GameSpelling(const std::string& lemma) {
  static const std::map<std::string, std::string> kFolded = {
      {"é", "E"}, {"è", "E"}, {"ê", "E"}, {"ë", "E"}, {"à", "A"}, {"â", "A"}, {"ä", "A"},
      {"î", "I"}, {"ï", "I"}, {"ô", "O"}, {"ö", "O"}, {"ù", "U"}, {"û", "U"}, {"ü", "U"},
      {"ÿ", "Y"}, {"ç", "C"}, {"œ", "OE"}, {"æ", "AE"}};
  std::string word;
  for (std::size_t k = 0; k < lemma.size();) {
    const auto c = static_cast<unsigned char>(lemma[k]);
    if (c < 0x80) {
      word += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
      ++k;
      continue;
    }
    const auto folded = kFolded.find(lemma.substr(k, 2));
    word += folded == kFolded.end() ? "?" : folded->second;
    k += 2;
  }
  return word;
}

// The whitespace-separated fields of each line of a text file, comments ('#') left out.
std::vector<std::vector<std::string>> ReadFields(const char* path) {
  std::istringstream text(ReadWhole(path));
  std::vector<std::vector<std::string>> lines;
  for (std::string line; std::getline(text, line);) {
    std::istringstream fields(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string field; fields >> field;) words.push_back(field);
    if (!words.empty()) lines.push_back(words);
  }
  return lines;
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
  const std::map<std::string, int> category = ReadMots();
  // PLANTE and TONDEUSE are feminines that the lexicon files under a masculine entry.
  for (const char* word : {"MAISON", "ENFANT", "JARDIN", "VOITURE", "FROMAGE", "CHOCOLAT",
                           "MONTAGNE", "PAPILLON", "PLANTE", "TONDEUSE"}) {
    auto found = category.find(word);
    ASSERT_NE(found, category.end()) << word;
    EXPECT_EQ(found->second, 0) << word;
  }
  for (const char* word : {"PUTAIN", "CONNARD", "ENCULER", "SALOPE", "TARLOUZE"}) {
    EXPECT_EQ(category.count(word), 0u) << word;
  }
}

// Each entry of the reviewed exclusion list: "lemma reason", or "lemma reason difficile" for
// a word that stays but never as a familiar one.
TEST(MotsFile, ObeysEveryEntryOfTheExclusionList) {
  const std::map<std::string, int> category = ReadMots();
  const std::set<std::string> reasons = {"slur",    "vulgar",   "sexual",   "violence",
                                         "name",    "foreign",  "fragment", "inflected"};
  std::size_t entries = 0;
  for (const auto& fields : ReadFields(VERDAL_EXCLUS_PATH)) {
    ++entries;
    ASSERT_GE(fields.size(), 2u) << fields[0];
    ASSERT_LE(fields.size(), 3u) << fields[0];
    EXPECT_EQ(reasons.count(fields[1]), 1u) << fields[0] << ": " << fields[1];
    const std::string word = GameSpelling(fields[0]);
    const auto found = category.find(word);
    if (fields.size() == 2) {
      EXPECT_TRUE(found == category.end()) << word << " is excluded (" << fields[1] << ")";
    } else {
      EXPECT_EQ(fields[2], "difficile") << fields[0];
      EXPECT_TRUE(found == category.end() || found->second == 1)
          << word << " may only be less familiar (" << fields[1] << ")";
    }
  }
  EXPECT_GT(entries, 100u);
}

// Each entry of the reviewed reading: "lemma facile reason" for an everyday word the frequency
// list hides, always familiar; "lemma difficile reason" for a word never familiar (mild insults
// and words of violence among them). That each "facile feminine" is a feminine the lexicon knows
// is checked by the rebuild, which has the lexicon.
TEST(MotsFile, ObeysEveryEntryOfTheReadingList) {
  const std::map<std::string, int> category = ReadMots();
  const std::map<std::string, std::set<std::string>> reasons = {
      {"facile", {"sense", "feminine"}},
      {"difficile",
       {"obscure", "technical", "inflected", "foreign", "name", "sexual", "insult", "violence"}}};
  std::map<std::string, std::size_t> entries;
  for (const auto& fields : ReadFields(VERDAL_NIVEAUX_PATH)) {
    ASSERT_EQ(fields.size(), 3u) << fields[0];
    const auto level = reasons.find(fields[1]);
    ASSERT_NE(level, reasons.end()) << fields[0] << ": " << fields[1];
    EXPECT_EQ(level->second.count(fields[2]), 1u) << fields[0] << ": " << fields[2];
    ++entries[fields[1]];
    const auto found = category.find(GameSpelling(fields[0]));
    if (fields[1] == "facile") {
      EXPECT_TRUE(found != category.end() && found->second == 0)
          << fields[0] << " must be familiar";
    } else {
      EXPECT_TRUE(found == category.end() || found->second == 1)
          << fields[0] << " is never familiar";
    }
  }
  EXPECT_GT(entries["facile"], 0u);
  EXPECT_GT(entries["difficile"], 1000u);
}

// The screening report lists the kept words that a screen flagged; a word whose frequency
// comes mostly from a name ("name") must never be drawn at "Facile".
TEST(MotsFile, AgreesWithTheScreeningReportAndNoNameIsFamiliar) {
  const std::map<std::string, int> category = ReadMots();
  std::size_t names = 0;
  for (const auto& fields : ReadFields(VERDAL_CRIBLE_PATH)) {
    ASSERT_GE(fields.size(), 3u) << fields[0];
    const auto found = category.find(fields[0]);
    ASSERT_NE(found, category.end()) << fields[0] << " is reported but not in mots";
    EXPECT_EQ(found->second, fields[1] == "facile" ? 0 : 1) << fields[0] << " " << fields[1];
    if (std::find(fields.begin() + 2, fields.end(), "name") != fields.end()) {
      ++names;
      EXPECT_EQ(found->second, 1) << fields[0] << " is mostly a name";
    }
  }
  EXPECT_GT(names, 0u);
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
