// The system clock and the installed-clock switch.
#include "common/clock.h"

#include <chrono>
#include <thread>

namespace verdal {
namespace {
SystemClock systemClock;
// Read by worker threads too (the scrolling control sleeps on it).
constinit InstalledService<Clock> installedClock(systemClock);
}  // namespace

std::int64_t SystemClock::NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SystemClock::SleepMs(std::int64_t ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::uint32_t SystemClock::MillisecondsSinceMidnightUtc() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const auto sinceMidnight = now - floor<days>(now);
  return static_cast<std::uint32_t>(duration_cast<milliseconds>(sinceMidnight).count());
}

Clock& AppClock() { return installedClock.Get(); }

void InstallClock(Clock* clock) { installedClock.Install(clock); }

ScopedClock::ScopedClock(Clock& clock) : Scope(installedClock, clock) {}

}  // namespace verdal
