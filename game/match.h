// The rules of a deal and of a match, driven by typed keys and chronometer time-outs.
#pragma once

#include <array>
#include <string>

#include "game/match_state.h"
#include "game/presentation.h"

namespace verdal {

class Match {
 public:
  static constexpr int kWinningScore = 10;

  // The presentation is not owned and must outlive the match.
  explicit Match(Presentation& presentation) : show_(presentation) {}
  Match(const Match&) = delete;
  Match& operator=(const Match&) = delete;

  // Reads "data", rebuilds the word pool and deals the first word. Throws IoError or
  // GameError; the proposal then stays closed and no deal runs. Called while another
  // operation is still running (from inside a presentation call, last typed letter
  // included) it throws std::logic_error and changes nothing.
  //
  // Whatever a presentation call throws ends the operation there and reaches the
  // caller of AddKey, TimeOut or StartMatch; the proposal stays closed, so nothing
  // moves until the next StartMatch.
  void StartMatch(int players, const std::array<std::string, 2>& names);
  // One typed character. Ignored while the proposal is closed: during every
  // animation, the next-word wait and after the end of the match.
  void AddKey(char character);
  // The current player's chronometer ran out. Ignored while the proposal is closed:
  // a tick still queued when the proposal closed must not move the board on under
  // a running animation.
  void TimeOut();

  const MatchState& State() const { return match_; }
  const DealState& Deal() const { return deal_; }

 private:
  template <class Operation>
  void RunClosed(Operation&& operation);

  void NewDeal();
  void PrepareRow(int r);
  void EvaluateProposal();
  void NextRow();
  void EndDealUnfound();
  void WordFound();
  void Reveal(int row, const std::string& message);
  void ClearBoard();
  void RefreshPanels();
  void NextDealOrEndOfMatch();

  Presentation& show_;
  MatchState match_;
  DealState deal_;
  int busy_ = 0;  // operations running from outside (start, evaluation, time-out)
};

}  // namespace verdal
