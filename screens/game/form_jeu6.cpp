// Form_jeu6: construction, window events, handlers and the start of a match.
#include "screens/game/form_jeu6.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QTimer>

#include "assets/pictures/pictures.h"
#include "assets/sounds/form_jeu6_sounds.h"
#include "common/clock.h"
#include "common/messages.h"
#include "common/program_folder.h"
#include "common/random.h"
#include "components/description/description.h"
#include "components/lumofade/qt/picture_codecs.h"
#include "screens/game/game_layout.h"
#include "screens/game/key_encoding.h"
#include "screens/game/letter_cell.h"
#include "screens/support/control_look.h"
#include "screens/support/screen_lookup.h"
#include "ui_form_jeu6.h"

namespace verdal {
namespace {

using namespace game_layout;

constexpr int kTimerMsUntilFirstMatch = 200;

LetterCell* MakeCell(QWidget* parent, const QString& name, QRect bounds, int fontPx,
                     const QColor& colour, const QColor& textColour) {
  auto* cell = new LetterCell(parent);
  cell->setObjectName(name);
  cell->setGeometry(bounds);
  if (fontPx > 0) cell->setFont(PixelFont(fontPx));
  cell->SetColour(colour);
  cell->SetTextColour(textColour);
  return cell;
}

QRect CellBounds(const CellRun& run, int r, int j) {
  return QRect(run.left0 + run.dx * (j - 1), run.top0 + run.dy * (r - 1), run.width, run.height);
}

// The glyph's left half is its normal state, the right half its disabled state; the
// bottom-left pixel is the background colour and is keyed out.
QIcon TwoStateGlyph(const char* path) {
  QPixmap glyph(QString::fromLatin1(path));
  glyph.setMask(glyph.createMaskFromColor(glyph.toImage().pixel(0, glyph.height() - 1)));
  const int half = glyph.width() / 2;
  QIcon icon;
  icon.addPixmap(glyph.copy(0, 0, half, glyph.height()), QIcon::Normal);
  icon.addPixmap(glyph.copy(half, 0, half, glyph.height()), QIcon::Disabled);
  return icon;
}

}  // namespace

TForm_jeu6::TForm_jeu6(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      ui_(std::make_unique<Ui::Form_jeu6>()) {
  ui_->setupUi(this);
  setAttribute(Qt::WA_StyledBackground);
  setGeometry(0, 0, 800, 600);
  // Every key comes to the window: no control ever takes the focus.
  setFocusPolicy(Qt::StrongFocus);


  TLumoFade& fade = ui_->LumoFade1->Fade();
  fade.SetStretchToFit(false);
  fade.SetColorTo(colours::Black);
  fade.SetMsecPerFrame(40);
  fade.SetPicTo(LoadPicture(pictures::PictureBytes(pictures::kBravo)));
  ui_->BitBtn1->setIcon(TwoStateGlyph(pictures::kOui));
  ui_->BitBtn2->setIcon(TwoStateGlyph(pictures::kNon));

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(kTimerMsUntilFirstMatch);

  MakeCells();
  // A control that does not track the mouse swallows its moves; the others pass them on to
  // the window, which empties the hover labels over the game's parts.
  setMouseTracking(true);
  for (QWidget* control : findChildren<QWidget*>()) control->setMouseTracking(true);
  LoadSounds();
  ConnectHandlers();
  HideBoardsAndRows();
  ReportErrors([&] { FormCreate(); });
}

TForm_jeu6::~TForm_jeu6() {
  // A pause still running under the window (the program ends inside one) must not go on.
  abandoned_ = true;
}

void TForm_jeu6::MakeCells() {
  for (std::size_t k = 0; k < std::size(kLengths); ++k) {
    const LengthLayout& layout = kLengths[k];
    CellGrid& grid = grids_[k];
    QWidget* board = Control(layout.board);
    const QString cellName = QString::fromLatin1(layout.cellName);
    grid.board.resize(layout.rows);
    for (int r = 1; r <= layout.rows; ++r) {
      for (int j = 1; j <= layout.length; ++j) {
        grid.board[r - 1].push_back(MakeCell(board, cellName.arg(r).arg(j),
                                             CellBounds(layout.cells, r, j), layout.cellFontPx,
                                             kPlain, kWhite));
      }
    }
    QWidget* row = Control(layout.proposalRow);
    const QString proposalName = QString::fromLatin1(layout.proposalCellName);
    for (int j = 1; j <= layout.length; ++j) {
      grid.proposal.push_back(MakeCell(row, proposalName.arg(j),
                                       CellBounds(layout.proposalCells, 1, j), kProposalFontPx,
                                       kSilver, kNavy));
    }
  }
  for (int p = 1; p <= 2; ++p) {
    QWidget* box = Control(kPointBoxes[p - 1]);
    for (int n = 1; n <= 10; ++n) {
      points_[p - 1][n - 1] =
          MakeCell(box, PointCellName(p, n), CellBounds(kPointCells, n, 1), 0, kBlack, kWhite);
    }
  }
}

void TForm_jeu6::LoadSounds() {
  Wave_jaune.Name = "Wave_jaune";
  Wave_rouge.Name = "Wave_rouge";
  const auto records = ReadComponents(Form_jeu6SoundDescription());
  LoadComponent(Wave_jaune, records);
  LoadComponent(Wave_rouge, records);
}

void TForm_jeu6::ConnectHandlers() {
  const auto on = [this](auto* sender, auto signal, void (TForm_jeu6::*handler)()) {
    connect(sender, signal, this, [this, handler] { ReportErrors([&] { (this->*handler)(); }); });
  };
  on(Timer1, &QTimer::timeout, &TForm_jeu6::Timer1Timer);
  on(ui_->Image_ok, &PictureButton::clicked, &TForm_jeu6::Image_okClick);
  on(ui_->Image_quitter, &PictureButton::clicked, &TForm_jeu6::Image_quitterClick);
  on(ui_->Image_aide, &PictureButton::clicked, &TForm_jeu6::Image_aideClick);
  on(ui_->Image_quitter, &PictureButton::mouseMoved, &TForm_jeu6::Image_quitterMouseMove);
  on(ui_->Image_aide, &PictureButton::mouseMoved, &TForm_jeu6::Image_aideMouseMove);
  on(ui_->BitBtn1, &QPushButton::clicked, &TForm_jeu6::BitBtn1Click);
  on(ui_->BitBtn2, &QPushButton::clicked, &TForm_jeu6::BitBtn2Click);
}

void TForm_jeu6::FormCreate() {
  MakeProgramFolderCurrent();
  SeedRandomFromClock();
}

// ---- Window events ----

bool TForm_jeu6::event(QEvent* event) {
  // Taken here, before the focus chain sees Tab or a control sees anything: every
  // character key is a letter of the proposal.
  if (event->type() == QEvent::KeyPress) {
    const QString text = static_cast<QKeyEvent*>(event)->text();
    ReportErrors([&] { FormKeyPress(text); });
    return true;
  }
  return QWidget::event(event);
}

void TForm_jeu6::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Shown again after being minimised is no new showing.
  if (event->spontaneous()) return;
  ReportErrors([&] { FormShow(); });
}

void TForm_jeu6::closeEvent(QCloseEvent* event) {
  ReportErrors([&] { FormClose(); });
  event->accept();
}

void TForm_jeu6::mouseMoveEvent(QMouseEvent* event) {
  QWidget::mouseMoveEvent(event);
  const QWidget* under = childAt(event->position().toPoint());
  const QWidget* emptying[] = {ui_->Image2,     ui_->Panel_jeu6,     ui_->Panel_jeu7,
                               ui_->Panel_jeu8, ui_->Panel_control1, ui_->Panel_control2,
                               ui_->Panel5};
  bool empties = under == nullptr;
  for (const QWidget* w : emptying) empties = empties || under == w || w->isAncestorOf(under);
  if (empties) ReportErrors([&] { FormMouseMove(); });
}

// ---- Handlers ----

void TForm_jeu6::FormShow() {
  const auto* count = FindControl<QLabel>(QStringLiteral("Form_debut"), QStringLiteral("Label1"));
  players_ = count && count->text().trimmed().toInt() == 2 ? 2 : 1;
  setFocus();
  StartMatch();
}

void TForm_jeu6::FormKeyPress(const QString& text) {
  const std::optional<char> character = RulesCharacter(text);
  if (!character) return;
  lastKeyText_ = text;
  IntoRules([&] { match_.AddKey(*character); });
}

void TForm_jeu6::Timer1Timer() {
  IntoRules([&] { chronometer_.Tick(); });
  ShowBars();
}

void TForm_jeu6::Image_okClick() {
  ClearBoard();
  ui_->Image_quitter->setEnabled(true);
  ui_->Panel5->hide();
  Control(LayoutFor(length_).board)->show();
}

void TForm_jeu6::Image_quitterClick() { close(); }

void TForm_jeu6::Image_aideClick() { ShowOnTop("Form_aide"); }

void TForm_jeu6::Image_quitterMouseMove() {
  SetCaption(*ui_->Label_quitter, QStringLiteral("Quitter"));
}

void TForm_jeu6::Image_aideMouseMove() { SetCaption(*ui_->Label_aide, QStringLiteral("Aide")); }

void TForm_jeu6::FormMouseMove() {
  SetCaption(*ui_->Label_quitter, QString());
  SetCaption(*ui_->Label_aide, QString());
}

void TForm_jeu6::BitBtn1Click() { StartMatch(); }

void TForm_jeu6::BitBtn2Click() { close(); }

void TForm_jeu6::FormClose() {
  Timer1->stop();
  // The match is given up: a pause under way ends at once, the rules unwind without
  // starting the chronometer again, and the next showing deals a new match.
  abandoned_ = true;
}

// ---- Starting a match ----

template <class Call>
void TForm_jeu6::IntoRules(Call&& call) {
  ++rulesDepth_;
  try {
    call();
  } catch (...) {
    --rulesDepth_;
    StartIfPending();
    throw;
  }
  --rulesDepth_;
  StartIfPending();
}

void TForm_jeu6::StartIfPending() {
  if (rulesDepth_ > 0 || !startPending_) return;
  startPending_ = false;
  if (isVisible()) ReportErrors([&] { StartMatchNow(); });
}

void TForm_jeu6::StartMatch() {
  if (rulesDepth_ > 0) {
    startPending_ = true;
    return;
  }
  StartMatchNow();
}

void TForm_jeu6::StartMatchNow() {
  abandoned_ = false;
  const std::array<std::string, 2> names = {ui_->Label_joueur1->text().toStdString(),
                                            ui_->Label_joueur2->text().toStdString()};
  try {
    IntoRules([&] { match_.StartMatch(players_, names); });
  } catch (...) {
    StartFailed();
    throw;
  }
}

void TForm_jeu6::StartFailed() {
  // The window stays, empty of any deal; the quit image still closes it.
  Timer1->stop();
  HideBoardsAndRows();
  ui_->Panel5->hide();
  ui_->Panel_bravo->hide();
  ui_->Image_quitter->setEnabled(true);
  ui_->Image_aide->setEnabled(false);
}

}  // namespace verdal
