// TAiziet: the worker that paces the scrolling text, handing each step to the UI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "common/clock.h"

namespace verdal {

// The worker asks for a step, waits until the UI thread has run it, sleeps the delay, and
// starts over until a stop is requested: one step per step time plus the delay. It never touches
// the control: the only state it shares with the UI thread is held apart, behind one mutex, and
// kept alive by whoever uses it, so stopping, destroying and serving a step can happen in any
// order, even the destruction from inside the step, without a deadlock or a step on a dead
// control.
class TAiziet {
 public:
  using Callback = std::function<void()>;

  // step runs on the UI thread, inside ServeStep. post is called on the worker thread and
  // must make the UI thread call ServeStep soon, without waiting for it. The delay (negative
  // counts as 0) is slept on clock, which the worker keeps for as long as it runs and which must
  // be safe to use from both threads.
  TAiziet(std::int32_t delayMs, std::shared_ptr<Clock> clock, Callback step, Callback post);
  // Abandons the step the worker may be waiting for (it never runs) and waits for the worker;
  // returns within one sleep slice. The step under way may be the caller.
  ~TAiziet();
  TAiziet(const TAiziet&) = delete;
  TAiziet& operator=(const TAiziet&) = delete;

  // Returns at once. A step already handed over still runs when the UI thread serves it; the
  // worker then ends without asking for another.
  void RequestStop();
  // UI thread: runs the step the worker waits for, if any. What the step throws is reported
  // through AppMessages() before the worker may ask for the next one, so the text goes on
  // once the message is read and a failing step never stacks up messages. The step may destroy
  // this worker.
  void ServeStep();
  // True once the worker's run has returned.
  bool Ended();

  // The longest uninterrupted sleep, so that a stop never waits for a long delay.
  static constexpr std::int64_t kSleepSliceMs = 10;

 private:
  struct State;
  static void Run(State& state);

  std::shared_ptr<State> state_;
  std::thread thread_;  // last, so that it starts with the state in place
};

}  // namespace verdal
