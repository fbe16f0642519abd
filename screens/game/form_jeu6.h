// Form_jeu6: the game screen, on which whole matches are played from the keyboard.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "components/wave/wave.h"
#include "game/chronometer.h"
#include "game/match.h"
#include "game/presentation.h"

class QStyle;
class QTimer;

namespace Ui {
class Form_jeu6;
}

namespace verdal {

class LetterCell;

// Created hidden at start-up; the set-up screen writes the names into Label_joueur1 and
// Label_joueur2 and the number of players into its own Label1, then shows it. Each showing
// starts a match; closing only hides the window and gives up the match in progress.
class TForm_jeu6 : public QWidget, public Presentation {
  Q_OBJECT

 public:
  explicit TForm_jeu6(QWidget* parent = nullptr);
  ~TForm_jeu6() override;

  // The creation work, run by the constructor: the program's folder becomes current and
  // the random generator is seeded. Throws IoError.
  void FormCreate();

  // One chronometer step: the bar of the player to play advances, and a full bar is a
  // time-out. Timer1 calls it every ChronoStep milliseconds while it runs.
  void Timer1Timer();

  // Handles window events until ms milliseconds of AppClock() have passed. Throws Abandoned
  // once the window has been closed or the application is ending, so that the operation of
  // the rules in progress is given up.
  void Pause(int ms);

  // What the rules ask the screen to show; each returns when its visible work is done.
  void MatchStarting(int length, int players) override;
  void DealStarted(const std::string& word) override;
  void ShowTypedLetter(int position, char letter) override;
  void ShowProposal(int row, const std::string& text) override;
  void ShowMark(int row, int column, char mark) override;
  void RevealAnswer(int row, const std::string& word, const std::string& message) override;
  void UpdatePanels() override;
  void BoardChanged() override;
  void EndOfMatch() override;
  void StartChronometer() override;
  void StopChronometer() override;
  void ResetChronometer(int player) override;

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  struct CellGrid {
    std::vector<std::vector<LetterCell*>> board;  // [r - 1][j - 1]
    std::vector<LetterCell*> proposal;            // [j - 1]
  };

  void MakeCells();
  void LoadSounds();
  void ConnectHandlers();

  void FormShow();
  void FormKeyPress(const QString& text);
  void Image_okClick();
  void Image_quitterClick();
  void Image_aideClick();
  void Image_quitterMouseMove();
  void Image_aideMouseMove();
  void FormMouseMove();
  void BitBtn1Click();
  void BitBtn2Click();
  void FormClose();

  // Starting a match, on showing and on "Oui". A window shown again while the match it gave
  // up is still unwinding starts once the rules have returned.
  void StartMatch();
  void StartMatchNow();
  void StartFailed();
  // Every call into the rules goes through here, so a start asked for meanwhile can wait.
  template <class Call>
  void IntoRules(Call&& call);
  void StartIfPending();

  // Rendering of the match state.
  void ClearBoard();
  void ClearProposalRow();
  void ShowScore(int player, int score);
  void ClearPointCells();
  void ShowBoardOfLength();
  void HideBoards();
  void HideBoardsAndRows();
  void ShowBars();
  void Play(TWave& wave);
  QWidget* Control(const char* name) const;

  std::unique_ptr<Ui::Form_jeu6> ui_;
  QTimer* Timer1 = nullptr;
  TWave Wave_jaune;
  TWave Wave_rouge;

  Match match_{*this};
  Chronometer chronometer_{match_};

  std::array<CellGrid, 3> grids_;                        // for 6, 7 and 8 letters
  std::array<std::array<LetterCell*, 10>, 2> points_{};  // [player - 1][n - 1]
  const CellGrid* cells_ = &grids_[0];                   // the cell map of the match's length

  int players_ = 1;
  int length_ = 6;
  int sound_ = 2;
  QString lastKeyText_;  // what the key being taken typed, for a character outside Latin-1

  bool abandoned_ = false;  // closed: every pause under way gives up, nothing restarts
  int rulesDepth_ = 0;
  bool startPending_ = false;
};

}  // namespace verdal
