// Form_debut: hover labels, the second player's box, and the start of a match.
#include "screens/setup/form_debut.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTextBoundaryFinder>

#include "common/messages.h"
#include "game/unit_var.h"
#include "screens/setup/setup_layout.h"
#include "screens/support/full_screen.h"
#include "screens/support/screen_lookup.h"

namespace verdal {
namespace {

QLineEdit* MakeNameField(QWidget* parent, const NameField& field) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(field.name));
  edit->setGeometry(field.bounds);
  edit->setFont(PixelFont(kNameFontPx, true));
  edit->setFrame(false);
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, Qt::white);
  edit->setPalette(palette);
  SetTextColour(*edit, QColor::fromRgb(kNavy));
  edit->setText(QString::fromLatin1(field.text));
  // Letters become capitals as they are typed; the caret stays where it was.
  QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
    const int caret = edit->cursorPosition();
    edit->setText(text.toUpper());
    edit->setCursorPosition(caret);
  });
  return edit;
}

}  // namespace

QString CutName(const QString& name, int count) {
  QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, name);
  for (int i = 0; i < count; ++i) {
    if (characters.toNextBoundary() < 0) return name;
  }
  return name.left(characters.position());
}

TForm_debut::TForm_debut(QWidget* parent) : QWidget(parent, Qt::Window) {
  MakeBlackScreen(*this, "Form_debut");

  MakeControls(this, kSetupControls);
  Image_fond = NamedChild<QLabel>(this, "Image_fond");
  // The background passes the pointer's moves on to the window, which empties the labels.
  Image_fond->setMouseTracking(true);
  Image_jouer = NamedChild<PictureButton>(this, "Image_jouer");
  Image_quitter = NamedChild<PictureButton>(this, "Image_quitter");
  Image_aide = NamedChild<PictureButton>(this, "Image_aide");
  Image_param = NamedChild<PictureButton>(this, "Image_param");
  Label_jouer = NamedChild<QLabel>(this, "Label_jouer");
  Label_quitter = NamedChild<QLabel>(this, "Label_quitter");
  Label_aide = NamedChild<QLabel>(this, "Label_aide");
  Label_param = NamedChild<QLabel>(this, "Label_param");
  Label1 = NamedChild<QLabel>(this, "Label1");
  MaskEdit1 = MakeNameField(this, kNameFields[0]);
  MaskEdit2 = MakeNameField(this, kNameFields[1]);
  CheckBox1 = new QCheckBox(this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  CheckBox1->setGeometry(kCheckBoxBounds);
  CheckBox1->setCursor(Qt::PointingHandCursor);
  CheckBox1->setChecked(true);
  QPalette white = CheckBox1->palette();
  white.setColor(QPalette::Base, Qt::white);
  white.setColor(QPalette::Window, Qt::white);
  CheckBox1->setPalette(white);
  CheckBox1->setAutoFillBackground(true);

  connect(CheckBox1, &QCheckBox::toggled, this,
          [this] { ReportErrors([&] { CheckBox1Click(); }); });
  const auto on = [this](PictureButton* button, void (TForm_debut::*click)(), QLabel* label,
                         const char* name) {
    connect(button, &PictureButton::clicked, this,
            [this, click] { ReportErrors([&] { (this->*click)(); }); });
    connect(button, &PictureButton::mouseMoved, this,
            [this, label, name] { ReportErrors([&] { Hover(label, QString::fromUtf8(name)); }); });
  };
  on(Image_jouer, &TForm_debut::Image_jouerClick, Label_jouer, "Jouer");
  on(Image_quitter, &TForm_debut::Image_quitterClick, Label_quitter, "Quitter");
  on(Image_aide, &TForm_debut::Image_aideClick, Label_aide, "Aide");
  on(Image_param, &TForm_debut::Image_paramClick, Label_param, "Réglages");
}

void TForm_debut::FormCreate() {
  setTabOrder(MaskEdit1, MaskEdit2);
  setTabOrder(MaskEdit2, CheckBox1);
  playerCount_ = 0;
}

void TForm_debut::ClearHoverLabels() {
  for (QLabel* label : {Label_jouer, Label_quitter, Label_aide, Label_param}) {
    SetCaption(*label, QString());
  }
}

void TForm_debut::Hover(QLabel* label, const QString& text) {
  ClearHoverLabels();
  SetCaption(*label, text);
}

void TForm_debut::CheckBox1Click() {
  if (CheckBox1->isChecked()) {
    SetTextColour(*MaskEdit2, QColor::fromRgb(kNavy));
    return;
  }
  // White on the white field: the second name is hidden, yet still typed into and passed on.
  SetTextColour(*MaskEdit2, Qt::white);
  setTabOrder(MaskEdit2, MaskEdit1);
  setTabOrder(MaskEdit1, CheckBox1);
}

void TForm_debut::Image_paramClick() { ShowOnTop("Form_param"); }

void TForm_debut::Image_aideClick() { ShowOnTop("Form_aide"); }

void TForm_debut::Image_quitterClick() { close(); }

void TForm_debut::Image_jouerClick() {
  if (AvailableWordCount < 1) {
    AppMessages().Show("Il n'y a aucun mot, allez dans \"Règlages\"");
    return;
  }
  const QString first = MaskEdit1->text();
  const QString second = MaskEdit2->text();
  playerCount_ = CheckBox1->isChecked() ? 2 : 1;
  Label1->setText(QString::number(playerCount_));
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
  if (!under || under == Image_fond) ReportErrors([&] { ClearHoverLabels(); });
}

}  // namespace verdal
