// The word pool for every row of the filter table, and the draw.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "common/io_error.h"
#include "common/random.h"
#include "game/dictionary_file.h"
#include "game/game_error.h"
#include "game/personal_list.h"
#include "game/unit_var.h"
#include "game/word_pool.h"
#include "tests/game/game_files.h"

namespace verdal {
namespace {

using test::PersoText;
using test::Settings;
using test::SyntheticWord;
using test::TempCurrentDir;
using test::WriteBytes;

class WordPoolTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    TempCurrentDir dir;
    WriteBytes("mots", test::StandardDictionaryBytes());
    LoadDictionary();
  }

  // Five 7-letter and three 6-letter personal words, one of them in small letters.
  void SetUp() override {
    std::vector<std::string> words;
    for (int k = 0; k < 5; ++k) words.push_back("PERSO" + SyntheticWord(k, 2));
    for (int k = 0; k < 3; ++k) words.push_back("PERS" + SyntheticWord(k, 2));
    words[7] = "persxy";
    words.push_back("TROPLONGUE");
    words.push_back("");
    WriteBytes("perso", PersoText(words, "\n"));
  }

  std::int32_t Build(int length, int difficulty, int usePersonal) {
    CurrentSettings = Settings(length, difficulty, usePersonal);
    return BuildWordPool();
  }

  TempCurrentDir dir_;
};

TEST_F(WordPoolTest, SizesFollowTheFilterTable) {
  // {length, difficulty, use of "perso", pool size}, in this order: once personal words
  // are loaded, a build that does not read "perso" must leave them out (7, 4, 2).
  const std::vector<std::array<int, 4>> rows = {
      {6, 1, 2, 3135},     {6, 2, 2, 2094}, {6, 3, 2, 5229}, {7, 1, 2, 4303}, {7, 2, 2, 2803},
      {7, 3, 2, 7106},     {8, 1, 2, 4768}, {8, 2, 2, 3226}, {8, 3, 2, 7994}, {7, 1, 1, 4303 + 5},
      {6, 2, 1, 2094 + 3}, {8, 3, 1, 7994}, {7, 4, 1, 5},    {6, 4, 1, 3},    {7, 4, 2, 0},
      {7, 5, 2, 0},        {7, 3, 0, 0},    {7, 1, 2, 4303}};
  for (const auto& [length, difficulty, usePersonal, size] : rows) {
    EXPECT_EQ(Build(length, difficulty, usePersonal), size)
        << length << " " << difficulty << " " << usePersonal;
  }
}

// Mend: words typed with accents, blanks or an 8-bit editor are dealt as they can be found,
// and the settings screen counts exactly the words the pool can then draw.
TEST_F(WordPoolTest, SettingsCountIsWhatThePoolDrawsFromTypedWords) {
  WriteBytes("perso",
             "\xEF\xBB\xBF" "12\r\n"
             "G\xC3\x89" "ANTE\n"            // GÉANTE in UTF-8: 7 bytes, 6 letters
             "G\xC9" "ANTE\r\n"              // the same in Latin-1
             "  citron \t\r\n"              // blanks around
             "c\x9C" "ur\xE9" "e\n"           // cœurée in Windows-1252: 7 letters
             "\tGAR\xC3\x87ON\n"             // GARÇON after a tab
             "\xC3\x89L\xC3\x88VE\xC3\xA9S\n"  // ÉLÈVEÉS: 7 letters
             "NO\xC3\x8B" "LLES\n"            // NOËLLES
             "BALLON2\n"                    // a digit: never dealt
             "PORTE-AVIONS\n"               // punctuation: never dealt
             "CH\xC3\xA2TEAU\r\n"             // CHâTEAU
             "\xC3\xA0 la mer\n"              // an inner blank: never dealt
             "L\xC5\x92UVRES\n");            // LŒUVRES: 8 letters
  const std::vector<std::string> expected = {"GEANTE",  "GEANTE", "CITRON", "COEUREE",
                                             "GARCON",  "ELEVEES", "NOELLES", "",
                                             "",        "CHATEAU", "",       "LOEUVRES"};
  ASSERT_EQ(LoadPersonalList(), 12);
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_EQ(WordTable[kDictionarySize + k], expected[k]) << "line " << k + 2;
  }
  const PersonalCounts counts = CountPersonalList();
  EXPECT_EQ(counts.byLength, (std::array<std::int32_t, 3>{4, 4, 1}));
  // {difficulty, use of "perso"}: the dictionary's share plus the personal words counted.
  for (const auto& [difficulty, usePersonal] : std::vector<std::pair<int, int>>{
           {1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}, {1, 2}}) {
    for (int length = 6; length <= 8; ++length) {
      const bool personal = usePersonal == 1;
      const int dictionary = difficulty == 4 ? 0 : Build(length, difficulty, 2);
      EXPECT_EQ(Build(length, difficulty, usePersonal),
                dictionary + (personal ? counts.ForLength(length) : 0))
          << length << " " << difficulty << " " << usePersonal;
      const WordPool& pool = CurrentWordPool();
      for (std::int32_t k = 0; k < pool.count; ++k) {
        EXPECT_EQ(pool.words[k].find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos);
        EXPECT_EQ(pool.words[k].size(), static_cast<std::size_t>(length));
      }
    }
  }
}

// The rows of the table that the standard dictionary cannot show: categories it never
// holds, and values of "data" outside the table.
TEST(WordFilter, RowsForUnusualCategoriesAndSettings) {
  for (auto category : {wcFamiliar, wcLessFamiliar, WordCategory(2), wcPersonal, WordCategory(7)}) {
    SCOPED_TRACE(int(category));
    EXPECT_TRUE(FilterAccepts(3, 1, category));  // "Complet" with the list: any category
    EXPECT_EQ(FilterAccepts(3, 2, category), category == wcFamiliar || category == wcLessFamiliar);
    EXPECT_EQ(FilterAccepts(4, 2, category), category == wcPersonal);
    EXPECT_EQ(FilterAccepts(4, 9, category), category == wcPersonal);
    EXPECT_EQ(FilterAccepts(1, 1, category), category == wcFamiliar || category == wcPersonal);
    EXPECT_FALSE(FilterAccepts(2, 3, category));
    EXPECT_FALSE(FilterAccepts(0, 1, category));
  }
}

TEST_F(WordPoolTest, PoolKeepsTableOrderWithPersonalWordsLast) {
  ASSERT_EQ(Build(6, 3, 1), 5229 + 3);
  const WordPool& pool = CurrentWordPool();
  EXPECT_EQ(pool.words[0], WordTable[0]);
  EXPECT_EQ(pool.words[5229], "PERSAA");
  EXPECT_EQ(pool.words[5231], "PERSXY");  // loaded in capitals
  EXPECT_EQ(std::string(LetterTable.begin(), LetterTable.end()), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

TEST_F(WordPoolTest, FailedReadLeavesThePoolUntouched) {
  ASSERT_EQ(Build(7, 4, 1), 5);
  WriteBytes("perso", "cinq\n");
  EXPECT_THROW(Build(6, 1, 1), IoError);
  EXPECT_EQ(CurrentWordPool().count, 5);
}

TEST_F(WordPoolTest, DrawsFromThePoolWithTheProgramGenerator) {
  ASSERT_EQ(Build(7, 4, 1), 5);
  SetRandomSeed(0);
  std::vector<std::string> draws;
  for (int i = 0; i < 6; ++i) draws.push_back(DrawWord());
  // Seed 0 draws 0, 0, 4, 1, 1, 3 below 5: the same word may come twice in a row.
  EXPECT_EQ(draws, (std::vector<std::string>{"PERSOAA", "PERSOAA", "PERSOAE", "PERSOAB", "PERSOAB",
                                             "PERSOAD"}));
}

// Mend: an empty pool is a clear error, never a read of a slot nobody filled.
TEST_F(WordPoolTest, DrawingFromAnEmptyPoolIsAnError) {
  ASSERT_EQ(Build(7, 4, 2), 0);
  EXPECT_THAT([] { DrawWord(); },
              ::testing::ThrowsMessage<GameError>(::testing::StrEq("Il n'y a aucun mot!!")));
}

}  // namespace
}  // namespace verdal
