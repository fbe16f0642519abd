// Resident memory from /proc/self/statm and the median rule that judges a soak's curve.
#include "tests/soak/memory_curve.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <ostream>
#include <stdexcept>

namespace verdal::test {
namespace {

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
         (1024.0 * 1024.0);
}

GrowthVerdict MemoryCurve::Judge(double marginMegabytes) const {
  GrowthVerdict verdict;
  if (samples_.size() < kFewestSamples) return verdict;
  const std::size_t warmUp = std::max<std::size_t>(1, samples_.size() / 5);
  std::vector<double> steady;
  for (std::size_t i = warmUp; i < samples_.size(); ++i) steady.push_back(samples_[i].megabytes);
  const std::size_t third = std::max<std::size_t>(1, steady.size() / 3);
  verdict.earlyMedian = Median({steady.begin(), steady.begin() + third});
  verdict.lateMedian = Median({steady.end() - third, steady.end()});
  verdict.growth = verdict.lateMedian - verdict.earlyMedian;
  verdict.judged = true;
  verdict.grows = verdict.growth > marginMegabytes;
  return verdict;
}

void PrintCurve(std::ostream& out, const std::string& name, const MemoryCurve& curve,
                const GrowthVerdict& verdict, const std::string& workUnit) {
  out << std::fixed << std::setprecision(2);
  for (const MemorySample& s : curve.Samples()) {
    out << "soak " << name << " at " << s.at << " rss_mb " << s.megabytes << ' ' << workUnit
        << ' ' << s.work << '\n';
  }
  out << "soak " << name << " early_median_mb " << verdict.earlyMedian << " late_median_mb "
      << verdict.lateMedian << " growth_mb " << verdict.growth << '\n';
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
