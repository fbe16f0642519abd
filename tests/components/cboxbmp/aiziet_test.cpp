// Checks the scrolling worker: steps only on the serving thread, one at a time, the delay,
// and that stopping or destroying it never waits on a step that will not be served.
#include "components/cboxbmp/aiziet.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
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
  std::int64_t NowMs() override { return now_; }
  void SleepMs(std::int64_t ms) override {
    {
      std::lock_guard lock(mutex_);
      sleeps_.push_back(ms);
    }
    now_ += ms;
    if (!fake_) real_.SleepMs(ms);
  }
  std::uint32_t MillisecondsSinceMidnightUtc() override { return 0; }
  bool RunsByItself() const override { return !fake_; }
  void Advance(std::int64_t ms) { now_ += ms; }
  std::vector<std::int64_t> Sleeps() {
    std::lock_guard lock(mutex_);
    return sleeps_;
  }

 private:
  const bool fake_;
  SystemClock real_;
  std::atomic<std::int64_t> now_ = 0;
  std::mutex mutex_;
  std::vector<std::int64_t> sleeps_;
};

// Stands in for the UI thread's queue: counts the worker's posts and wakes the test thread.
struct PostBox {
  std::atomic<int> posted = 0;
  void Post() {
    ++posted;
    posted.notify_all();
  }
  void WaitFor(int count) {
    for (int seen = posted; seen < count; seen = posted) posted.wait(seen);
  }
};

const std::vector<std::int64_t> kThreeDelaysOf25 = {10, 10, 5, 10, 10, 5, 10, 10, 5};

TEST(TAiziet, StepsRunOneAtATimeOnTheServingThreadThenTheWholeDelayIsSlept) {
  auto clock = std::make_shared<RecordingClock>();
  PostBox box;
  const std::thread::id self = std::this_thread::get_id();
  int steps = 0;
  {
    // Each hand-over takes 3 ms to reach the UI thread, one takes 40 ms (the UI thread was
    // busy), and each step takes 2 ms: the worker still sleeps the whole delay after every
    // step, so the text never moves twice within one delay.
    TAiziet* selfWorker = nullptr;
    TAiziet worker(
        25, clock,
        [&] {
          EXPECT_EQ(std::this_thread::get_id(), self);
          ++steps;
          clock->Advance(2);
          selfWorker->ServeStep();  // a step that handles events never nests another
        },
        [&] {
          clock->Advance(box.posted == 1 ? 40 : 3);
          box.Post();
        });
    selfWorker = &worker;
    for (int n = 1; n <= 3; ++n) {
      box.WaitFor(n);
      EXPECT_EQ(box.posted, n);  // never asks again before its step has been served
      worker.ServeStep();
    }
    box.WaitFor(4);
    EXPECT_EQ(clock->NowMs(), 3 + 40 + 3 + 3 * (2 + 25) + 3);
  }
  EXPECT_EQ(steps, 3);
  EXPECT_EQ(clock->Sleeps(), kThreeDelaysOf25);  // in slices that a stop can cut short

  auto negative = std::make_shared<RecordingClock>();
  PostBox negativeBox;
  {
    TAiziet worker(
        -40, negative, [] {}, [&] { negativeBox.Post(); });
    for (int n = 1; n <= 3; ++n) {
      negativeBox.WaitFor(n);
      worker.ServeStep();
    }
  }
  EXPECT_TRUE(negative->Sleeps().empty());  // a negative delay counts as 0
}

TEST(TAiziet, StopReturnsAtOnceAndAtMostTheStepAskedForStillRuns) {
  auto clock = std::make_shared<RecordingClock>();
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
  EXPECT_EQ(box.posted, 1);

  // A stop during the delay ends the worker within one slice, without another step.
  auto realClock = std::make_shared<RecordingClock>(false);
  PostBox sleepyBox;
  TAiziet sleepy(
      600000, realClock, [] {}, [&] { sleepyBox.Post(); });
  sleepyBox.WaitFor(1);
  sleepy.ServeStep();
  while (realClock->Sleeps().empty()) std::this_thread::yield();
  sleepy.RequestStop();
  while (!sleepy.Ended()) std::this_thread::yield();
  EXPECT_EQ(sleepyBox.posted, 1);
  EXPECT_LT(realClock->Sleeps().size(), 5u);
}

TEST(TAiziet, DestructionNeverWaitsForTheStepOrTheWholeDelay) {
  auto clock = std::make_shared<RecordingClock>(false);
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
  for (std::int64_t ms : clock->Sleeps()) EXPECT_LE(ms, TAiziet::kSleepSliceMs);
  EXPECT_LT(clock->Sleeps().size(), 100u);
}

}  // namespace
}  // namespace verdal
