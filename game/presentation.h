// What the rules ask the game screen to show, animate, sound or wait for.
#pragma once

#include <string>

namespace verdal {

// Each call returns when its visible work is done. An implementation may handle
// window events while it runs (its pauses do), so AddKey and TimeOut can be called
// from inside any of these; the rules keep the proposal closed at those times.
class Presentation {
 public:
  virtual ~Presentation() = default;

  // A match begins: the settings are read and the pool is built, and nothing of the
  // board has been drawn yet. The screen lays itself out for words of `length`
  // letters and the number of players.
  virtual void MatchStarting(int length, int players) = 0;
  // A new deal's word has been drawn, before its first row is prepared.
  virtual void DealStarted(const std::string& word) = 0;

  // Proposal cell `position` (from 1) shows the typed letter.
  virtual void ShowTypedLetter(int position, char letter) = 0;
  // Lays a valid proposal into a board row, letter by letter.
  virtual void ShowProposal(int row, const std::string& text) = 0;
  // Colours one cell after marking ('*' red, '#' yellow, 'x' plain), with its sound.
  virtual void ShowMark(int row, int column, char mark) = 0;
  // Flashes the word on a row; with a message, shows the next-word panel and
  // returns once the player has acknowledged it.
  virtual void RevealAnswer(int row, const std::string& word, const std::string& message) = 0;
  // Refreshes the players' panels, scores and chronometer bars; empties the proposal row.
  virtual void UpdatePanels() = 0;
  // The board changed without an animation (cleared, a row prepared, rows moved up):
  // draw it again from Match::Deal().board.
  virtual void BoardChanged() = 0;
  virtual void EndOfMatch() = 0;

  virtual void StartChronometer() = 0;
  virtual void StopChronometer() = 0;
  // Sets player 1's or player 2's chronometer bar back to 0.
  virtual void ResetChronometer(int player) = 0;
};

}  // namespace verdal
