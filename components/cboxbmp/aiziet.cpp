// TAiziet: the worker that paces the scrolling text.
#include "components/cboxbmp/aiziet.h"

#include <algorithm>

namespace verdal {

TAiziet::TAiziet(std::int32_t delayMs, Clock& clock, Callback step, Callback post)
    : delayMs_(std::max(delayMs, 0)),
      clock_(clock),
      step_(std::move(step)),
      post_(std::move(post)),
      thread_([this] { Run(); }) {}

TAiziet::~TAiziet() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
    abandoned_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void TAiziet::RequestStop() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
}

bool TAiziet::Ended() {
  std::lock_guard lock(mutex_);
  return ended_;
}

void TAiziet::ServeStep() {
  std::unique_lock lock(mutex_);
  if (!stepWanted_ || stepRunning_ || abandoned_) return;
  stepRunning_ = true;
  // The step runs unlocked: it may call Stop (from an OnScroll handler, say).
  lock.unlock();
  step_();
  lock.lock();
  stepRunning_ = false;
  stepWanted_ = false;
  lock.unlock();
  wake_.notify_all();
}

void TAiziet::Run() {
  std::unique_lock lock(mutex_);
  while (!stop_) {
    stepWanted_ = true;
    // Posting under the lock orders everything the post allocates before the UI thread's
    // ServeStep, which takes the same lock first.
    post_();
    // A stop does not cancel a step already asked for: the UI thread still runs it.
    wake_.wait(lock, [this] { return !stepWanted_ || abandoned_; });
    if (abandoned_) break;
    // The whole delay after every step, however long the hand-over and the step took. It is
    // slept in slices so that a stop or the destruction ends it soon.
    for (std::int64_t left = delayMs_; left > 0 && !stop_; left -= kSleepSliceMs) {
      lock.unlock();
      clock_.SleepMs(std::min(left, kSleepSliceMs));
      lock.lock();
    }
  }
  stepWanted_ = false;
  ended_ = true;
}

}  // namespace verdal
