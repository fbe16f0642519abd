// The scrolling control's lifetime against its worker: destruction (by the screen or by the
// control's own handler) never deadlocks and no step reaches a destroyed control; a failing
// step is reported; no test clock is relied on. Also runs under TSan.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "common/clock.h"
#include "common/messages.h"
#include "components/cboxbmp/qt/scrolling_text_bmp.h"
#include "tests/support/recorded_messages.h"

namespace verdal {
namespace {

// Painted frames of every control, counted on the UI thread through OnDraw.
int g_frames = 0;

std::unique_ptr<QWidget> ScrollingScreen(std::int32_t timeDelay, TScrollingTextBmp** control) {
  auto window = std::make_unique<QWidget>();
  window->resize(240, 120);
  auto* panel = new QWidget(window.get());
  for (int i = 0; i < 4; ++i) {
    auto* label = new QLabel(QString("Ligne %1 du texte").arg(i), panel);
    label->setGeometry(10, 8 + 30 * i, 200, 20);
  }
  auto* c = new TScrollingTextBmp(window.get());
  c->setGeometry(0, 0, 240, 120);
  c->SetTextContainer(panel);
  c->SetScrollDirection(sdUp);
  c->SetTimeDelay(timeDelay);
  c->SetOnDraw([](TScrollingTextBmp&, QImage&) { ++g_frames; });
  window->show();
  *control = c;
  return window;
}

TEST(ScrollingLifetime, ControlsDestroyedWhileScrollingNeverStepAgain) {
  int framesWhileRunning = 0;
  for (int round = 0; round < 120; ++round) {
    TScrollingTextBmp* control = nullptr;
    auto window = ScrollingScreen(round % 4, &control);
    control->Start();
    const int before = g_frames;
    switch (round % 5) {
      case 0:  // destroyed at once, with the first step perhaps already asked for
        break;
      case 1:  // after some steps
        QTest::qWait(round % 7);
        break;
      case 2:  // stopped first, destroyed a little later
        QTest::qWait(2);
        control->Stop();
        QTest::qWait(1);
        break;
      case 3:  // the worker waits in the hand-over while the UI thread is busy elsewhere
        AppClock().SleepMs(3);
        break;
      case 4:  // the control goes before its window
        QTest::qWait(3);
        delete control;
        break;
    }
    framesWhileRunning += g_frames - before;
    window.reset();
    const int after = g_frames;
    // Any step request still queued must be dropped, not delivered.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(g_frames, after) << "round " << round;
  }
  EXPECT_GT(framesWhileRunning, 0);
}

TEST(ScrollingLifetime, DestructionDoesNotWaitForALongDelay) {
  TScrollingTextBmp* control = nullptr;
  auto window = ScrollingScreen(600000, &control);
  const int before = g_frames;
  control->Start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return g_frames > before; }, 5000));
  QElapsedTimer timer;
  timer.start();
  window.reset();
  EXPECT_LT(timer.elapsed(), 1000);
}

TEST(ScrollingLifetime, StopReturnsAtOnceAndTheMotionHalts) {
  TScrollingTextBmp* control = nullptr;
  auto window = ScrollingScreen(1, &control);
  QWidget* first = control->TextContainer()->findChild<QLabel*>();
  control->Start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return first->y() < 110; }, 5000));
  control->Stop();
  QTest::qWait(20);
  const int stoppedAt = first->y();
  QTest::qWait(30);
  EXPECT_EQ(first->y(), stoppedAt);
  control->Start();  // a stopped control stays where it stopped
  QTest::qWait(20);
  EXPECT_EQ(first->y(), stoppedAt);
}

// Each way a handler of the control can be told to delete it: the worker's step, a click.
TEST(ScrollingLifetime, AHandlerMayDeleteItsOwnControl) {
  using Setup = std::function<void(TScrollingTextBmp&, std::function<void(TScrollingTextBmp&)>)>;
  const std::vector<std::pair<const char*, Setup>> handlers = {
      {"OnScroll",
       [](TScrollingTextBmp& c, auto kill) {
         c.SetScrollType(stBounce);  // the first label reaches the top edge within 8 steps
         c.SetOnScroll([kill](TScrollingTextBmp& s, QWidget&, TcbScrollEvent) { kill(s); });
         c.Start();
       }},
      {"OnMouseUp",
       [](TScrollingTextBmp& c, auto kill) {
         c.SetOnMouseUp([kill](TScrollingTextBmp& s, QMouseEvent&) { kill(s); });
         QTest::mouseClick(&c, Qt::LeftButton);
       }},
      {"OnDblClick",
       [](TScrollingTextBmp& c, auto kill) {
         c.SetOnDblClick([kill](TScrollingTextBmp& s) { kill(s); });
         QTest::mouseDClick(&c, Qt::LeftButton);
       }},
  };
  for (const auto& [name, setup] : handlers) {
    TScrollingTextBmp* control = nullptr;
    auto window = ScrollingScreen(0, &control);
    const QPointer<TScrollingTextBmp> alive(control);
    setup(*control, [](TScrollingTextBmp& sender) { delete &sender; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }, 5000)) << name;
  }
}

TEST(ScrollingLifetime, AFailedStepIsReportedAndTheTextGoesOn) {
  RecordedMessages messages;
  ScopedMessages scoped(messages);
  TScrollingTextBmp* control = nullptr;
  auto window = ScrollingScreen(0, &control);
  control->SetScrollType(stBounce);
  bool thrown = false;
  control->SetOnScroll([&](TScrollingTextBmp&, QWidget&, TcbScrollEvent) {
    if (!std::exchange(thrown, true)) throw std::runtime_error("Texte illisible");
  });
  control->Start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return thrown; }, 5000));
  const int framesAtFailure = g_frames;
  EXPECT_TRUE(QTest::qWaitFor([&] { return g_frames > framesAtFailure + 2; }, 5000));
  EXPECT_THAT(messages.shown, testing::ElementsAre("Texte illisible"));
}

// A test's clock may end while the control scrolls; and a manual clock never waits, so it
// cannot pace the worker without letting it step flat out and move the test's time.
TEST(ScrollingLifetime, TheWorkerDependsOnNoClockATestInstalls) {
  TScrollingTextBmp* control = nullptr;
  auto window = ScrollingScreen(600000, &control);
  QWidget* first = control->TextContainer()->findChild<QLabel*>();
  auto clock = std::make_unique<ManualClock>();
  {
    ScopedClock scoped(*clock);
    control->Start();
    const int start = first->y();
    ASSERT_TRUE(QTest::qWaitFor([&] { return first->y() != start; }, 5000));
    QTest::qWait(30);
    EXPECT_EQ(first->y(), start - 1);  // one step, then the whole delay
  }
  EXPECT_EQ(clock->NowMs(), 0);
  clock.reset();
  QTest::qWait(30);
}

}  // namespace
}  // namespace verdal
