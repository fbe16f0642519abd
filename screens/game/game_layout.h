// The game screen's cells as one geometry table (boards, proposal rows, point boxes) and the
// colours they take; the fixed controls are in form_jeu6.ui.
#pragma once

#include <QColor>
#include <QString>

#include "screens/support/control_look.h"

namespace verdal::game_layout {

// Board cells, proposal cells and point cells change colour as the game goes.
inline const QColor kPlain = ToQColor(colours::CellBlue);
inline const QColor kYellow = ToQColor(colours::CellYellow);
inline const QColor kRed = ToQColor(colours::Red);
inline const QColor kSilver = ToQColor(colours::Silver);
inline const QColor kGrey = ToQColor(colours::Grey);
inline const QColor kNavy = ToQColor(colours::Navy);
inline const QColor kBlack = ToQColor(colours::Black);
inline const QColor kWhite = ToQColor(colours::White);

// A run of cells laid out at left0 + dx (j - 1), top0 + dy (r - 1) inside a container.
struct CellRun {
  int left0, dx, top0, dy;
  int width, height;
};

// One word length's board and proposal row. Names take the row (%1) and the column (%2), or
// the column alone (%1) for the proposal row.
struct LengthLayout {
  int length;
  const char* board;
  const char* cellName;
  int rows;
  CellRun cells;
  int cellFontPx;
  const char* proposalRow;
  const char* proposalCellName;
  CellRun proposalCells;
};

inline constexpr int kProposalFontPx = 64;

// clang-format off
inline constexpr LengthLayout kLengths[] = {
//  L  board         cells           R  left0 dx top0 dy  w   h  font  row        row cells       left0 dx top0 dy  w   h
   {6, "Panel_jeu6", "Panel%1_%2",   5, { 8, 72,  8, 80, 70, 70}, 64, "Panel2",  "Panel_rep%1",  {8, 72, 5, 0, 70, 70}},
   {7, "Panel_jeu7", "Panel8_%1_%2", 6, {16, 59, 16, 64, 55, 55}, 64, "Panel13", "Panel2_rep%1", {8, 64, 5, 0, 60, 70}},
   {8, "Panel_jeu8", "Panel9_%1_%2", 7, {24, 51, 16, 56, 45, 45}, 53, "Panel1",  "Panel3_rep%1", {8, 56, 5, 0, 55, 70}},
};
// clang-format on

// Point cell n of player p (from 1) inside the player's face box: P10 at the top, P1 at the
// bottom. Player 1's third point alone is spelt with a capital, P3_Joueur1: whatever finds the
// points by name (the screen's tests among them) looks for that spelling.
inline constexpr const char* kPointBoxes[] = {"Panel42", "Panel53"};
inline constexpr CellRun kPointCells = {8, 0, 50 + 8 * 9, -8, 81, 7};
inline QString PointCellName(int player, int n) {
  if (player == 1 && n == 3) return QStringLiteral("P3_Joueur1");
  return QStringLiteral("P%1_joueur%2").arg(n).arg(player);
}

inline const LengthLayout& LayoutFor(int length) {
  for (const LengthLayout& layout : kLengths) {
    if (layout.length == length) return layout;
  }
  return kLengths[0];
}

}  // namespace verdal::game_layout
