// TAiziet: the worker that paces the scrolling text, handing each step to the UI thread.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "common/clock.h"

namespace verdal {

// The worker asks for a step, waits until the UI thread has run it, sleeps the delay, and
// starts over until a stop is requested: one step per step time plus the delay. It never touches
// the control: the only state it shares with the UI thread is behind mutex_, so stopping,
// destroying and serving a step can happen in any order without a deadlock or a step on a dead
// control.
class TAiziet {
 public:
  using Callback = std::function<void()>;

  // step runs on the UI thread, inside ServeStep. post is called on the worker thread and
  // must make the UI thread call ServeStep soon, without waiting for it. The delay (negative
  // counts as 0) goes through clock, which must be safe to use from both threads.
  TAiziet(std::int32_t delayMs, Clock& clock, Callback step, Callback post);
  // Abandons the step the worker may be waiting for (it never runs) and waits for the worker;
  // returns within one sleep slice.
  ~TAiziet();
  TAiziet(const TAiziet&) = delete;
  TAiziet& operator=(const TAiziet&) = delete;

  // Returns at once. A step already handed over still runs when the UI thread serves it; the
  // worker then ends without asking for another.
  void RequestStop();
  // UI thread: runs the step the worker waits for, if any.
  void ServeStep();
  // True once the worker's run has returned.
  bool Ended();

  // The longest uninterrupted sleep, so that a stop never waits for a long delay.
  static constexpr std::int64_t kSleepSliceMs = 10;

 private:
  void Run();

  const std::int64_t delayMs_;
  Clock& clock_;
  const Callback step_;
  const Callback post_;

  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  bool abandoned_ = false;
  bool stepWanted_ = false;
  bool stepRunning_ = false;
  bool ended_ = false;
  std::thread thread_;  // last, so that it starts with every field above in place
};

}  // namespace verdal
