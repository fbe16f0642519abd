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
  RequestStop();
  if (thread_.joinable()) thread_.join();
}

void TAiziet::RequestStop() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
}

bool TAiziet::StopRequested() {
  std::lock_guard lock(mutex_);
  return stop_;
}

bool TAiziet::Ended() {
  std::lock_guard lock(mutex_);
  return ended_;
}

void TAiziet::ServeStep() {
  std::unique_lock lock(mutex_);
  if (!stepWanted_ || stepRunning_ || stop_) return;
  stepRunning_ = true;
  // The step runs unlocked: it may call Stop (from an OnScroll handler, say).
  lock.unlock();
  const std::int64_t start = clock_.NowMs();
  step_();
  const std::int64_t stepMs = clock_.NowMs() - start;
  lock.lock();
  stepMs_ = stepMs;
  stepRunning_ = false;
  stepWanted_ = false;
  lock.unlock();
  wake_.notify_all();
}

void TAiziet::Run() {
  std::unique_lock lock(mutex_);
  std::int64_t due = clock_.NowMs();
  while (!stop_) {
    stepWanted_ = true;
    // Posting under the lock orders everything the post allocates before the UI thread's
    // ServeStep, which takes the same lock first.
    post_();
    wake_.wait(lock, [this] { return !stepWanted_ || stop_; });
    if (stop_) break;
    // One step per step time plus the delay. Counting from when the step was due, not from
    // when this thread woke up, keeps the hand-over's and the wake-up's latencies out of
    // the pace. A worker that fell behind (the UI thread was busy) goes on from now
    // instead of hurrying to catch up.
    due += stepMs_ + delayMs_;
    lock.unlock();
    due = std::max(due, clock_.NowMs());
    while (!StopRequested()) {
      const std::int64_t left = due - clock_.NowMs();
      if (left <= 0) break;
      clock_.SleepMs(std::min(left, kSleepSliceMs));
    }
    lock.lock();
  }
  stepWanted_ = false;
  ended_ = true;
}

}  // namespace verdal
