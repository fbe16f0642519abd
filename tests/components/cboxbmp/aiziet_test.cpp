// Checks the scrolling worker: steps only on the serving thread, one at a time, the delay,
// and that stopping or destroying it never waits on a step that will not be served.
#include "components/cboxbmp/aiziet.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace verdal {
namespace {

// Records every sleep; safe to use from both threads. A fake clock moves only when slept on
// or advanced; a real one sleeps for real.
class RecordingClock final : public Clock {
 public:
  explicit RecordingClock(bool fake = true) : fake_(fake) {}
  std::int64_t NowMs() override {
    std::lock_guard lock(mutex_);
    return fake_ ? now_ : real_.NowMs();
  }
  void SleepMs(std::int64_t ms) override {
    {
      std::lock_guard lock(mutex_);
      sleeps_.push_back(ms);
      now_ += ms;
    }
    if (!fake_) real_.SleepMs(ms);
  }
  std::uint32_t MillisecondsSinceMidnightUtc() override { return 0; }
  void Advance(std::int64_t ms) {
    std::lock_guard lock(mutex_);
    now_ += ms;
  }
  std::vector<std::int64_t> Sleeps() {
    std::lock_guard lock(mutex_);
    return sleeps_;
  }

 private:
  const bool fake_;
  SystemClock real_;
  std::mutex mutex_;
  std::int64_t now_ = 0;
  std::vector<std::int64_t> sleeps_;
};

// Stands in for the UI thread's queue: the worker's posts wake the test thread.
class PostBox {
 public:
  void Post() {
    {
      std::lock_guard lock(mutex_);
      ++posted_;
    }
    wake_.notify_all();
  }
  // Waits until `count` posts have arrived.
  void WaitFor(int count) {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [&] { return posted_ >= count; });
  }
  int Posted() {
    std::lock_guard lock(mutex_);
    return posted_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  int posted_ = 0;
};

TEST(TAiziet, StepsRunOneAtATimeOnTheServingThreadThenTheDelayIsSlept) {
  RecordingClock clock;
  PostBox box;
  const std::thread::id self = std::this_thread::get_id();
  int steps = 0;
  TAiziet* selfWorker = nullptr;
  {
    TAiziet worker(
        25, clock,
        [&] {
          EXPECT_EQ(std::this_thread::get_id(), self);
          ++steps;
          selfWorker->ServeStep();  // a step that handles events never nests another
        },
        [&] { box.Post(); });
    selfWorker = &worker;
    for (int n = 1; n <= 3; ++n) {
      box.WaitFor(n);
      // The worker never asks again before its step has been served.
      EXPECT_EQ(box.Posted(), n);
      worker.ServeStep();
    }
    box.WaitFor(4);
  }
  EXPECT_EQ(steps, 3);
  // 25 ms in slices that a stop can cut short.
  EXPECT_EQ(clock.Sleeps(), (std::vector<std::int64_t>{10, 10, 5, 10, 10, 5, 10, 10, 5}));
}

TEST(TAiziet, TheWholeDelayFollowsEveryStepHoweverLateTheHandOver) {
  RecordingClock clock;
  PostBox box;
  {
    // Each hand-over takes 3 ms to reach the UI thread, one takes 40 ms (the UI thread was
    // busy), and each step takes 2 ms: the worker still sleeps the whole delay after every
    // step, so the text never moves twice within one delay.
    int posts = 0;
    TAiziet worker(
        25, clock, [&] { clock.Advance(2); },
        [&] {
          clock.Advance(++posts == 2 ? 40 : 3);
          box.Post();
        });
    for (int n = 1; n <= 3; ++n) {
      box.WaitFor(n);
      worker.ServeStep();
    }
    box.WaitFor(4);
    EXPECT_EQ(clock.NowMs(), 3 + 40 + 3 + 3 * (2 + 25) + 3);
  }
  EXPECT_EQ(clock.Sleeps(), (std::vector<std::int64_t>{10, 10, 5, 10, 10, 5, 10, 10, 5}));
}

TEST(TAiziet, NegativeDelayCountsAsZero) {
  RecordingClock clock;
  PostBox box;
  {
    TAiziet worker(
        -40, clock, [] {}, [&] { box.Post(); });
    for (int n = 1; n <= 3; ++n) {
      box.WaitFor(n);
      worker.ServeStep();
    }
  }
  EXPECT_TRUE(clock.Sleeps().empty());
}

TEST(TAiziet, StopReturnsAtOnceAndAtMostTheStepAskedForStillRuns) {
  RecordingClock clock;
  PostBox box;
  int steps = 0;
  TAiziet worker(
      0, clock, [&] { ++steps; }, [&] { box.Post(); });
  box.WaitFor(1);
  worker.RequestStop();  // the worker is waiting for a step it asked for before the stop
  EXPECT_FALSE(worker.Ended());
  worker.ServeStep();
  EXPECT_EQ(steps, 1);
  while (!worker.Ended()) std::this_thread::yield();
  worker.ServeStep();
  EXPECT_EQ(steps, 1);
  EXPECT_EQ(box.Posted(), 1);

  // A stop during the delay ends the worker within one slice, without another step.
  RecordingClock realClock(false);
  PostBox sleepyBox;
  TAiziet sleepy(
      600000, realClock, [] {}, [&] { sleepyBox.Post(); });
  sleepyBox.WaitFor(1);
  sleepy.ServeStep();
  while (realClock.Sleeps().empty()) std::this_thread::yield();
  sleepy.RequestStop();
  while (!sleepy.Ended()) std::this_thread::yield();
  EXPECT_EQ(sleepyBox.Posted(), 1);
  EXPECT_LT(realClock.Sleeps().size(), 5u);
}

TEST(TAiziet, DestructionNeverWaitsForTheStepOrTheWholeDelay) {
  RecordingClock clock(false);
  for (int round = 0; round < 50; ++round) {
    PostBox box;
    TAiziet worker(
        round % 2 ? 0 : 60000, clock, [] {}, [&] { box.Post(); });
    if (round % 3 == 0) {
      box.WaitFor(1);
      worker.ServeStep();  // now in the long sleep, or asking again
    }
  }
  // A destroyed worker stopped within one slice of its minute-long delay.
  for (std::int64_t ms : clock.Sleeps()) EXPECT_LE(ms, TAiziet::kSleepSliceMs);
  EXPECT_LT(clock.Sleeps().size(), 100u);
}

}  // namespace
}  // namespace verdal
