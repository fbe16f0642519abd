// Whole deals and matches played through a recording presentation, with no window.
#include "game/match.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <map>
#include <stdexcept>
#include <utility>

#include "common/io_error.h"
#include "common/random.h"
#include "game/chronometer.h"
#include "game/dictionary_file.h"
#include "game/game_error.h"
#include "game/unit_var.h"
#include "tests/game/game_files.h"
#include "tests/game/recording_presentation.h"

namespace verdal {
namespace {

using test::RecordingPresentation;
using test::Settings;
using test::SettingsBytes;
using test::TempCurrentDir;
using test::WriteBytes;

const char* const kReady = "Prêt pour le mot suivant?";

// One word per pool, so every deal's word is known: BATEAU (6, Facile),
// RELEVE (6, Difficile), CHATONS (7, Facile).
class MatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes("mots", test::DictionaryBytes({{"BATEAU", 0}, {"RELEVE", 1}, {"CHATONS", 0}}));
    LoadDictionary();
    UseSettings(6, 1);
    show_.match = &match_;
    SetRandomSeed(0);
  }

  void UseSettings(int length, int difficulty) {
    WriteBytes("data", SettingsBytes(Settings(length, difficulty, 2)));
  }

  void Type(const std::string& keys) {
    for (char c : keys) match_.AddKey(c);
  }

  std::string RowText(const DealState& deal, int r) const {
    std::string s;
    for (const Cell& c : deal.board[r - 1]) s += c.text.empty() ? " " : c.text;
    return s;
  }

  std::string RowColours(const DealState& deal, int r) const {
    std::string s;
    for (const Cell& c : deal.board[r - 1]) {
      s += c.colour == CellColour::Red ? 'R' : c.colour == CellColour::Yellow ? 'Y' : '-';
    }
    return s;
  }

  TempCurrentDir dir_;
  RecordingPresentation show_;
  Match match_{show_};
};

using Log = std::vector<std::string>;

Log Cat(std::initializer_list<Log> parts) {
  Log out;
  for (const Log& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// A complete proposal: its letters typed, the chronometer stopped, then (when valid)
// laid into the row and marked column by column.
Log Proposal(int row, const std::string& text, const std::string& marks, int players = 1) {
  Log out;
  for (std::size_t k = 0; k < text.size(); ++k) {
    out.push_back("typed " + std::to_string(k + 1) + " " + text[k]);
  }
  out.push_back("stop");
  out.push_back("reset 1");
  if (players == 2) out.push_back("reset 2");
  if (marks.empty()) return out;
  out.push_back("proposal " + std::to_string(row) + " " + text);
  for (std::size_t j = 0; j < marks.size(); ++j) {
    out.push_back("mark " + std::to_string(row) + " " + std::to_string(j + 1) + " " + marks[j]);
  }
  return out;
}

const Log kNewDeal = {"board", "panels", "word BATEAU", "board", "reset 1", "reset 2", "start"};
const Log kNextRow = {"start", "panels", "board"};
const Log kEndOfEvaluation = {"panels"};

TEST_F(MatchTest, FoundWordScoresAndDealsAgain) {
  match_.StartMatch(1, {"Ana", ""});
  show_.log.clear();
  Type("bateau");  // small letters are taken as capitals
  EXPECT_EQ(show_.log, Cat({Proposal(1, "BATEAU", "******"),
                            {"reveal 1 BATEAU [Bravo Ana !!]", "board", "panels"},
                            kNewDeal,
                            kEndOfEvaluation}));
  EXPECT_EQ(match_.State().scores[0], 1);
  EXPECT_EQ(RowColours(show_.revealed.at(0), 1), "RRRRRR");
  EXPECT_EQ(RowText(match_.Deal(), 1), "B.....");
  EXPECT_TRUE(match_.Deal().open);
}

// Every way a deal ends, and every kind of row, checked call by call against the rules'
// order: chronometer before panels, the board moved up before the chronometer stops,
// and the turn passed before a time-out's panels but after a proposal's next deal.
TEST_F(MatchTest, CallSequencesOfAWholeTwoPlayerMatch) {
  std::vector<int> currentAtPanels;
  show_.during = [&](const std::string& call) {
    if (call == "panels") currentAtPanels.push_back(match_.State().current);
  };
  auto take = [this] { return std::exchange(show_.log, {}); };
  const std::string ready = std::string("reveal 5 BATEAU [") + kReady + "]";

  match_.StartMatch(2, {"Ana", "Bob"});
  // The screen lays itself out once the settings are read, before the board is drawn.
  EXPECT_EQ(take(), Cat({{"layout 6 2", "board", "panels"}, kNewDeal}));

  Type("zzzzzz");  // player 1, row 1: wrong
  EXPECT_EQ(take(), Cat({Proposal(1, "ZZZZZZ", "xxxxxx", 2), kNextRow, kEndOfEvaluation}));
  match_.TimeOut();  // player 2, row 2
  EXPECT_EQ(take(), kNextRow);
  Type("BAT3AU");  // player 1, row 3: invalid, neither shown nor marked
  EXPECT_EQ(take(), Cat({Proposal(3, "BAT3AU", "", 2), kNextRow, kEndOfEvaluation}));
  Type("BATEZZ");  // player 2, row 4
  EXPECT_EQ(take(), Cat({Proposal(4, "BATEZZ", "****xx", 2), kNextRow, kEndOfEvaluation}));
  EXPECT_EQ(currentAtPanels, (std::vector<int>{1, 1, 1, 2, 1, 1, 2, 2, 1}));
  currentAtPanels.clear();
  match_.TimeOut();  // player 1 times out on the last row: the rows are used up
  EXPECT_EQ(take(), Cat({{"start", "panels", "board", "stop", ready}, kNewDeal}));
  EXPECT_EQ(currentAtPanels, (std::vector<int>{2, 2}));
  EXPECT_EQ(match_.State().current, 2);
  // The word is revealed under the last proposals, moved one row up; the invalid
  // proposal never reached the board.
  const DealState& usedUp = show_.revealed.at(0);
  EXPECT_EQ(RowText(usedUp, 2), "B.....");
  EXPECT_EQ(RowText(usedUp, 3), "BATEZZ");
  EXPECT_EQ(RowText(usedUp, 4), "BATE..");
  EXPECT_EQ(RowText(usedUp, 5), "BATEAU");
  EXPECT_EQ(RowColours(usedUp, 5), "RRRRRR");

  Type("BATEZZ");  // player 2
  take();
  Type("ZZZZAU");  // player 1: every letter known on row 3
  EXPECT_EQ(take(),
            Cat({Proposal(2, "ZZZZAU", "xxxx**", 2),
                 {"start", "panels", "board", std::string("reveal 3 BATEAU [") + kReady + "]"},
                 kNewDeal,
                 kEndOfEvaluation}));
  EXPECT_EQ(RowText(show_.revealed.at(1), 3), "BATEAU");
  for (const char* p : {"VVVVVV", "WWWWWW", "XXXXXX", "YYYYYY"}) Type(p);
  take();
  Type("ZZZZZZ");  // player 2, last row: the rows are used up
  EXPECT_EQ(take(), Cat({Proposal(5, "ZZZZZZ", "xxxxxx", 2),
                         {"start", "panels", "board", "stop", ready},
                         kNewDeal,
                         kEndOfEvaluation}));
  EXPECT_EQ(match_.State().current, 1);

  currentAtPanels.clear();
  Type("BATEAU");  // player 1 finds it
  EXPECT_EQ(take(), Cat({Proposal(1, "BATEAU", "******", 2),
                         {"reveal 1 BATEAU [Bravo Ana !!]", "board", "panels"},
                         kNewDeal,
                         kEndOfEvaluation}));
  // The next deal is laid out for the finder; the turn passes at the very end.
  EXPECT_EQ(currentAtPanels, (std::vector<int>{1, 1, 2}));

  Type("BATEAU");  // player 2 makes the first proposal of the next deal
  EXPECT_EQ(show_.Calls("reveal").back(), "reveal 1 BATEAU [Bravo Bob !!]");
  EXPECT_EQ(match_.State().scores, (std::array<int, 2>{1, 1}));

  for (int deal = 0; deal < 17; ++deal) Type("BATEAU");
  ASSERT_EQ(match_.State().scores, (std::array<int, 2>{10, 9}));
  // Ana's tenth point was the last deal: the word flashed, no message, the end.
  const Log& last = show_.log;
  ASSERT_GE(last.size(), 5u);
  EXPECT_EQ(Log(last.end() - 5, last.end()),
            (Log{"reveal 1 BATEAU []", "board", "panels", "end", "panels"}));
  EXPECT_EQ(show_.Calls("end").size(), 1u);
  EXPECT_TRUE(match_.State().over);
  // Mend: the proposal stays closed on the end-of-match panel.
  EXPECT_FALSE(match_.Deal().open);
  take();
  Type("BATEAU");
  match_.TimeOut();
  EXPECT_TRUE(show_.log.empty());
  EXPECT_EQ(match_.State().scores, (std::array<int, 2>{10, 9}));

  // "Oui": the same players start again, with the settings read anew.
  UseSettings(7, 1);
  match_.StartMatch(2, {"Ana", "Bob"});
  EXPECT_EQ(match_.State().scores, (std::array<int, 2>{0, 0}));
  EXPECT_EQ(match_.State().current, 1);
  EXPECT_EQ(match_.Deal().word, "CHATONS");
  EXPECT_EQ(match_.Deal().board.size(), 6u);
  EXPECT_TRUE(match_.Deal().open);
}

TEST_F(MatchTest, WrongProposalIsMarkedAndFoundPlacesAreGivenOnTheNextRow) {
  UseSettings(6, 2);  // RELEVE
  match_.StartMatch(1, {"Ana", ""});
  Type("ERREUR");
  EXPECT_EQ(match_.Deal().marks, "##x*xx");
  EXPECT_EQ(RowColours(match_.Deal(), 1), "YY-R--");
  EXPECT_EQ(RowText(match_.Deal(), 2), "R..E..");
  Type("EEEEEE");
  EXPECT_EQ(RowText(match_.Deal(), 3), "RE.E.E");
  EXPECT_EQ(match_.Deal().row, 3);
  EXPECT_TRUE(show_.Calls("reveal").empty());
}

TEST_F(MatchTest, TimeOutsOnEveryRowEndTheDealAlsoAfterAWonDeal) {
  match_.StartMatch(1, {"Ana", ""});
  Type("BATEAU");
  show_.log.clear();
  Type("BAT");
  for (int i = 0; i < 5; ++i) match_.TimeOut();
  EXPECT_EQ(show_.Calls("reveal"),
            (std::vector<std::string>{std::string("reveal 5 BATEAU [") + kReady + "]"}));
  EXPECT_TRUE(show_.Calls("proposal").empty());
  EXPECT_EQ(show_.Calls("start").size(), 6u);  // one per time-out, one for the new deal
  EXPECT_EQ(match_.State().scores[0], 1);
  EXPECT_TRUE(match_.Deal().open);
  EXPECT_TRUE(match_.Deal().proposal.empty());
}

TEST_F(MatchTest, OnePlayerAtNineWinsTheMatch) {
  match_.StartMatch(1, {"Ana", ""});
  for (int deal = 0; deal < 9; ++deal) Type("BATEAU");
  EXPECT_TRUE(show_.Calls("end").empty());
  Type("ZZZZZZ");
  Type("BATEAU");
  EXPECT_EQ(show_.Calls("reveal").back(), "reveal 2 BATEAU []");
  EXPECT_EQ(show_.Calls("end").size(), 1u);
  EXPECT_EQ(match_.State().current, 1);
}

// Keys and time-outs handed over from inside the presentation (as the screen's pauses
// do) are ignored whenever the proposal is closed: the match goes exactly as without them.
TEST_F(MatchTest, KeysAndTimeOutsDuringAnimationsAreIgnored) {
  auto play = [this] {
    match_.StartMatch(2, {"Ana", "Bob"});
    Type("BATEZZ");
    match_.TimeOut();
    Type("ZZZZAU");  // all letters known: reveal from PrepareRow while the chronometer runs
    Type("B3TEAU");
    for (int i = 0; i < 5; ++i) match_.TimeOut();
    for (int deal = 0; deal < 19; ++deal) Type("BATEAU");
  };
  play();
  const std::vector<std::string> calm = show_.log;
  const MatchState calmEnd = match_.State();

  show_.log.clear();
  std::map<std::string, int> injected;
  show_.during = [&](const std::string& call) {
    // Letters before the last are shown while the proposal is still open.
    if (call.rfind("typed", 0) == 0 && call.rfind("typed 6", 0) != 0) return;
    ++injected[call.substr(0, call.find(' '))];
    match_.AddKey('Q');
    match_.TimeOut();
    match_.AddKey('x');
    // "Oui" or a new showing while the rules run would pull the deal from under them.
    EXPECT_THROW(match_.StartMatch(2, {"Ana", "Bob"}), std::logic_error) << call;
  };
  play();
  for (const char* kind : {"typed", "proposal", "mark", "reveal", "panels", "start", "end"}) {
    EXPECT_GT(injected[kind], 0) << kind;
  }
  EXPECT_EQ(show_.log, calm);
  EXPECT_EQ(match_.State().scores, calmEnd.scores);
}

// A presentation call that fails (the screen closed mid-animation, say) ends the
// operation there: the proposal stays closed, later keys and time-outs change nothing,
// and the next match starts normally.
TEST_F(MatchTest, AFailingPresentationCallStopsTheRulesUntilTheNextMatch) {
  for (const std::string kind : {"typed 1", "typed 6", "proposal", "mark", "reveal", "board",
                                 "panels", "word", "start", "stop", "reset", "end"}) {
    SCOPED_TRACE(kind);
    show_.during = nullptr;
    match_.StartMatch(1, {"Ana", ""});
    bool armed = true;
    show_.during = [&](const std::string& call) {
      if (armed && call.rfind(kind, 0) == 0) {
        armed = false;
        throw std::runtime_error("fenêtre fermée");
      }
    };
    EXPECT_THROW(
        {
          Type("ZZZZZZ");
          match_.TimeOut();
          Type("BATEZZ");
          Type("ZZZZAU");  // every letter known: a reveal from PrepareRow
          for (int deal = 0; deal < 10; ++deal) Type("BATEAU");
        },
        std::runtime_error);
    const std::array<int, 2> scores = match_.State().scores;
    const DealState deal = match_.Deal();
    EXPECT_FALSE(deal.open);
    show_.log.clear();
    Type("BATEAU");
    match_.TimeOut();
    EXPECT_TRUE(show_.log.empty());
    EXPECT_EQ(match_.State().scores, scores);
    EXPECT_EQ(match_.Deal().row, deal.row);
  }
  show_.during = nullptr;
  match_.StartMatch(1, {"Ana", ""});
  EXPECT_TRUE(match_.Deal().open);
  EXPECT_EQ(match_.State().scores, (std::array<int, 2>{0, 0}));
}

TEST_F(MatchTest, KeysTypedWhileALetterIsShownAreTaken) {
  match_.StartMatch(1, {"Ana", ""});
  bool once = true;
  show_.during = [&](const std::string& call) {
    if (call == "typed 1 B" && once) {
      once = false;
      match_.AddKey('a');
    }
  };
  Type("BTEAU");
  EXPECT_EQ(show_.Calls("typed").at(1), "typed 2 A");
  EXPECT_EQ(match_.State().scores[0], 1);
}

// The bar of the player to play moves one step a tick; its hundredth step is a time-out.
// With two players, player 2's bar takes its first step in the tick of player 1's time-out.
TEST_F(MatchTest, ChronometerStepsTheBarOfThePlayerToPlay) {
  struct Case {
    int players;
    int ticks;
    int current, bar1, bar2, row;
  };
  for (const Case& c : {Case{1, 99, 1, 99, 0, 1}, Case{1, 100, 1, 0, 0, 2},
                        Case{1, 250, 1, 50, 0, 3}, Case{2, 99, 1, 99, 0, 1},
                        Case{2, 100, 2, 0, 1, 2}, Case{2, 198, 2, 0, 99, 2},
                        Case{2, 199, 1, 0, 0, 3}, Case{2, 200, 1, 1, 0, 3}}) {
    SCOPED_TRACE(::testing::Message() << c.players << " players, " << c.ticks << " ticks");
    Chronometer chronometer(match_);
    show_.during = [&](const std::string& call) {
      if (call.rfind("reset ", 0) == 0) chronometer.Reset(call.back() - '0');
    };
    match_.StartMatch(c.players, {"Ana", "Bob"});
    Type("BA");  // a time-out drops what was typed
    for (int k = 0; k < c.ticks; ++k) chronometer.Tick();
    EXPECT_EQ(match_.State().current, c.current);
    EXPECT_EQ(chronometer.Bar(1), c.bar1);
    EXPECT_EQ(chronometer.Bar(2), c.bar2);
    EXPECT_EQ(match_.Deal().row, c.row);
    EXPECT_EQ(match_.Deal().proposal.empty(), c.row > 1);
  }
}

// A damaged "mots" can hide such a word ("perso" can no longer: its words are all letters).
TEST_F(MatchTest, DotsInAHiddenWordAreNotTakenForGivenLetters) {
  WriteBytes("mots", test::DictionaryBytes({{"A.....", 0}}));
  LoadDictionary();
  match_.StartMatch(1, {"Ana", ""});
  EXPECT_EQ(RowText(match_.Deal(), 1), "A.....");
  EXPECT_TRUE(show_.Calls("reveal").empty());
  EXPECT_TRUE(match_.Deal().open);
}

TEST_F(MatchTest, FailedStartLeavesNoDealRunning) {
  std::remove("data");
  EXPECT_THROW(match_.StartMatch(1, {"Ana", ""}), IoError);
  EXPECT_FALSE(match_.Deal().open);
  Type("BATEAU");
  match_.TimeOut();
  EXPECT_TRUE(show_.log.empty());

  WriteBytes("data", SettingsBytes(Settings(7, 2, 2)));  // no 7-letter Difficile word
  EXPECT_THAT(
      [this] {
        match_.StartMatch(1, {"Ana", ""});
      },
      ::testing::ThrowsMessage<GameError>(::testing::StrEq("Il n'y a aucun mot!!")));
  EXPECT_FALSE(match_.Deal().open);

  WriteBytes("data", SettingsBytes(Settings(9, 1, 2)));
  EXPECT_THROW(match_.StartMatch(1, {"Ana", ""}), GameError);
  EXPECT_FALSE(match_.Deal().open);

  UseSettings(6, 1);
  match_.StartMatch(1, {"Ana", ""});
  EXPECT_TRUE(match_.Deal().open);
}

}  // namespace
}  // namespace verdal
