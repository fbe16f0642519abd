// Resident memory from /proc/self/statm and the median rule that judges a soak's curve.
#include "tests/soak/memory_curve.h"

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <ostream>
#include <stdexcept>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VERDAL_SOAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define VERDAL_SOAK_CHECKED 1
#endif
#endif

#ifdef VERDAL_SOAK_CHECKED
// From the sanitizers' allocator interface, whose header GCC does not install.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace verdal::test {
namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  std::int64_t sizePages = 0, residentPages = 0;
  if (!(statm >> sizePages >> residentPages)) {
    throw std::runtime_error("/proc/self/statm unreadable");
  }
  return static_cast<double>(residentPages) * static_cast<double>(::sysconf(_SC_PAGESIZE)) /
         kMegabyte;
}

double HeapMegabytes() {
#ifdef VERDAL_SOAK_CHECKED
  return static_cast<double>(__sanitizer_get_current_allocated_bytes()) / kMegabyte;
#else
  const struct mallinfo2 info = ::mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / kMegabyte;
#endif
}

bool ResidentMemoryIsTheProgramsOwn() {
#ifdef VERDAL_SOAK_CHECKED
  return false;
#else
  return true;
#endif
}

MemorySample SampleMemory(std::string at, std::int64_t work) {
  return {std::move(at), ResidentMegabytes(), HeapMegabytes(), work};
}

GrowthVerdict MemoryCurve::Judge(double MemorySample::*measure, double marginMegabytes) const {
  GrowthVerdict verdict;
  if (samples_.size() < kFewestSamples) return verdict;
  const std::size_t warmUp = std::max<std::size_t>(1, samples_.size() / 5);
  std::vector<double> steady;
  for (std::size_t i = warmUp; i < samples_.size(); ++i) steady.push_back(samples_[i].*measure);
  const std::size_t third = std::max<std::size_t>(1, steady.size() / 3);
  verdict.earlyMedian = Median({steady.begin(), steady.begin() + third});
  verdict.lateMedian = Median({steady.end() - third, steady.end()});
  verdict.growth = verdict.lateMedian - verdict.earlyMedian;
  verdict.judged = true;
  verdict.grows = verdict.growth > marginMegabytes;
  return verdict;
}

void PrintCurve(std::ostream& out, const std::string& name, const MemoryCurve& curve,
                const std::string& workUnit) {
  out << std::fixed << std::setprecision(2);
  for (const MemorySample& s : curve.Samples()) {
    out << "soak " << name << " at " << s.at << " rss_mb " << s.resident << " heap_mb " << s.heap
        << ' ' << workUnit << ' ' << s.work << '\n';
  }
  for (const auto& [label, measure] :
       {std::pair{"rss", &MemorySample::resident}, std::pair{"heap", &MemorySample::heap}}) {
    const GrowthVerdict verdict = curve.Judge(measure, 0);
    out << "soak " << name << ' ' << label << " early_median_mb " << verdict.earlyMedian
        << " late_median_mb " << verdict.lateMedian << " growth_mb " << verdict.growth << '\n';
  }
}

std::int64_t EnvironmentCount(const char* name, std::int64_t fallback) {
  const char* text = std::getenv(name);
  if (!text) return fallback;
  std::int64_t value = 0;
  const char* end = text + std::char_traits<char>::length(text);
  const auto [last, error] = std::from_chars(text, end, value);
  return error == std::errc{} && last == end && value > 0 ? value : fallback;
}

}  // namespace verdal::test
