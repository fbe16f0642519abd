// Form_jeu6: what the rules ask to see and hear, with its pauses, and the rendering of the
// boards, the proposal row and the players' panels.
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>

#include "common/clock.h"
#include "common/messages.h"
#include "game/settings_file.h"
#include "game/unit_var.h"
#include "game/word_pool.h"
#include "screens/game/form_jeu6.h"
#include "screens/game/game_layout.h"
#include "screens/game/key_encoding.h"
#include "screens/game/letter_cell.h"
#include "screens/support/control_look.h"
#include "screens/support/event_wait.h"
#include "ui_form_jeu6.h"

namespace verdal {
namespace {

using namespace game_layout;

constexpr int kLetterMs = 200;
constexpr int kMarkMs = 300;
constexpr int kFlashGapMs = 250;
constexpr int kFlashLetterMs = 150;

const QColor& ColourOf(CellColour colour) {
  switch (colour) {
    case CellColour::Yellow:
      return kYellow;
    case CellColour::Red:
      return kRed;
    case CellColour::Plain:
      break;
  }
  return kPlain;
}

void Show(LetterCell* cell, const QString& text, const QColor& colour) {
  cell->setText(text);
  cell->SetColour(colour);
}

}  // namespace

void TForm_jeu6::Pause(int ms) {
  if (abandoned_) throw Abandoned();
  EventWait wait;
  // Closing the window gives the match up at once, not at the end of the pause.
  wait.EndOn(*this, QEvent::Hide);
  PauseWithEvents(wait, ms, [this] { return abandoned_; });
}

// ---- Presentation ----

void TForm_jeu6::MatchStarting(int length, int players) {
  length_ = length;
  players_ = players;
  sound_ = CurrentSettings.Sound;
  HideBoardsAndRows();
  ui_->Panel5->hide();
  ui_->Panel_bravo->hide();
  SetCaption(*ui_->Label2, QString::number(CurrentWordPool().count));
  // A step of 0 or less (only by editing "data") would tick without pause.
  Timer1->setInterval(std::max(CurrentSettings.ChronoStep, 1));
  cells_ = &grids_[LayoutFor(length).length - 6];
  ShowBoardOfLength();
  ClearBoard();
  ClearPointCells();
  ShowScore(1, 0);
  ShowScore(2, 0);
}

void TForm_jeu6::DealStarted(const std::string& word) { SetCaption(*ui_->Label1, ShownText(word)); }

void TForm_jeu6::ShowTypedLetter(int position, char letter) {
  LetterCell* cell = cells_->proposal.at(position - 1);
  cell->setText(ShownCharacter(letter, lastKeyText_));
  cell->repaint();
  Play(Wave_jaune);
}

void TForm_jeu6::ShowProposal(int row, const std::string& text) {
  const auto& cells = cells_->board.at(row - 1);
  for (LetterCell* cell : cells) Show(cell, QString(), kPlain);
  for (std::size_t j = 0; j < cells.size(); ++j) {
    cells[j]->setText(ShownCharacter(text.at(j)));
    Pause(kLetterMs);
  }
}

void TForm_jeu6::ShowMark(int row, int column, char mark) {
  LetterCell* cell = cells_->board.at(row - 1).at(column - 1);
  if (mark == '*' || mark == '#') {
    cell->SetColour(mark == '*' ? kRed : kYellow);
    Play(Wave_rouge);
  } else {
    Play(Wave_jaune);
  }
  Pause(kMarkMs);
}

void TForm_jeu6::RevealAnswer(int row, const std::string& word, const std::string& message) {
  const auto& cells = cells_->board.at(row - 1);
  for (int flash = 0; flash < 2; ++flash) {
    Pause(kFlashGapMs);
    for (LetterCell* cell : cells) Show(cell, QString(), kPlain);
    for (std::size_t j = 0; j < cells.size(); ++j) {
      Show(cells[j], ShownCharacter(word.at(j)), kRed);
      Pause(kFlashLetterMs);
    }
  }
  Timer1->stop();
  if (message.empty()) return;

  ui_->Panel_suivant->setText(QString::fromUtf8(message));
  ui_->Image_ok->show();
  HideBoards();
  ui_->Panel5->show();
  for (std::size_t j = 0; j < cells_->proposal.size(); ++j) {
    Show(cells_->proposal[j], ShownCharacter(word.at(j)), kRed);
  }
  ui_->Image_quitter->setEnabled(false);
  ui_->Image_aide->setEnabled(true);
  // OK hides the panel; closing the window or the application's end gives the match up.
  EventWait wait;
  wait.EndOn(*ui_->Panel5, QEvent::Hide);
  wait.EndOn(*this, QEvent::Hide);
  while (!ui_->Panel5->isHidden()) {
    if (abandoned_ || !wait.Run()) throw Abandoned();
  }
}

void TForm_jeu6::UpdatePanels() {
  ui_->Panel5->hide();
  ui_->Image_quitter->setEnabled(true);
  ui_->Image_aide->setEnabled(false);
  ClearProposalRow();

  const MatchState& state = match_.State();
  ShowScore(1, state.scores[0]);
  QLabel* names[] = {ui_->Label_joueur1, ui_->Label_joueur2};
  QWidget* panels[] = {ui_->Panel_control1, ui_->Panel_control2};
  QWidget* bars[] = {ui_->ProgressBar1, ui_->ProgressBar2};
  QWidget* laughing[] = {ui_->Image1_rire, ui_->Image2_rire};
  QWidget* sad[] = {ui_->Image1_triste, ui_->Image2_triste};
  const bool two = state.players == 2;
  if (two) ShowScore(2, state.scores[1]);
  ui_->Panel_control2->setVisible(two);
  ui_->Panel4->setVisible(two);
  for (int p = 0; p < (two ? 2 : 1); ++p) {
    const bool toPlay = state.current == p + 1;
    SetTextColour(*names[p], toPlay ? kNavy : kBlack);
    QPalette palette = panels[p]->palette();
    palette.setColor(QPalette::Window, toPlay ? kSilver : kGrey);
    panels[p]->setPalette(palette);
    panels[p]->setAutoFillBackground(true);
    bars[p]->setVisible(toPlay);
    laughing[p]->setVisible(toPlay);
    sad[p]->setVisible(!toPlay);
  }
  // A time-out refreshes the panels from inside the tick, before the tick shows the bars: a
  // bar that ran out must read 0 through a reveal of the word that the time-out may start.
  ShowBars();
}

void TForm_jeu6::BoardChanged() {
  const DealState& deal = match_.Deal();
  for (std::size_t r = 0; r < cells_->board.size() && r < deal.board.size(); ++r) {
    for (std::size_t j = 0; j < cells_->board[r].size() && j < deal.board[r].size(); ++j) {
      const Cell& cell = deal.board[r][j];
      Show(cells_->board[r][j], ShownText(cell.text), ColourOf(cell.colour));
    }
  }
}

void TForm_jeu6::EndOfMatch() {
  ui_->Panel_bravo->show();
  ui_->Panel_bravo->repaint();
  // The dissolve handles no event until its last frame: no tick, key or click reaches the
  // rules of a match that has ended while its picture comes in.
  ui_->LumoFade1->Fade().Dissolve();
  HideBoards();
  ui_->Panel5->hide();
}

void TForm_jeu6::StartChronometer() {
  if (!abandoned_) Timer1->start();
}

void TForm_jeu6::StopChronometer() { Timer1->stop(); }

void TForm_jeu6::ResetChronometer(int player) {
  chronometer_.Reset(player);
  ShowBars();
}

// ---- Rendering ----

void TForm_jeu6::ClearBoard() {
  for (const auto& row : cells_->board) {
    for (LetterCell* cell : row) Show(cell, QString(), kPlain);
  }
}

void TForm_jeu6::ClearProposalRow() {
  for (LetterCell* cell : cells_->proposal) Show(cell, QString(), kSilver);
}

void TForm_jeu6::ShowScore(int player, int score) {
  for (int n = 1; n <= std::min(score, 10); ++n) Show(points_[player - 1][n - 1], QString(), kRed);
  QLabel* panel = player == 1 ? ui_->Panel_scorejoueur1 : ui_->Panel_scorejoueur2;
  panel->setText(QString::number(score));
}

void TForm_jeu6::ClearPointCells() {
  for (int p = 0; p < players_; ++p) {
    for (LetterCell* cell : points_[p]) Show(cell, QString(), kBlack);
  }
}

QWidget* TForm_jeu6::Control(const char* name) const {
  return findChild<QWidget*>(QString::fromLatin1(name));
}

void TForm_jeu6::ShowBoardOfLength() {
  const LengthLayout& layout = LayoutFor(length_);
  Control(layout.board)->show();
  Control(layout.proposalRow)->show();
}

void TForm_jeu6::HideBoards() {
  for (const LengthLayout& layout : kLengths) Control(layout.board)->hide();
}

void TForm_jeu6::HideBoardsAndRows() {
  HideBoards();
  for (const LengthLayout& layout : kLengths) Control(layout.proposalRow)->hide();
}

void TForm_jeu6::ShowBars() {
  ui_->ProgressBar1->setValue(chronometer_.Bar(1));
  ui_->ProgressBar2->setValue(chronometer_.Bar(2));
}

void TForm_jeu6::Play(TWave& wave) {
  if (sound_ == 1) wave.Play();
}

}  // namespace verdal
