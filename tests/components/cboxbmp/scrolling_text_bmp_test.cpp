// Checks the scrolling text widget: properties, the painted frame and the start of the motion.
#include "components/cboxbmp/qt/scrolling_text_bmp.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <string>
#include <tuple>
#include <utility>

#include "common/clock.h"

namespace verdal {
namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;

QPixmap Solid(int w, int h, QColor colour) {
  QPixmap p(w, h);
  p.fill(colour);
  return p;
}

void SetWindowColour(QWidget& widget, QColor colour) {
  QPalette p = widget.palette();
  p.setColor(QPalette::Window, colour);
  widget.setPalette(p);
}

int CountInRect(const QImage& frame, QRect r, QRgb colour) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) n += frame.pixel(x, y) == colour;
  }
  return n;
}

// A black screen with a panel and the control over it, as the welcome screen has them.
struct Screen {
  Screen() {
    QPalette black = window.palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    window.setPalette(black);
    window.resize(300, 200);
    panel = new QWidget(&window);
    control = new TScrollingTextBmp(&window);
    control->setGeometry(0, 0, 200, 100);
    control->SetTextContainer(panel);
  }
  QLabel* AddLabel(const QString& text, QRect geometry) {
    auto* label = new QLabel(text, panel);
    label->setGeometry(geometry);
    QFont font("Arial");
    font.setPixelSize(16);
    label->setFont(font);
    return label;
  }
  // Prepares the motion and stops the worker before its first step can run.
  void StartStopped(TsType type, TsDirection direction) {
    control->SetScrollType(type);
    control->SetScrollDirection(direction);
    control->SetTimeDelay(100000);
    control->Start();
    control->Stop();
  }

  QWidget window;
  QWidget* panel;
  TScrollingTextBmp* control;
};

TEST(TScrollingTextBmp, DefaultsAndExclusiveStretchAndTile) {
  Screen s;
  TScrollingTextBmp fresh;
  EXPECT_EQ(std::tuple(fresh.size(), fresh.ScrollDirection(), fresh.ScrollType(), fresh.TimeDelay(),
                       fresh.CompSpace(), fresh.ScrollStep(), fresh.Bitmap().isNull(),
                       fresh.TextContainer()),
            std::tuple(QSize(161, 129), sdDown, stNormal, 5, 10, 1, true, nullptr));
  EXPECT_EQ(s.control->Color(), colours::Black);  // the parent's colour

  s.control->SetStretch(true);
  s.control->SetTile(true);
  EXPECT_FALSE(s.control->Tile());
  s.control->SetStretch(false);
  s.control->SetTile(true);
  s.control->SetStretch(true);
  EXPECT_TRUE(s.control->Tile());
  EXPECT_FALSE(s.control->Stretch());
}

TEST(TScrollingTextBmp, BackgroundIsColourStretchedTiledOrNatural) {
  Screen s;
  s.control->SetTile(true);
  EXPECT_EQ(CountInRect(s.control->RenderFrame(), s.control->rect(), kBlack), 200 * 100);

  QPixmap tile = Solid(30, 20, Qt::green);
  QPainter(&tile).fillRect(0, 0, 1, 1, Qt::red);
  s.control->SetBitmap(tile);
  QImage frame = s.control->RenderFrame();
  EXPECT_EQ(CountInRect(frame, s.control->rect(), kRed), 7 * 5);  // 200/30+1 by 100/20
  EXPECT_EQ(frame.pixel(180, 80), kRed);

  s.control->SetTile(false);
  frame = s.control->RenderFrame();
  EXPECT_EQ(CountInRect(frame, s.control->rect(), kRed), 1);
  EXPECT_EQ(frame.pixel(29, 19), kGreen);
  EXPECT_EQ(frame.pixel(30, 20), kWhite);  // a fresh frame is white

  s.control->SetBitmap(Solid(2, 2, Qt::green));
  s.control->SetStretch(true);
  frame = s.control->RenderFrame();
  EXPECT_EQ(CountInRect(frame, s.control->rect(), kGreen), 200 * 100);
}

TEST(TScrollingTextBmp, DrawsVisibleLabelsAndPicturesButNoNestedPanel) {
  Screen s;
  EXPECT_EQ(s.panel->size(), s.control->size());

  QLabel* left = s.AddLabel("Bonne Chance", {0, 0, 200, 25});
  QLabel* right = s.AddLabel("ab", {0, 30, 200, 25});
  right->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  right->setAutoFillBackground(true);
  SetWindowColour(*right, Qt::red);
  auto* picture = new QLabel(s.panel);
  picture->setPixmap(Solid(10, 8, Qt::green));
  picture->setAlignment(Qt::AlignCenter);  // plays no part: drawn at natural size, top left
  picture->setGeometry(150, 60, 40, 40);
  auto* nested = new QWidget(s.panel);
  nested->setGeometry(0, 60, 100, 40);
  nested->setAutoFillBackground(true);
  SetWindowColour(*nested, Qt::red);
  s.AddLabel("cache", {0, 0, 100, 40})->setParent(nested);

  QImage frame = s.control->RenderFrame();
  // Left-aligned text from the top of its rectangle, white on the black background.
  EXPECT_GT(CountInRect(frame, {0, 0, 100, 20}, kWhite), 20);
  // The opaque right-aligned label fills the cells behind its text, not its whole rectangle.
  EXPECT_GT(CountInRect(frame, {170, 30, 30, 20}, kRed), 20);
  EXPECT_EQ(CountInRect(frame, {0, 30, 150, 25}, kRed), 0);
  EXPECT_EQ(CountInRect(frame, {150, 60, 10, 8}, kGreen), 80);
  EXPECT_EQ(CountInRect(frame, {160, 60, 40, 40}, kGreen), 0);
  EXPECT_EQ(CountInRect(frame, {0, 60, 100, 40}, kBlack), 100 * 40);

  left->hide();
  picture->hide();
  frame = s.control->RenderFrame();
  EXPECT_EQ(CountInRect(frame, {0, 0, 200, 25}, kBlack), 200 * 25);
  EXPECT_EQ(CountInRect(frame, {150, 60, 10, 8}, kGreen), 0);
}

TEST(TScrollingTextBmp, AWrappedRightAlignedTransparentLabelEndsEachLineAtItsRightEdge) {
  Screen s;
  QLabel* label = s.AddLabel("Bonne Chance !!", {100, 0, 80, 60});
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  SetWindowColour(*label, Qt::red);  // never drawn: the label is transparent
  const QImage frame = s.control->RenderFrame();
  // Columns where each of the two lines has ink, counted from the rectangle's left edge.
  auto inkSpan = [&](int top, int bottom) {
    int first = 1000, last = -1;
    for (int y = top; y <= bottom; ++y) {
      for (int x = 0; x < frame.width(); ++x) {
        if (frame.pixel(x, y) != kBlack) first = std::min(first, x), last = std::max(last, x);
      }
    }
    return std::make_pair(first, last);
  };
  const auto [firstLeft, firstRight] = inkSpan(0, 17);     // "Bonne"
  const auto [secondLeft, secondRight] = inkSpan(19, 37);  // "Chance !!"
  EXPECT_GE(firstRight, 172);
  EXPECT_GE(secondRight, 172);
  EXPECT_LE(firstRight, 179);
  EXPECT_GT(firstLeft, secondLeft + 10);  // the shorter line starts further right
  EXPECT_GE(secondLeft, 100);
  EXPECT_EQ(CountInRect(frame, s.control->rect(), kRed), 0);
}

TEST(TScrollingTextBmp, LabelTextIsCutAtItsRectangleAndAmpersandsMarkAccessKeys) {
  Screen s;
  QLabel* label = s.AddLabel("Il vous faudra trouver des mots", {10, 10, 60, 10});
  label->setWordWrap(true);
  QImage frame = s.control->RenderFrame();
  EXPECT_GT(CountInRect(frame, {10, 10, 60, 10}, kBlack), 0);
  EXPECT_EQ(CountInRect(frame, s.control->rect(), kBlack),
            200 * 100 - (60 * 10 - CountInRect(frame, {10, 10, 60, 10}, kBlack)));

  // "&&" shows one ampersand, as the same text without access keys does.
  label->setGeometry(10, 10, 150, 30);
  label->setText("Q&&R");
  const QImage doubled = s.control->RenderFrame();
  label->setText("Q&R");
  const QImage marked = s.control->RenderFrame();
  QImage plain(s.control->size(), QImage::Format_RGB32);
  plain.fill(Qt::black);
  {
    QPainter p(&plain);
    p.setFont(label->font());
    p.setPen(Qt::white);
    p.drawText(QRect(10, 10, 150, 30), Qt::AlignTop | Qt::AlignLeft, "Q&R");
  }
  EXPECT_EQ(doubled, plain);
  EXPECT_NE(marked, plain);
}

TEST(TScrollingTextBmp, OnDrawSeesTheFinishedFrame) {
  Screen s;
  s.AddLabel("Bienvenue", {0, 0, 200, 30});
  int calls = 0;
  s.control->SetOnDraw([&](TScrollingTextBmp& sender, QImage& bmp) {
    EXPECT_EQ(&sender, s.control);
    EXPECT_GT(CountInRect(bmp, {0, 0, 200, 30}, kWhite), 0);
    bmp.setPixel(199, 99, kRed);
    ++calls;
  });
  EXPECT_EQ(s.control->RenderFrame().pixel(199, 99), kRed);
  EXPECT_EQ(calls, 1);
}

TEST(TScrollingTextBmp, ADestroyedContainerIsForgotten) {
  Screen s;
  s.AddLabel("Une réalisation", {0, 0, 200, 30});
  delete s.panel;
  EXPECT_EQ(s.control->TextContainer(), nullptr);
  EXPECT_EQ(CountInRect(s.control->RenderFrame(), s.control->rect(), kBlack), 200 * 100);
  s.control->Start();
  EXPECT_FALSE(s.control->Started());
  s.control->Step();  // nothing to move, nothing to paint
}

TEST(TScrollingTextBmp, StartHidesThePanelAndPreparesOnce) {
  Screen s;
  s.window.show();
  QLabel* label = s.AddLabel("Bienvenue", {20, 8, 100, 20});
  label->show();
  s.control->SetScrollDirection(sdUp);
  s.control->SetTimeDelay(100000);  // the worker serves one step, then sleeps
  s.control->Stop();                // before Start: no lasting effect
  s.control->Start();
  EXPECT_TRUE(s.control->Started());
  EXPECT_TRUE(s.panel->isHidden());
  EXPECT_EQ(ItemTag(*label), 100);
  EXPECT_TRUE(QTest::qWaitFor([&] { return label->y() == 99; }, 5000));
  s.control->Start();  // already running: nothing is prepared again
  EXPECT_EQ(label->y(), 99);
  QTest::qWait(20);
  EXPECT_EQ(label->y(), 99);
}

TEST(TScrollingTextBmp, APaintShowsTheFrameOnScreen) {
  Screen s;
  auto* picture = new QLabel(s.panel);
  picture->setPixmap(Solid(10, 10, Qt::green));
  picture->setGeometry(5, 5, 10, 10);
  s.window.show();
  s.StartStopped(stNormal, sdUp);
  const QImage shown = s.control->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.pixel(5, 5), kBlack);  // the picture starts below the area
  EXPECT_EQ(CountInRect(shown, s.control->rect(), kBlack), 200 * 100);
  for (int step = 0; step < 20; ++step) s.control->Step();
  const QImage moved = s.control->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(CountInRect(moved, {5, 80, 10, 10}, kGreen), 100);
}

struct PaintAreas : QObject {
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) areas.push_back(static_cast<QPaintEvent*>(event)->rect());
    return false;
  }
  std::vector<QRect> areas;
};

// A step moves what is on screen where the labels are (columns 10 to 169) and paints only the
// strip it uncovers there, yet the screen shows, pixel for pixel, what a whole paint would,
// through the block's restart (step 151) too.
TEST(TScrollingTextBmp, AStepScrollsWhatIsShownAndPaintsTheStripItUncovers) {
  Screen s;
  s.AddLabel("Bienvenue", {10, 10, 150, 20});
  s.AddLabel(QString::fromUtf8("à 1 ou 2 joueurs"), {30, 40, 140, 20});
  s.window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&s.window));
  s.StartStopped(stNormal, sdUp);
  PaintAreas paints;
  s.control->installEventFilter(&paints);
  for (int step = 1; step <= 160; ++step) {
    paints.areas.clear();
    s.control->Step();
    QCoreApplication::processEvents();
    if (step % 40 != 0) continue;
    ASSERT_EQ(paints.areas.size(), 1u) << step;
    EXPECT_EQ(paints.areas[0].height(), 1) << step;
    EXPECT_GE(paints.areas[0].left(), 10) << step;
    EXPECT_LE(paints.areas[0].right(), 169) << step;
    const QPixmap shown = s.window.screen()->grabWindow(s.window.winId(), 0, 0, 200, 100);
    EXPECT_EQ(shown.toImage().convertToFormat(QImage::Format_RGB32), s.control->RenderFrame());
  }
}

// Covered, the control takes no step; uncovered, it takes at once those its worker would have
// run meanwhile, one per TimeDelay.
TEST(TScrollingTextBmp, CoveredItRestsThenTakesTheStepsItMissed) {
  ManualClock clock;
  ScopedClock installed(clock);
  Screen s;
  QLabel* label = s.AddLabel("a", {0, 10, 50, 20});
  s.control->SetScrollDirection(sdUp);
  s.control->SetTimeDelay(10);
  s.control->SetCovered(true);
  s.control->Start();
  const int top = label->y();
  clock.Advance(995);
  QTest::qWait(30);
  EXPECT_EQ(label->y(), top);
  s.control->SetCovered(false);
  EXPECT_EQ(label->y(), top - 99);
  s.control->Stop();
}

TEST(TScrollingTextBmp, OnScrollSeesAndMayMoveTheItemsOfThePass) {
  Screen s;
  QLabel* first = s.AddLabel("a", {0, 1, 50, 20});
  QLabel* second = s.AddLabel("b", {0, 50, 50, 20});
  s.StartStopped(stBounce, sdUp);
  int calls = 0;
  s.control->SetOnScroll([&](TScrollingTextBmp& sender, QWidget& comp, TcbScrollEvent e) {
    EXPECT_EQ(&sender, s.control);
    EXPECT_EQ(&comp, first);
    EXPECT_EQ(e, seTop);
    EXPECT_EQ(first->y(), 0);
    EXPECT_EQ(second->y(), 50);  // not yet moved in this pass
    first->move(0, 30);
    ++calls;
  });
  s.control->Step();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(first->y(), 30);
  EXPECT_EQ(ItemTag(*first), 1);
  EXPECT_EQ(second->y(), 49);
  SetItemTag(*second, 5);  // a tag written between steps is the one the next step reads
  s.control->Step();
  EXPECT_EQ(second->y(), 54);
}

TEST(TScrollingTextBmp, HandlersMayAssignTheirOwnEventAnew) {
  Screen s;
  s.control->SetScrollType(stBounce);
  s.AddLabel("a", {0, 0, 50, 20});  // at the top edge: the step reports it
  // Each handler drops itself, then still uses what it captured.
  std::string seen;
  const std::string word(40, 'x');
  s.control->SetOnScroll([&seen, word](TScrollingTextBmp& sender, QWidget&, TcbScrollEvent) {
    sender.SetOnScroll(nullptr);
    seen += word;
  });
  s.control->SetOnDraw([&seen, word](TScrollingTextBmp& sender, QImage&) {
    sender.SetOnDraw(nullptr);
    seen += word;
  });
  s.control->Step();
  s.control->RenderFrame();
  EXPECT_EQ(seen, word + word);
}

}  // namespace
}  // namespace verdal
