// Waits that keep a screen's events flowing: a nested event loop, which costs nothing while
// nothing happens, and the application's end, which every wait heeds.
#pragma once

#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <vector>

#include "common/clock.h"
#include "common/messages.h"

namespace verdal {

// One run of the program and its end. The end is begun by a termination signal, the main
// window's closing or its quit button: every wait under way ends, every later one returns at
// once, and the message loop ends, at once or as soon as it would start. It lasts as long as
// the run (a test runs the program again and again). One run at a time.
class ApplicationRun {
 public:
  ApplicationRun();
  ~ApplicationRun();
  ApplicationRun(const ApplicationRun&) = delete;
  ApplicationRun& operator=(const ApplicationRun&) = delete;

  // Begins the end of the run under way, which then exits with the first status given;
  // nothing when no run is under way.
  static void End(int status);
  static bool Ending();

  // The message loop until the end, and its exit status.
  int Exec();

 private:
  bool ending_ = false;
  int status_ = 0;
  bool looping_ = false;
};

class EventWait final : public QObject {
 public:
  // The wait also ends when object receives an event of this type (a panel hidden, a window
  // exposed), for as long as both live.
  void EndOn(QObject& object, QEvent::Type type);

  // Handles events until End, a watched event, timeoutMs of real time (0: the events pending
  // now; negative: no limit) or the application's end. Returns false in the last case, at
  // once when the end has begun already: the caller gives up what it waited for. An end
  // reaches the waits under way outside this one too: the application's end ends them all,
  // and End, given while this wait runs again inside itself, ends both runs; each caller
  // looks again at what it waits for.
  bool Run(int timeoutMs = -1, QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);

  void End();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Watched {
    QPointer<QObject> object;
    QEvent::Type type;
  };
  std::vector<Watched> watched_;
  QEventLoop* loop_ = nullptr;  // this wait's innermost run
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
