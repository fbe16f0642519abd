// Form_param: the settings window ("Règlages"): word length, chronometer, sound, level,
// personal list, the number of words they allow, and saving them into "data".
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>

#include "game/personal_list.h"

namespace Ui {
class Form_param;
}

namespace verdal {

// A tool window that stays on top, created hidden. Closing it only hides it; OK is the
// only way out, and it refuses while no word is playable.
class TForm_param : public QWidget {
  Q_OBJECT

 public:
  explicit TForm_param(QWidget* parent = nullptr);
  ~TForm_param() override;

  // The creation work: makes the program's folder current, counts "perso" by length,
  // reads "data" into CurrentSettings, sets the controls from it and counts the playable
  // words into AvailableWordCount. Throws IoError. The program runs it once, inside
  // ReportErrors, right after constructing the screen.
  //
  // When it throws, the rest is skipped and the screen stays as constructed: no button
  // checked, the track bar at its first position with an empty time label, no count
  // shown and AvailableWordCount 0, so no match starts until a choice here allows words.
  // The screen's own settings then start as the untouched controls stand: sound off,
  // the personal list unused, the track bar's 5 seconds.
  void FormCreate();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ConnectHandlers();
  void SetControlsFromSettings();
  void UpdateWordCount();

  // RadioButton1Click to RadioButton3Click, Radio_ouiClick and Radio_nonClick,
  // Radio_facileClick to Radio_completClick: run for the button that becomes checked.
  void LengthClick(int length);
  void SoundClick(std::int32_t sound);
  void DifficultyClick(std::int32_t difficulty);
  void Radio_quepersoClick();
  void Check_persoClick(bool checked);
  void TrackBar1Change(int position);
  void Image1Click();

  std::unique_ptr<Ui::Form_param> ui_;

  // The screen's own copies of the five settings; they reach CurrentSettings only on OK.
  std::int32_t Sound = 2;
  std::int32_t WordLength = 0;
  std::int32_t ChronoStep = 50;
  std::int32_t Difficulty = 0;
  std::int32_t UsePersonal = 2;

  PersonalCounts personalCounts_;
  std::int32_t wordCount_ = 0;
};

}  // namespace verdal
