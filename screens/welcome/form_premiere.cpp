// Form_premiere: creation, hover labels, the web link and the way out.
#include "screens/welcome/form_premiere.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <algorithm>

#include "common/messages.h"
#include "common/program_folder.h"
#include "common/shell.h"
#include "components/cboxbmp/qt/scrolling_text_bmp.h"
#include "game/dictionary_file.h"
#include "platform/pointer.h"
#include "platform/task_bar.h"
#include "screens/support/control_look.h"
#include "screens/support/event_wait.h"
#include "screens/support/full_screen.h"
#include "screens/support/makers.h"
#include "screens/support/picture_button.h"
#include "screens/support/screen_lookup.h"
#include "ui_form_premiere.h"

namespace verdal {

namespace {

// A text wider than its label (the font is not the one the places were measured with) widens
// the label about its centre, inside the panel, rather than lose its end.
void WidenToText(QLabel& label) {
  const int needed = label.fontMetrics().horizontalAdvance(label.text()) + 2;
  if (needed <= label.width()) return;
  const int left = std::max(0, label.x() - (needed - label.width()) / 2);
  label.setGeometry(left, label.y(), std::min(needed, label.parentWidget()->width() - left),
                    label.height());
}

}  // namespace

TForm_premiere::TForm_premiere(QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::Form_premiere>()) {
  ui_->setupUi(this);
  MakeBlackScreen(*this, "Form_premiere");
  // Labels without a width in the form take their text's size.
  for (QLabel* label : {ui_->Label_quitter, ui_->Label_jouer, ui_->Label_aide}) {
    SetCaption(*label, label->text());
  }
  SetTextColour(*ui_->Label_web, Qt::white);
  // The style sheet's fonts and colours, which the widening measures and the scrolling control
  // paints, reach the controls when they are polished; Panel1's are never shown.
  ensurePolished();
  for (QLabel* label : {ui_->Label2, ui_->Label5, ui_->Label6, ui_->Label7, ui_->Label8,
                        ui_->Label9, ui_->Label12}) {
    WidenToText(*label);
  }

  ui_->ScrollingTextBmp1->SetTextContainer(ui_->Panel1);
  ui_->ScrollingTextBmp1->SetScrollDirection(sdUp);
  ui_->ScrollingTextBmp1->SetScrollType(stNormal);
  ui_->ScrollingTextBmp1->SetTimeDelay(10);
  ui_->ScrollingTextBmp1->SetScrollStep(1);
  ui_->ScrollingTextBmp1->SetCompSpace(10);
  ui_->ScrollingTextBmp1->SetStretch(false);
  ui_->ScrollingTextBmp1->SetTile(true);
  ui_->ScrollingTextBmp1->SetOnMouseMove(
      [this](TScrollingTextBmp&, QMouseEvent&) { ReportErrors([&] { FormMouseMove(); }); });

  const auto on = [this](PictureButton* button, void (TForm_premiere::*click)(),
                         void (TForm_premiere::*move)()) {
    connect(button, &PictureButton::clicked, this,
            [this, click] { ReportErrors([&] { (this->*click)(); }); });
    connect(button, &PictureButton::mouseMoved, this,
            [this, move] { ReportErrors([&] { (this->*move)(); }); });
  };
  on(ui_->Image_jouer, &TForm_premiere::Image_jouerClick, &TForm_premiere::Image_jouerMouseMove);
  on(ui_->Image_quitter, &TForm_premiere::Image_quitterClick,
     &TForm_premiere::Image_quitterMouseMove);
  on(ui_->Image_aide, &TForm_premiere::Image_aideClick, &TForm_premiere::Image_aideMouseMove);
  on(ui_->Label_web, &TForm_premiere::Label_webClick, &TForm_premiere::Label_webMouseMove);
  // Every screen's showing and hiding passes here, whoever shows it.
  qApp->installEventFilter(this);
}

TForm_premiere::~TForm_premiere() = default;

bool TForm_premiere::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type == QEvent::Show || type == QEvent::Hide || type == QEvent::WindowStateChange) &&
      watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
    // Judged once the change is complete and the event handled.
    QMetaObject::invokeMethod(
        this, [this] { FollowCovering(); }, Qt::QueuedConnection);
  }
  return QWidget::eventFilter(watched, event);
}

void TForm_premiere::FollowCovering() {
  // Covered: not shown itself, or under a visible full-screen screen of the program (the
  // set-up screen, and the game screen over that). The tool windows cover only a part.
  bool covered = !isVisible() || isMinimized();
  for (const QWidget* w : QApplication::topLevelWidgets()) {
    covered = covered ||
              (w != this && w->isVisible() && !w->isMinimized() &&
               w->property(kFullScreenProperty).toBool() && w->geometry().contains(geometry()));
  }
  ui_->ScrollingTextBmp1->SetCovered(covered);
}

void TForm_premiere::FormCreate() {
  AppTaskBar().Hide();
  MakeProgramFolderCurrent();
  HideButtons();
  AppPointer().ShowCursor(true);
  LoadDictionary();
  ShowButtons();
}

void TForm_premiere::HideButtons() {
  for (QWidget* control :
       std::initializer_list<QWidget*>{ui_->Image_jouer, ui_->Image_quitter, ui_->Label_jouer,
                                       ui_->Label_quitter, ui_->Image_fond}) {
    control->hide();
  }
}

void TForm_premiere::ShowButtons() {
  for (QWidget* control :
       std::initializer_list<QWidget*>{ui_->Label_web, ui_->Image_jouer, ui_->Image_quitter,
                                       ui_->Label_jouer, ui_->Label_quitter, ui_->Image_fond}) {
    control->show();
  }
  ui_->ScrollingTextBmp1->Start();
}

void TForm_premiere::Image_jouerClick() {
  if (QWidget* setup = FindScreen(QStringLiteral("Form_debut"))) {
    ShowFullScreen(*setup);
    setup->repaint();
  }
}

void TForm_premiere::Image_aideClick() { ShowOnTop("Form_aide"); }

void TForm_premiere::Image_quitterClick() { Quit(); }

void TForm_premiere::Quit() {
  AppTaskBar().Show();
  ui_->ScrollingTextBmp1->Stop();
  ApplicationRun::End(0);
}

void TForm_premiere::Image_jouerMouseMove() {
  SetCaption(*ui_->Label_jouer, QStringLiteral("Jouer"));
  SetCaption(*ui_->Label_quitter, QString());
}

void TForm_premiere::Image_quitterMouseMove() {
  SetCaption(*ui_->Label_quitter, QStringLiteral("Quitter"));
  SetCaption(*ui_->Label_jouer, QString());
}

void TForm_premiere::Image_aideMouseMove() { SetCaption(*ui_->Label_aide, QStringLiteral("Aide")); }

void TForm_premiere::Label_webMouseMove() { SetTextColour(*ui_->Label_web, Qt::blue); }

void TForm_premiere::Label_webClick() { AppShell().Open(kMakersWebPage); }

void TForm_premiere::FormMouseMove() {
  SetTextColour(*ui_->Label_web, Qt::white);
  for (QLabel* label : {ui_->Label_jouer, ui_->Label_quitter, ui_->Label_aide}) {
    SetCaption(*label, QString());
  }
}

void TForm_premiere::mouseMoveEvent(QMouseEvent* event) {
  // Moves over a control without a handler of its own reach the window too; only the
  // bare window and the background picture count as the background.
  const QWidget* under = childAt(event->position().toPoint());
  if (!under || under == ui_->Image_fond) ReportErrors([&] { FormMouseMove(); });
}

void TForm_premiere::closeEvent(QCloseEvent* event) {
  // The main window: closing it by any means ends the program, as the quit image does.
  ReportErrors([&] { Quit(); });
  event->accept();
}

}  // namespace verdal
