// TAiziet: the worker that paces the scrolling text.
#include "components/cboxbmp/aiziet.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>

#include "common/messages.h"

namespace verdal {

struct TAiziet::State {
  State(std::int32_t delay, std::shared_ptr<Clock> c, Callback s, Callback p)
      : delayMs(std::max(delay, 0)), clock(std::move(c)), step(std::move(s)), post(std::move(p)) {}

  const std::int64_t delayMs;
  const std::shared_ptr<Clock> clock;
  const Callback step;
  const Callback post;

  std::mutex mutex;
  std::condition_variable wake;
  bool stop = false;
  bool abandoned = false;
  bool stepWanted = false;
  bool stepRunning = false;
  bool ended = false;
};

TAiziet::TAiziet(std::int32_t delayMs, std::shared_ptr<Clock> clock, Callback step, Callback post)
    : state_(std::make_shared<State>(delayMs, std::move(clock), std::move(step), std::move(post))),
      thread_([state = state_.get()] { Run(*state); }) {}

TAiziet::~TAiziet() {
  {
    std::lock_guard lock(state_->mutex);
    state_->stop = true;
    state_->abandoned = true;
  }
  state_->wake.notify_all();
  if (thread_.joinable()) thread_.join();
}

void TAiziet::RequestStop() {
  {
    std::lock_guard lock(state_->mutex);
    state_->stop = true;
  }
  state_->wake.notify_all();
}

bool TAiziet::Ended() {
  std::lock_guard lock(state_->mutex);
  return state_->ended;
}

void TAiziet::ServeStep() {
  // From here on only this copy is used: the step may destroy the worker, and with it state_.
  const std::shared_ptr<State> state = state_;
  std::unique_lock lock(state->mutex);
  if (!state->stepWanted || state->stepRunning || state->abandoned) return;
  state->stepRunning = true;
  // The step runs unlocked: it may call Stop (from an OnScroll handler, say).
  lock.unlock();
  ReportErrors(state->step);
  lock.lock();
  state->stepRunning = false;
  state->stepWanted = false;
  lock.unlock();
  state->wake.notify_all();
}

void TAiziet::Run(State& state) {
  std::unique_lock lock(state.mutex);
  while (!state.stop) {
    state.stepWanted = true;
    // Posting under the lock orders everything the post allocates before the UI thread's
    // ServeStep, which takes the same lock first.
    state.post();
    // A stop does not cancel a step already asked for: the UI thread still runs it.
    state.wake.wait(lock, [&] { return !state.stepWanted || state.abandoned; });
    if (state.abandoned) break;
    // The whole delay after every step, however long the hand-over and the step took. It is
    // slept in slices so that a stop or the destruction ends it soon.
    for (std::int64_t left = state.delayMs; left > 0 && !state.stop; left -= kSleepSliceMs) {
      lock.unlock();
      state.clock->SleepMs(std::min(left, kSleepSliceMs));
      lock.lock();
    }
  }
  state.stepWanted = false;
  state.ended = true;
}

}  // namespace verdal
