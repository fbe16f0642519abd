// Waits that keep a screen's events flowing: a nested event loop, which costs nothing while
// nothing happens and which the application's end reaches (QCoreApplication::exit and quit end
// every loop under way, and any loop started after them at once).
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/clock.h"
#include "common/messages.h"

namespace verdal {

class EventWait final : public QObject {
 public:
  // The wait also ends when object receives an event of this type (a panel hidden, a window
  // exposed), for as long as both live.
  void EndOn(QObject& object, QEvent::Type type) {
    watched_.push_back({&object, type});
    object.installEventFilter(this);
  }

  // Handles events until End, a watched event, timeoutMs of real time (0: the events pending
  // now; negative: no limit) or the application's end. Returns false in the last case: the
  // caller gives up what it waited for.
  bool Run(int timeoutMs = -1, QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents) {
    if (timeoutMs == 0) {
      // A pass: what is pending, a termination request's notice included, then whether the
      // application is ending.
      QCoreApplication::processEvents(flags);
      return !Quitting(flags);
    }
    ended_ = false;
    QEventLoop loop;
    QTimer timer;
    if (timeoutMs >= 0) {
      timer.setSingleShot(true);
      timer.setTimerType(Qt::PreciseTimer);
      connect(&timer, &QTimer::timeout, this, &EventWait::End);
      timer.start(timeoutMs);
    }
    loop_ = &loop;
    loop.exec(flags);
    loop_ = nullptr;
    return ended_;
  }

  // Whether QCoreApplication::exit or quit was called in the message loop under way (or
  // before any ran): a loop started then ends at once.
  static bool Quitting(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents) {
    QEventLoop probe;
    bool ran = false;
    QTimer::singleShot(0, &probe, [&] {
      ran = true;
      probe.quit();
    });
    probe.exec(flags);
    return !ran;
  }

  void End() {
    ended_ = true;
    if (loop_) loop_->quit();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    for (const Watched& w : watched_) {
      if (w.object == watched && w.type == event->type()) End();
    }
    return false;
  }

 private:
  struct Watched {
    QPointer<QObject> object;
    QEvent::Type type;
  };
  std::vector<Watched> watched_;
  QEventLoop* loop_ = nullptr;
  bool ended_ = false;
};

// Handles events for ms milliseconds of AppClock(), to the millisecond beyond. On a clock that
// runs by itself a timer ends most of the wait; since it wakes a few milliseconds late, the
// last ones are slept a millisecond at a time between passes over the pending events, as the
// whole wait is on a manual clock, where a test steps through an animation. Throws Abandoned
// when the application is ending, or when a watched event came and giveUp() holds.
template <class GiveUp>
void PauseWithEvents(EventWait& wait, int ms, GiveUp&& giveUp,
                     QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents) {
  constexpr std::int64_t kTimerLateMs = 10;
  Clock& clock = AppClock();
  const std::int64_t end = clock.NowMs() + ms;
  for (;;) {
    const std::int64_t left = end - clock.NowMs();
    const bool byTimer = clock.RunsByItself() && left > kTimerLateMs;
    if (!wait.Run(byTimer ? static_cast<int>(left - kTimerLateMs) : 0, flags) || giveUp()) {
      throw Abandoned();
    }
    if (clock.NowMs() > end) return;
    if (!byTimer) clock.SleepMs(1);
  }
}

}  // namespace verdal
