// Form_debut: hover labels, the second player's box, and the start of a match.
#include "screens/setup/form_debut.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTextBoundaryFinder>

#include "common/messages.h"
#include "game/unit_var.h"
#include "screens/support/control_look.h"
#include "screens/support/full_screen.h"
#include "screens/support/picture_button.h"
#include "screens/support/screen_lookup.h"
#include "ui_form_debut.h"

namespace verdal {

QString CutName(const QString& name, int count) {
  QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, name);
  for (int i = 0; i < count; ++i) {
    if (characters.toNextBoundary() < 0) return name;
  }
  return name.left(characters.position());
}

TForm_debut::TForm_debut(QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::Form_debut>()) {
  ui_->setupUi(this);
  MakeBlackScreen(*this, "Form_debut");
  // Labels without a width in the form take their text's size.
  for (QLabel* label :
       {ui_->Label_jouer, ui_->Label_quitter, ui_->Label_aide, ui_->Label_param, ui_->Label1}) {
    SetCaption(*label, label->text());
  }
  SetTextColour(*ui_->MaskEdit1, ToQColor(colours::Navy));
  SetTextColour(*ui_->MaskEdit2, ToQColor(colours::Navy));
  // Letters become capitals as they are typed; the caret stays where it was.
  for (QLineEdit* edit : {ui_->MaskEdit1, ui_->MaskEdit2}) {
    connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
      const int caret = edit->cursorPosition();
      edit->setText(text.toUpper());
      edit->setCursorPosition(caret);
    });
  }

  connect(ui_->CheckBox1, &QCheckBox::toggled, this,
          [this] { ReportErrors([&] { CheckBox1Click(); }); });
  const auto on = [this](PictureButton* button, void (TForm_debut::*click)(), QLabel* label,
                         const char* name) {
    connect(button, &PictureButton::clicked, this,
            [this, click] { ReportErrors([&] { (this->*click)(); }); });
    connect(button, &PictureButton::mouseMoved, this,
            [this, label, name] { ReportErrors([&] { Hover(label, QString::fromUtf8(name)); }); });
  };
  on(ui_->Image_jouer, &TForm_debut::Image_jouerClick, ui_->Label_jouer, "Jouer");
  on(ui_->Image_quitter, &TForm_debut::Image_quitterClick, ui_->Label_quitter, "Quitter");
  on(ui_->Image_aide, &TForm_debut::Image_aideClick, ui_->Label_aide, "Aide");
  on(ui_->Image_param, &TForm_debut::Image_paramClick, ui_->Label_param, "Réglages");
}

TForm_debut::~TForm_debut() = default;

void TForm_debut::FormCreate() {
  setTabOrder(ui_->MaskEdit1, ui_->MaskEdit2);
  setTabOrder(ui_->MaskEdit2, ui_->CheckBox1);
  playerCount_ = 0;
}

void TForm_debut::ClearHoverLabels() {
  for (QLabel* label : {ui_->Label_jouer, ui_->Label_quitter, ui_->Label_aide, ui_->Label_param}) {
    SetCaption(*label, QString());
  }
}

void TForm_debut::Hover(QLabel* label, const QString& text) {
  ClearHoverLabels();
  SetCaption(*label, text);
}

void TForm_debut::CheckBox1Click() {
  if (ui_->CheckBox1->isChecked()) {
    SetTextColour(*ui_->MaskEdit2, ToQColor(colours::Navy));
    return;
  }
  // White on the white field: the second name is hidden, yet still typed into and passed on.
  SetTextColour(*ui_->MaskEdit2, Qt::white);
  setTabOrder(ui_->MaskEdit2, ui_->MaskEdit1);
  setTabOrder(ui_->MaskEdit1, ui_->CheckBox1);
}

void TForm_debut::Image_paramClick() { ShowOnTop("Form_param"); }

void TForm_debut::Image_aideClick() { ShowOnTop("Form_aide"); }

void TForm_debut::Image_quitterClick() { close(); }

void TForm_debut::Image_jouerClick() {
  if (AvailableWordCount < 1) {
    AppMessages().Show("Il n'y a aucun mot, allez dans \"Règlages\"");
    return;
  }
  const QString first = ui_->MaskEdit1->text();
  const QString second = ui_->MaskEdit2->text();
  playerCount_ = ui_->CheckBox1->isChecked() ? 2 : 1;
  ui_->Label1->setText(QString::number(playerCount_));
  if (auto* label =
          FindControl<QLabel>(QStringLiteral("Form_jeu6"), QStringLiteral("Label_joueur1"))) {
    label->setText(CutName(first));
  }
  if (auto* label =
          FindControl<QLabel>(QStringLiteral("Form_jeu6"), QStringLiteral("Label_joueur2"))) {
    label->setText(CutName(second));
  }
  if (QWidget* game = FindScreen(QStringLiteral("Form_jeu6"))) ShowFullScreen(*game);
}

void TForm_debut::mouseMoveEvent(QMouseEvent* event) {
  const QWidget* under = childAt(event->position().toPoint());
  if (!under || under == ui_->Image_fond) ReportErrors([&] { ClearHoverLabels(); });
}

}  // namespace verdal
