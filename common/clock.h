// The one clock that every pause, chronometer, fade and seed goes through.
#pragma once

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
};

// The real clock of the machine.
class SystemClock final : public Clock {
 public:
  std::int64_t NowMs() override;
  void SleepMs(std::int64_t ms) override;
  std::uint32_t MillisecondsSinceMidnightUtc() override;
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

  void Advance(std::int64_t ms) { now_ += ms; }
  void SetMillisecondsSinceMidnightUtc(std::uint32_t ms) { midnightMs_ = ms; }

 private:
  std::atomic<std::int64_t> now_{0};
  std::atomic<std::uint32_t> midnightMs_{0};
};

// The clock in use: the system clock unless a test installed another one.
Clock& AppClock();
// Installs clock (not owned) as AppClock(); nullptr restores the system clock.
void InstallClock(Clock* clock);

// Installs a clock for the lifetime of a scope, then restores the previous one.
class ScopedClock : public InstalledService<Clock>::Scope {
 public:
  explicit ScopedClock(Clock& clock);
};

}  // namespace verdal
