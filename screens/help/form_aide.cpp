// Form_aide: the help window and its handlers.
#include "screens/help/form_aide.h"

#include <QEvent>
#include <QFont>
#include <QPixmap>
#include <string>

#include "assets/pictures/pictures.h"
#include "common/messages.h"
#include "common/shell.h"
#include "screens/help/help_pages.h"
#include "screens/support/control_look.h"
#include "screens/support/makers.h"
#include "ui_form_aide.h"

namespace verdal {

TForm_aide::TForm_aide(QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::Form_aide>()) {
  // The heading and two pages ask for the classic dialog font; its metric twin here.
  QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
  ui_->setupUi(this);
  setAttribute(Qt::WA_StyledBackground);
  move(44, 78);
  ui_->Image1->setPixmap(QPixmap(pictures::kOk));
  ui_->Label2->setText(QString::fromUtf8(kMakersMailAddress));
  ui_->Memo_bienvenue->setPlainText(WelcomePageText());
  ui_->Memo_Regle->setPlainText(RulesPageText());
  ui_->Memo_commandes->setPlainText(CommandsPageText());

  // Moving over the bare window or a page turns the links white again.
  setMouseTracking(true);
  for (QPlainTextEdit* page : {ui_->Memo_bienvenue, ui_->Memo_Regle, ui_->Memo_commandes}) {
    page->viewport()->setMouseTracking(true);
    page->viewport()->installEventFilter(this);
  }

  const auto topic = [this](PictureButton* label, QPlainTextEdit* page) {
    connect(label, &PictureButton::clicked, this, [this, page] {
      ReportErrors([&] {
        ResetTopics();
        ShowPage(page);
      });
    });
    connect(label, &PictureButton::mouseMoved, this,
            [label] { ReportErrors([&] { SetTextColour(*label, Qt::blue); }); });
  };
  topic(ui_->Label_Bienvenue, ui_->Memo_bienvenue);
  topic(ui_->Label_regle, ui_->Memo_Regle);
  topic(ui_->Label_commandes, ui_->Memo_commandes);
  connect(ui_->Label2, &PictureButton::mouseMoved, this,
          [this] { ReportErrors([&] { SetTextColour(*ui_->Label2, Qt::red); }); });
  connect(ui_->Label2, &PictureButton::clicked, this,
          [this] { ReportErrors([&] { Label2Click(); }); });
  connect(ui_->Image1, &PictureButton::clicked, this,
          [this] { ReportErrors([&] { Image1Click(); }); });

  // The creation handler: nothing in it can fail.
  SetTextColour(*ui_->Label2, Qt::white);
  ResetTopics();
  ShowPage(ui_->Memo_bienvenue);
}

TForm_aide::~TForm_aide() = default;

void TForm_aide::ResetTopics() {
  for (QLabel* label : {ui_->Label_Bienvenue, ui_->Label_regle, ui_->Label_commandes}) {
    SetTextColour(*label, Qt::white);
  }
  ui_->Memo_bienvenue->hide();
  ui_->Memo_Regle->hide();
  ui_->Memo_commandes->hide();
}

void TForm_aide::ShowPage(QWidget* page) { page->show(); }

void TForm_aide::FormMouseMove() {
  for (QLabel* label :
       {ui_->Label2, ui_->Label_Bienvenue, ui_->Label_regle, ui_->Label_commandes}) {
    SetTextColour(*label, Qt::white);
  }
}

void TForm_aide::mouseMoveEvent(QMouseEvent* event) {
  QWidget::mouseMoveEvent(event);
  ReportErrors([&] { FormMouseMove(); });
}

bool TForm_aide::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) ReportErrors([&] { FormMouseMove(); });
  return QWidget::eventFilter(watched, event);
}

void TForm_aide::Label2Click() {
  AppShell().Open(std::string("mailto:") + kMakersMailAddress + "?subject=Info LEXOR");
}

void TForm_aide::Image1Click() {
  ResetTopics();
  ShowPage(ui_->Memo_bienvenue);
  hide();
}

}  // namespace verdal
