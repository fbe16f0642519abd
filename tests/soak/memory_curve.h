// Resident memory of the running process, sampled into a curve that tells growth from noise.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace verdal::test {

// What /proc/self/statm gives as resident, in megabytes. Throws std::runtime_error when the
// file cannot be read, rather than let a soak pass on zeros.
double ResidentMegabytes();
// What the program holds allocated: the sanitizer's count of live blocks in a checked build,
// whose resident memory also carries the checker's own records, the C library's otherwise.
double HeapMegabytes();
// Whether resident memory is the program's alone, so that its growth is the program's.
bool ResidentMemoryIsTheProgramsOwn();

struct MemorySample {
  std::string at;         // when it was taken, in the soak's own unit ("120 s", "deal 40")
  double resident = 0;    // MB
  double heap = 0;        // MB
  std::int64_t work = 0;  // what the soak did since the previous sample (steps, deals)
};

MemorySample SampleMemory(std::string at, std::int64_t work);

struct GrowthVerdict {
  double earlyMedian = 0;  // median of the first third after the warm-up
  double lateMedian = 0;   // median of the last third
  double growth = 0;       // lateMedian - earlyMedian
  bool judged = false;     // enough samples to say anything
  bool grows = false;      // judged and growth beyond the margin
};

// Growth is judged on medians, so that a single spike (a font cache filled late, a burst of
// work the allocator has not yet handed back) cannot fail a run nor hide a steady climb. The
// first fifth of the samples is the warm-up: caches, the first pass of the text, the
// sanitizer's quarantine filling up.
class MemoryCurve {
 public:
  static constexpr std::size_t kFewestSamples = 6;

  void Add(MemorySample sample) { samples_.push_back(std::move(sample)); }
  const std::vector<MemorySample>& Samples() const { return samples_; }
  // Judges one measure of the samples: &MemorySample::resident or &MemorySample::heap.
  GrowthVerdict Judge(double MemorySample::*measure, double marginMegabytes) const;

 private:
  std::vector<MemorySample> samples_;
};

// One line per sample, then both verdicts: the curves a report quotes.
void PrintCurve(std::ostream& out, const std::string& name, const MemoryCurve& curve,
                const std::string& workUnit);

// A whole number from the environment, or fallback when unset or not a positive number.
std::int64_t EnvironmentCount(const char* name, std::int64_t fallback);

}  // namespace verdal::test
