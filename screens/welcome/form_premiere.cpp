// Form_premiere: creation, hover labels, the web link and the way out.
#include "screens/welcome/form_premiere.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>

#include "common/messages.h"
#include "common/program_folder.h"
#include "common/shell.h"
#include "components/cboxbmp/qt/scrolling_text_bmp.h"
#include "game/dictionary_file.h"
#include "platform/pointer.h"
#include "platform/task_bar.h"
#include "screens/support/full_screen.h"
#include "screens/support/makers.h"
#include "screens/support/screen_lookup.h"
#include "screens/welcome/welcome_layout.h"

namespace verdal {

TForm_premiere::TForm_premiere(QWidget* parent) : QWidget(parent, Qt::Window) {
  MakeBlackScreen(*this, "Form_premiere");

  MakeControls(this, kWelcomeControls);
  Image_quitter = NamedChild<PictureButton>(this, "Image_quitter");
  Image_jouer = NamedChild<PictureButton>(this, "Image_jouer");
  Label_quitter = NamedChild<QLabel>(this, "Label_quitter");
  Label_jouer = NamedChild<QLabel>(this, "Label_jouer");
  Image_fond = NamedChild<QLabel>(this, "Image_fond");
  // The background passes the pointer's moves on to the window, which empties the labels.
  Image_fond->setMouseTracking(true);
  ScrollingTextBmp1 = new TScrollingTextBmp(this);
  ScrollingTextBmp1->setObjectName(QStringLiteral("ScrollingTextBmp1"));
  ScrollingTextBmp1->setGeometry(kScrollBounds);
  MakeControls(this, kWelcomeTopControls);
  Image_aide = NamedChild<PictureButton>(this, "Image_aide");
  Label_aide = NamedChild<QLabel>(this, "Label_aide");
  Label_web = NamedChild<PictureButton>(this, "Label_web");
  Label_web->setCursor(Qt::ArrowCursor);
  Label_web->setAlignment(Qt::AlignCenter);
  Panel1 = MakeWelcomePanel(this);

  ScrollingTextBmp1->SetTextContainer(Panel1);
  ScrollingTextBmp1->SetScrollDirection(sdUp);
  ScrollingTextBmp1->SetScrollType(stNormal);
  ScrollingTextBmp1->SetTimeDelay(10);
  ScrollingTextBmp1->SetScrollStep(1);
  ScrollingTextBmp1->SetCompSpace(10);
  ScrollingTextBmp1->SetStretch(false);
  ScrollingTextBmp1->SetTile(true);
  ScrollingTextBmp1->SetOnMouseMove(
      [this](TScrollingTextBmp&, QMouseEvent&) { ReportErrors([&] { FormMouseMove(); }); });

  const auto on = [this](PictureButton* button, void (TForm_premiere::*click)(),
                         void (TForm_premiere::*move)()) {
    connect(button, &PictureButton::clicked, this,
            [this, click] { ReportErrors([&] { (this->*click)(); }); });
    connect(button, &PictureButton::mouseMoved, this,
            [this, move] { ReportErrors([&] { (this->*move)(); }); });
  };
  on(Image_jouer, &TForm_premiere::Image_jouerClick, &TForm_premiere::Image_jouerMouseMove);
  on(Image_quitter, &TForm_premiere::Image_quitterClick, &TForm_premiere::Image_quitterMouseMove);
  on(Image_aide, &TForm_premiere::Image_aideClick, &TForm_premiere::Image_aideMouseMove);
  on(Label_web, &TForm_premiere::Label_webClick, &TForm_premiere::Label_webMouseMove);
  // Every screen's showing and hiding passes here, whoever shows it.
  qApp->installEventFilter(this);
}

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
  ScrollingTextBmp1->SetCovered(covered);
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
  for (QWidget* control : std::initializer_list<QWidget*>{Image_jouer, Image_quitter, Label_jouer,
                                                          Label_quitter, Image_fond}) {
    control->hide();
  }
}

void TForm_premiere::ShowButtons() {
  for (QWidget* control : std::initializer_list<QWidget*>{Label_web, Image_jouer, Image_quitter,
                                                          Label_jouer, Label_quitter, Image_fond}) {
    control->show();
  }
  ScrollingTextBmp1->Start();
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
  ScrollingTextBmp1->Stop();
  QCoreApplication::quit();
}

void TForm_premiere::Image_jouerMouseMove() {
  SetCaption(*Label_jouer, QStringLiteral("Jouer"));
  SetCaption(*Label_quitter, QString());
}

void TForm_premiere::Image_quitterMouseMove() {
  SetCaption(*Label_quitter, QStringLiteral("Quitter"));
  SetCaption(*Label_jouer, QString());
}

void TForm_premiere::Image_aideMouseMove() { SetCaption(*Label_aide, QStringLiteral("Aide")); }

void TForm_premiere::Label_webMouseMove() { SetTextColour(*Label_web, Qt::blue); }

void TForm_premiere::Label_webClick() { AppShell().Open(kMakersWebPage); }

void TForm_premiere::FormMouseMove() {
  SetTextColour(*Label_web, Qt::white);
  for (QLabel* label : {Label_jouer, Label_quitter, Label_aide}) SetCaption(*label, QString());
}

void TForm_premiere::mouseMoveEvent(QMouseEvent* event) {
  // Moves over a control without a handler of its own reach the window too; only the
  // bare window and the background picture count as the background.
  const QWidget* under = childAt(event->position().toPoint());
  if (!under || under == Image_fond) ReportErrors([&] { FormMouseMove(); });
}

void TForm_premiere::closeEvent(QCloseEvent* event) {
  // The main window: closing it by any means ends the program, as the quit image does.
  ReportErrors([&] { Quit(); });
  event->accept();
}

}  // namespace verdal
