// The one clock that every pause, chronometer, fade and seed goes through.
#pragma once

#include <atomic>
#include <cstdint>

#include "common/installed_service.h"

namespace verdal {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds on a steady clock; only differences are meaningful.
  virtual std::int64_t NowMs() = 0;
  // Blocks the calling thread for ms milliseconds (nothing for ms <= 0).
  virtual void SleepMs(std::int64_t ms) = 0;
  // ((hour * 60 + minute) * 60 + second) * 1000 + millisecond, in universal time.
  virtual std::uint32_t MillisecondsSinceMidnightUtc() = 0;
  // Whether time passes by itself. A wait on such a clock can be left to the event loop's
  // timers and cost nothing; on a clock that moves only when slept on, a wait must sleep on
  // it step by step.
  virtual bool RunsByItself() const = 0;
};

// The real clock of the machine. Its sleeps can be cut short for good: a program that is
// ending gives up a fade or a pause that holds its thread instead of running it out.
class SystemClock final : public Clock {
 public:
  SystemClock();
  ~SystemClock() override;
  SystemClock(const SystemClock&) = delete;
  SystemClock& operator=(const SystemClock&) = delete;

  std::int64_t NowMs() override;
  // Throws Abandoned (common/messages.h) at once, or as soon as the sleep is interrupted.
  void SleepMs(std::int64_t ms) override;
  std::uint32_t MillisecondsSinceMidnightUtc() override;
  bool RunsByItself() const override { return true; }

  // From any thread, and safe in a signal handler: the sleep under way and every later one
  // give up until Resume.
  void Interrupt() noexcept;
  void Resume();
  bool Interrupted() const { return interrupted_.load(); }

 private:
  std::atomic<bool> interrupted_{false};
  int wakeFd_ = -1;  // readable once interrupted
};

// A clock that only moves when told: SleepMs advances it at once, so tests run
// minutes of game time in milliseconds and can check every scheduled instant.
// Atomic, because a worker thread may sleep on it while the test reads it.
class ManualClock final : public Clock {
 public:
  std::int64_t NowMs() override { return now_.load(); }
  void SleepMs(std::int64_t ms) override {
    if (ms > 0) now_ += ms;
  }
  std::uint32_t MillisecondsSinceMidnightUtc() override { return midnightMs_.load(); }
  bool RunsByItself() const override { return false; }

  void Advance(std::int64_t ms) { now_ += ms; }
  void SetMillisecondsSinceMidnightUtc(std::uint32_t ms) { midnightMs_ = ms; }

 private:
  std::atomic<std::int64_t> now_{0};
  std::atomic<std::uint32_t> midnightMs_{0};
};

// The clock in use: the machine's clock unless a test installed another one.
Clock& AppClock();
// The machine's clock that AppClock() gives by default (a worker keeps a clock of its own).
SystemClock& MachineClock();
// Installs clock (not owned) as AppClock(); nullptr restores the system clock.
void InstallClock(Clock* clock);

// Installs a clock for the lifetime of a scope, then restores the previous one.
class ScopedClock : public InstalledService<Clock>::Scope {
 public:
  explicit ScopedClock(Clock& clock);
};

}  // namespace verdal
