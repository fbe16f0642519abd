// The system clock and the installed-clock switch.
#include "common/clock.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "common/messages.h"

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

SystemClock::SystemClock() : wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (wakeFd_ < 0) throw std::runtime_error(std::strerror(errno));
}

SystemClock::~SystemClock() { ::close(wakeFd_); }

void SystemClock::SleepMs(std::int64_t ms) {
  // The wake-up descriptor stays readable once interrupted, so a sleep on it ends at once; a
  // signal that interrupts the wait itself only shortens the time left.
  using namespace std::chrono;
  const auto end = steady_clock::now() + milliseconds(std::max<std::int64_t>(ms, 0));
  for (auto left = end - steady_clock::now(); !interrupted_.load() && left > nanoseconds(0);
       left = end - steady_clock::now()) {
    pollfd wake{wakeFd_, POLLIN, 0};
    const auto s = duration_cast<seconds>(left);
    const timespec timeout{static_cast<time_t>(s.count()),
                           static_cast<long>(duration_cast<nanoseconds>(left - s).count())};
    if (::ppoll(&wake, 1, &timeout, nullptr) > 0) break;
  }
  if (interrupted_.load()) throw Abandoned();
}

void SystemClock::Interrupt() noexcept {
  interrupted_.store(true);
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = ::write(wakeFd_, &one, sizeof one);
}

void SystemClock::Resume() {
  // The flag first: an Interrupt between the two steps then leaves it set, and every sleep
  // still gives up. Drained first, such an Interrupt's wake-up would outlive a cleared flag,
  // and every later sleep would return at once as if it had slept.
  interrupted_.store(false);
  std::uint64_t count = 0;
  [[maybe_unused]] const ssize_t read = ::read(wakeFd_, &count, sizeof count);
}

std::uint32_t SystemClock::MillisecondsSinceMidnightUtc() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const auto sinceMidnight = now - floor<days>(now);
  return static_cast<std::uint32_t>(duration_cast<milliseconds>(sinceMidnight).count());
}

Clock& AppClock() { return installedClock.Get(); }

SystemClock& MachineClock() { return systemClock; }

void InstallClock(Clock* clock) { installedClock.Install(clock); }

ScopedClock::ScopedClock(Clock& clock) : Scope(installedClock, clock) {}

}  // namespace verdal
