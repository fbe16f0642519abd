// Form_param: the settings window and its handlers.
#include "screens/settings/form_param.h"

#include <QPixmap>
#include <QString>

#include "assets/pictures/pictures.h"
#include "common/messages.h"
#include "common/program_folder.h"
#include "game/dictionary_file.h"
#include "game/settings_file.h"
#include "game/unit_var.h"
#include "screens/settings/chrono_positions.h"
#include "ui_form_param.h"

namespace verdal {

TForm_param::TForm_param(QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::Form_param>()) {
  ui_->setupUi(this);
  // A top-level widget of a plain QWidget class paints its style sheet background only so.
  setAttribute(Qt::WA_StyledBackground);
  move(138, 80);
  ui_->Image1->setPixmap(QPixmap(pictures::kOk));
  ConnectHandlers();
}

TForm_param::~TForm_param() = default;

void TForm_param::ConnectHandlers() {
  // toggled() comes on every change of state, whether the player or the program made
  // it, and never when the state stays: the handlers rely on exactly that. A radio
  // button's handler runs for the button that becomes checked, after the group has
  // cleared the one that was.
  const auto onChecked = [this](QAbstractButton* button, auto handler) {
    connect(button, &QAbstractButton::toggled, this, [handler](bool checked) {
      if (checked) ReportErrors([&] { handler(); });
    });
  };
  onChecked(ui_->RadioButton1, [this] { LengthClick(6); });
  onChecked(ui_->RadioButton2, [this] { LengthClick(7); });
  onChecked(ui_->RadioButton3, [this] { LengthClick(8); });
  onChecked(ui_->Radio_oui, [this] { SoundClick(1); });
  onChecked(ui_->Radio_non, [this] { SoundClick(2); });
  onChecked(ui_->Radio_facile, [this] { DifficultyClick(1); });
  onChecked(ui_->Radio_difficile, [this] { DifficultyClick(2); });
  onChecked(ui_->Radio_complet, [this] { DifficultyClick(3); });
  onChecked(ui_->Radio_queperso, [this] { Radio_quepersoClick(); });
  connect(ui_->Check_perso, &QAbstractButton::toggled, this,
          [this](bool checked) { ReportErrors([&] { Check_persoClick(checked); }); });
  connect(ui_->TrackBar1, &QSlider::valueChanged, this,
          [this](int position) { ReportErrors([&] { TrackBar1Change(position); }); });
  connect(ui_->Image1, &PictureButton::clicked, this,
          [this] { ReportErrors([&] { Image1Click(); }); });
}

void TForm_param::FormCreate() {
  MakeProgramFolderCurrent();
  personalCounts_ = CountPersonalList();
  ReadSettings();
  Sound = CurrentSettings.Sound;
  WordLength = CurrentSettings.WordLength;
  ChronoStep = CurrentSettings.ChronoStep;
  Difficulty = CurrentSettings.Difficulty;
  UsePersonal = CurrentSettings.UsePersonal;
  SetControlsFromSettings();
  UpdateWordCount();
}

void TForm_param::SetControlsFromSettings() {
  // Each change runs its handler as a click would: a stored sound other than 1 checks
  // "Non" and so becomes 2.
  switch (Difficulty) {
    case 1:
      ui_->Radio_facile->setChecked(true);
      break;
    case 2:
      ui_->Radio_difficile->setChecked(true);
      break;
    case 3:
      ui_->Radio_complet->setChecked(true);
      break;
    case 4:
      UsePersonal = 1;
      ui_->Radio_queperso->setChecked(true);
      break;
    default:
      break;
  }
  ui_->Check_perso->setChecked(UsePersonal == 1);
  switch (WordLength) {
    case 6:
      ui_->RadioButton1->setChecked(true);
      break;
    case 7:
      ui_->RadioButton2->setChecked(true);
      break;
    case 8:
      ui_->RadioButton3->setChecked(true);
      break;
    default:
      break;
  }
  (Sound == 1 ? ui_->Radio_oui : ui_->Radio_non)->setChecked(true);
  // A step the track bar cannot show stays in force, untouched, until the bar moves.
  if (const auto position = ChronoPositionOf(ChronoStep)) {
    ui_->TrackBar1->setValue(*position);
    ui_->Label2->setText(QString::fromUtf8(kChronoPositions[*position].text));
  }
}

void TForm_param::UpdateWordCount() {
  int lengthIndex = -1;
  if (ui_->RadioButton1->isChecked()) lengthIndex = 0;
  if (ui_->RadioButton2->isChecked()) lengthIndex = 1;
  if (ui_->RadioButton3->isChecked()) lengthIndex = 2;

  std::int32_t count = 0;
  if (lengthIndex >= 0) {
    if (ui_->Radio_facile->isChecked()) count += DictionaryCounts[wcFamiliar][lengthIndex];
    if (ui_->Radio_difficile->isChecked()) count += DictionaryCounts[wcLessFamiliar][lengthIndex];
    if (ui_->Radio_complet->isChecked()) {
      count +=
          DictionaryCounts[wcFamiliar][lengthIndex] + DictionaryCounts[wcLessFamiliar][lengthIndex];
    }
    if (ui_->Check_perso->isChecked()) {
      const std::int32_t personal = personalCounts_.byLength[lengthIndex];
      count = ui_->Radio_queperso->isChecked() ? personal : count + personal;
    }
  }
  ui_->Label_nombre->setText(QString::number(count) + (count > 1 ? " mots" : " mot"));
  wordCount_ = count;
  AvailableWordCount = count;
}

void TForm_param::LengthClick(int length) {
  WordLength = length;
  UpdateWordCount();
}

void TForm_param::SoundClick(std::int32_t sound) { Sound = sound; }

void TForm_param::DifficultyClick(std::int32_t difficulty) {
  Difficulty = difficulty;
  UpdateWordCount();
}

void TForm_param::Radio_quepersoClick() {
  Difficulty = 4;
  ui_->Check_perso->setChecked(true);
  UpdateWordCount();
}

void TForm_param::Check_persoClick(bool checked) {
  UsePersonal = checked ? 1 : 2;
  if (ui_->Radio_queperso->isChecked()) {
    // "Perso" plays the personal words alone: the box may not be cleared under it.
    UsePersonal = 1;
    ui_->Check_perso->setChecked(true);
  }
  UpdateWordCount();
}

void TForm_param::TrackBar1Change(int position) {
  if (position < 0 || position >= int(kChronoPositions.size())) return;
  ChronoStep = kChronoPositions[position].chronoStep;
  ui_->Label2->setText(QString::fromUtf8(kChronoPositions[position].text));
}

void TForm_param::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  ReportErrors([&] { UpdateWordCount(); });
}

void TForm_param::Image1Click() {
  if (wordCount_ <= 0) {
    AppMessages().Show("Il n'y a aucun mot!!");
    return;
  }
  // A save that fails leaves the shared record as it was read, as "data" itself is.
  const SettingsRecord previous = CurrentSettings;
  CurrentSettings.Sound = Sound;
  CurrentSettings.WordLength = WordLength;
  CurrentSettings.ChronoStep = ChronoStep;
  CurrentSettings.Difficulty = Difficulty;
  CurrentSettings.UsePersonal = UsePersonal;
  try {
    WriteSettings();
  } catch (...) {
    CurrentSettings = previous;
    throw;
  }
  hide();
}

}  // namespace verdal
