// Checking and marking proposals, against the known examples and a brute-force count.
#include "game/marking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "common/random.h"
#include "game/word_pool.h"

namespace verdal {
namespace {

TEST(Marking, KnownExamples) {
  EXPECT_EQ(Mark("ABATTU", "BATEAU"), "####x*");
  EXPECT_EQ(Mark("ERREUR", "RELEVE"), "##x*xx");
  EXPECT_EQ(Mark("EEEEEE", "RELEVE"), "x*x*x*");
  EXPECT_EQ(Mark("NANANA", "BANANE"), "x****x");
  EXPECT_EQ(Mark("BATEAU", "BATEAU"), "******");
  EXPECT_EQ(Mark("ZZZZZZZ", "ABCDEFG"), "xxxxxxx");
}

// For every letter: "*" exactly where proposal and word agree; of its other copies in
// the proposal, the leftmost ones get "#", as many as the word has copies of it left
// unplaced; the rest get "x".
TEST(Marking, AgreesWithABruteForceCountOfLetters) {
  SetRandomSeed(2024);
  for (int trial = 0; trial < 20000; ++trial) {
    const int length = 6 + int(RandomBelow(3));
    const int alphabet = 2 + int(RandomBelow(5));  // few letters: many repeats
    std::string p(length, 'A'), w(length, 'A');
    for (int i = 0; i < length; ++i) {
      p[i] = char('A' + RandomBelow(alphabet));
      w[i] = char('A' + RandomBelow(alphabet));
    }
    const std::string marks = Mark(p, w);
    ASSERT_EQ(int(marks.size()), length);
    for (char letter = 'A'; letter < 'A' + alphabet; ++letter) {
      int unplacedInWord = 0;
      for (int i = 0; i < length; ++i) unplacedInWord += w[i] == letter && p[i] != letter;
      int misplacedLeft = unplacedInWord;
      for (int i = 0; i < length; ++i) {
        if (p[i] != letter) continue;
        char expected = p[i] == w[i] ? '*' : (misplacedLeft > 0 ? (--misplacedLeft, '#') : 'x');
        ASSERT_EQ(marks[i], expected) << p << " / " << w << " at " << i;
      }
    }
  }
}

TEST(Marking, ValidProposalIsExactlyLCapitalLetters) {
  std::iota(LetterTable.begin(), LetterTable.end(), 'A');
  EXPECT_TRUE(IsValidProposal("BATEAU", 6));
  for (const char* bad : {"BAT3AU", "bateau", "BATEA\b", "BATEAUX", "BAT\311AU"}) {
    EXPECT_FALSE(IsValidProposal(bad, 6)) << bad;
  }
}

}  // namespace
}  // namespace verdal
