// The state of a match and of its current deal, as the screen renders them.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace verdal {

enum class CellColour { Plain, Yellow, Red };

struct Cell {
  std::string text;  // empty, "." or one letter
  CellColour colour = CellColour::Plain;

  friend bool operator==(const Cell&, const Cell&) = default;
};

struct MatchState {
  int players = 1;
  std::array<std::string, 2> names;
  int current = 1;              // player whose turn it is, 1 or 2
  std::array<int, 2> scores{};  // players 1 and 2
  int L = 0;                    // word length, fixed for the match
  int R = 0;                    // rows of the board, L - 1
  bool over = false;            // a player has reached 10 points
};

struct DealState {
  std::string word;
  std::vector<std::vector<Cell>> board;  // board[r - 1][j - 1] for row r, column j
  int row = 1;                           // the row that receives the next proposal
  std::string proposal;
  bool open = false;  // typed keys are taken
  std::string marks;  // of the last marked proposal
  bool found = false;

  const Cell& At(int r, int j) const { return board[r - 1][j - 1]; }
  Cell& At(int r, int j) { return board[r - 1][j - 1]; }
};

}  // namespace verdal
