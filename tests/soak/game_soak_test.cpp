// Hundreds of deals of the game screen played by a script on the manual clock: found words,
// wrong words, time-outs, rows completed by earlier reds, new matches by "Oui" and by showing
// the screen again. Every deal ends, and resident memory does not grow.
#include <QLabel>
#include <algorithm>
#include <iostream>

#include "tests/screens/game/game_screen_fixture.h"
#include "tests/soak/soak_verdict.h"

namespace verdal::test {
namespace {

enum class Move {
  Found,      // the word itself
  Wrong,      // a whole word of letters not in it
  Anagram,    // its letters, all but misplaced
  Partial,    // two letters, then a time-out drops them
  TimeOut,    // the player to play runs out of time
  FrontHalf,  // the first half right, the rest wrong
  BackHalf,   // the second half right: with FrontHalf, every column is known
};

// Each deal follows one plan; a plan that has not ended its deal repeats its last move.
const std::vector<std::vector<Move>> kPlans = {
    {Move::Found},
    {Move::Wrong, Move::Found},
    {Move::TimeOut, Move::Anagram, Move::Found},
    {Move::Partial, Move::Wrong, Move::TimeOut, Move::Found},
    {Move::Wrong},
    {Move::FrontHalf, Move::BackHalf, Move::Wrong},
    {Move::Anagram, Move::Found},
    {Move::TimeOut},
    {Move::Found},
};

// A row per move at most, and a few more for time-outs that only move a bar along.
constexpr int kMostMovesPerDeal = 24;

struct Tally {
  std::int64_t deals = 0;
  std::int64_t found = 0;    // the next-word panel said "Bravo …"
  std::int64_t unfound = 0;  // it said "Prêt pour le mot suivant?"
  std::int64_t matches = 0;  // ended on the end-of-match panel
};

class GameSoak : public GameScreen {
 protected:
  GameSoak() {
    AcknowledgeEveryWord([this] {
      ++tally_.deals;
      ++(Text("Panel_suivant").startsWith(QStringLiteral("Bravo")) ? tally_.found : tally_.unfound);
    });
  }

  // The deal's word in lower case, as the fixture types it.
  std::string Word() const {
    std::string word = length_ == 6 ? kWord6 : length_ == 7 ? kWord7 : kWord8;
    std::transform(word.begin(), word.end(), word.begin(), [](char c) { return c - 'A' + 'a'; });
    return word;
  }

  void Play(Move move) {
    const std::string word = Word();
    const std::size_t half = word.size() / 2;
    switch (move) {
      case Move::Found:
        return Type(word);
      case Move::Wrong:
        return Type(std::string(word.size(), 'z'));
      case Move::Anagram:
        return Type(word.substr(1) + word.front());
      case Move::Partial:
        Type(word.substr(0, 2));
        return Tick(Chronometer::kSteps);
      case Move::TimeOut:
        return Tick(Chronometer::kSteps);
      case Move::FrontHalf:
        return Type(word.substr(0, half) + std::string(word.size() - half, 'z'));
      case Move::BackHalf:
        return Type(std::string(half, 'z') + word.substr(half));
    }
  }

  void Tick(int times) {
    for (int i = 0; i < times; ++i) ReportErrors([&] { form_->Timer1Timer(); });
  }

  // The end-of-match panel closes the last deal; the next match comes from "Oui", or now and
  // then from "Non" and the screen shown again, with another length, sound and player count.
  void NextMatchIfOver() {
    if (!Shown("Panel_bravo")) return;
    ++tally_.deals;
    const std::int64_t m = ++tally_.matches;
    length_ = 6 + static_cast<int>(m % 3);
    UseSettings(length_, m % 2 == 0 ? 1 : 2, 100);
    if (m % 4 == 0) {
      Click("BitBtn2");
      ASSERT_FALSE(form_->isVisible());
      Start(m % 8 == 0 ? 2 : 1);
    } else {
      Click("BitBtn1");
    }
    ASSERT_FALSE(Shown("Panel_bravo"));
  }

  // Plays one deal to its end; false when it is still going after the most moves a deal
  // can take.
  bool PlayDeal(const std::vector<Move>& plan) {
    const std::int64_t before = tally_.deals;
    for (int n = 0; n < kMostMovesPerDeal; ++n) {
      Play(plan[std::min<std::size_t>(n, plan.size() - 1)]);
      NextMatchIfOver();
      if (HasFatalFailure()) return false;
      if (tally_.deals != before) return tally_.deals == before + 1;
    }
    return false;
  }

  int length_ = 6;
  Tally tally_;
};

TEST_F(GameSoak, EveryDealEndsAndMemoryStaysFlat) {
  const std::int64_t deals = EnvironmentCount("VERDAL_SOAK_DEALS", VERDAL_SOAK_DEALS);
  const std::int64_t sampleEvery = std::max<std::int64_t>(1, deals / 30);
  Start(2);
  ASSERT_TRUE(Shown("Panel_jeu6"));

  MemoryCurve curve;
  std::int64_t sampledAt = 0;
  for (std::size_t plan = 0; tally_.deals < deals; ++plan) {
    const std::int64_t deal = tally_.deals + 1;
    ASSERT_TRUE(PlayDeal(kPlans[plan % kPlans.size()]))
        << "deal " << deal << " did not end (plan " << plan % kPlans.size() << ", " << length_
        << " letters), ending at " << tally_.deals;
    if (tally_.deals - sampledAt >= sampleEvery) {
      curve.Add(SampleMemory("deal " + std::to_string(tally_.deals), tally_.deals - sampledAt));
      sampledAt = tally_.deals;
      cues_.cues.clear();
    }
  }

  ExpectFlat("game", curve, "deals");
  std::cout << "soak game deals " << tally_.deals << " found " << tally_.found << " unfound "
            << tally_.unfound << " matches " << tally_.matches << " game_hours "
            << manual_.NowMs() / 3'600'000.0 << '\n';
  EXPECT_GT(tally_.found, 0);
  EXPECT_GT(tally_.unfound, 0);
  if (deals >= 40) {
    EXPECT_GT(tally_.matches, 0);
  }
  EXPECT_TRUE(recorded_.shown.empty());
}

}  // namespace
}  // namespace verdal::test
