// The rules of a deal and of a match, driven by typed keys and chronometer time-outs.
#include "game/match.h"

#include <algorithm>
#include <stdexcept>

#include "common/ascii.h"
#include "game/game_error.h"
#include "game/marking.h"
#include "game/settings_file.h"
#include "game/unit_var.h"
#include "game/word_pool.h"

namespace verdal {
namespace {

constexpr const char* kReadyMessage = "Prêt pour le mot suivant?";

}  // namespace

// Every operation that reaches the rules from outside runs with the proposal closed,
// since the presentation may hand us keys and time-outs while it animates. The
// proposal opens again when the outermost operation is over, unless the match has
// ended or the operation failed.
template <class Operation>
void Match::RunClosed(Operation&& operation) {
  deal_.open = false;
  ++busy_;
  try {
    operation();
  } catch (...) {
    --busy_;
    throw;
  }
  --busy_;
  if (busy_ == 0 && !match_.over) deal_.open = true;
}

void Match::StartMatch(int players, const std::array<std::string, 2>& names) {
  if (busy_ > 0) throw std::logic_error("StartMatch called while the rules are running");
  RunClosed([&] {
    match_ = MatchState{};
    match_.players = players == 2 ? 2 : 1;
    match_.names = names;
    deal_ = DealState{};
    ReadSettings();
    const int length = CurrentSettings.WordLength;
    if (length < 6 || length > 8) {
      throw GameError("Longueur de mot incorrecte : " + std::to_string(length));
    }
    BuildWordPool();
    match_.L = length;
    match_.R = length - 1;
    show_.MatchStarting(match_.L, match_.players);
    ClearBoard();
    RefreshPanels();
    NewDeal();
  });
}

void Match::AddKey(char character) {
  if (!deal_.open || deal_.proposal.size() >= static_cast<std::size_t>(match_.L)) return;
  const char letter = AsciiUpper(character);
  deal_.proposal += letter;
  const int position = static_cast<int>(deal_.proposal.size());
  if (position < match_.L) {
    // The proposal stays open while a letter is shown, so a key handed to us then is
    // taken; a failed showing closes it like any other failed presentation call.
    try {
      show_.ShowTypedLetter(position, letter);
    } catch (...) {
      deal_.open = false;
      throw;
    }
    return;
  }
  // The last letter is shown with the proposal already closed and the evaluation under
  // way, so that nothing handed to us meanwhile (a key, a time-out, a new match) can
  // act on this proposal before it is marked.
  RunClosed([&] {
    show_.ShowTypedLetter(position, letter);
    EvaluateProposal();
  });
}

void Match::TimeOut() {
  if (!deal_.open) return;
  RunClosed([this] {
    deal_.proposal.clear();
    if (match_.players == 2) match_.current = 3 - match_.current;
    NextRow();
  });
}

void Match::NewDeal() {
  ClearBoard();
  deal_.row = 1;
  RefreshPanels();
  deal_.word = DrawWord();
  show_.DealStarted(deal_.word);
  PrepareRow(1);
  show_.ResetChronometer(1);
  show_.ResetChronometer(2);
  show_.StartChronometer();
}

void Match::PrepareRow(int r) {
  // A column is known when an earlier row has it red; the first letter is always
  // given. The row is complete when every column is known, which, unlike comparing
  // texts, cannot mistake a "." in a personal word for a given letter.
  bool complete = true;
  for (int j = 1; j <= match_.L; ++j) {
    bool known = j == 1;
    for (int k = 1; k < r && !known; ++k) known = deal_.At(k, j).colour == CellColour::Red;
    deal_.At(r, j).text.assign(1, known ? deal_.word[j - 1] : '.');
    complete = complete && known;
  }
  show_.BoardChanged();
  if (complete) {
    Reveal(r, kReadyMessage);
    NewDeal();
  }
}

void Match::EvaluateProposal() {
  deal_.found = false;
  show_.StopChronometer();
  show_.ResetChronometer(1);
  if (match_.players == 2) show_.ResetChronometer(2);

  const std::string proposal = deal_.proposal;
  const int row = deal_.row;
  if (IsValidProposal(proposal, match_.L)) {
    for (int j = 1; j <= match_.L; ++j) deal_.At(row, j) = Cell{std::string(1, proposal[j - 1])};
    show_.ShowProposal(row, proposal);
    deal_.marks = Mark(proposal, deal_.word);
    deal_.found = proposal == deal_.word;
    for (int j = 1; j <= match_.L; ++j) {
      const char mark = deal_.marks[j - 1];
      deal_.At(row, j).colour = mark == kMarkPlaced      ? CellColour::Red
                                : mark == kMarkMisplaced ? CellColour::Yellow
                                                         : CellColour::Plain;
      show_.ShowMark(row, j, mark);
    }
  }

  if (deal_.found) {
    WordFound();
  } else {
    NextRow();
  }
  match_.current = match_.players == 2 ? 3 - match_.current : 1;
  RefreshPanels();
}

void Match::NextRow() {
  show_.StartChronometer();
  ++deal_.row;
  RefreshPanels();
  if (deal_.row <= match_.R) {
    PrepareRow(deal_.row);
    return;
  }
  EndDealUnfound();
  deal_.row = 1;
  NextDealOrEndOfMatch();
}

void Match::EndDealUnfound() {
  // The last failed proposal stays visible one row up, above the revealed word.
  std::copy(deal_.board.begin() + 1, deal_.board.end(), deal_.board.begin());
  show_.BoardChanged();
  show_.StopChronometer();
  Reveal(match_.R, kReadyMessage);
}

void Match::WordFound() {
  int& score = match_.scores[match_.current - 1];
  ++score;
  if (score == kWinningScore) {
    Reveal(deal_.row, "");
  } else {
    Reveal(deal_.row, "Bravo " + match_.names[match_.current - 1] + " !!");
  }
  deal_.row = 1;
  ClearBoard();
  RefreshPanels();
  NextDealOrEndOfMatch();
}

void Match::Reveal(int row, const std::string& message) {
  for (int j = 1; j <= match_.L; ++j) {
    deal_.At(row, j) = Cell{std::string(1, deal_.word[j - 1]), CellColour::Red};
  }
  show_.RevealAnswer(row, deal_.word, message);
}

void Match::ClearBoard() {
  deal_.board.assign(match_.R, std::vector<Cell>(match_.L));
  show_.BoardChanged();
}

void Match::RefreshPanels() {
  deal_.proposal.clear();
  show_.UpdatePanels();
}

void Match::NextDealOrEndOfMatch() {
  if (std::any_of(match_.scores.begin(), match_.scores.end(),
                  [](int s) { return s >= kWinningScore; })) {
    match_.over = true;
    show_.EndOfMatch();
  } else {
    NewDeal();
  }
}

}  // namespace verdal
