// MemoryCurve: the median rule tells a steady climb from warm-up, spikes and noise.
#include "tests/soak/memory_curve.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <functional>
#include <memory>
#include <vector>

namespace verdal::test {
namespace {

MemoryCurve CurveOf(int samples, const std::function<double(int)>& megabytes) {
  MemoryCurve curve;
  for (int i = 0; i < samples; ++i) curve.Add({std::to_string(i), megabytes(i), 0, 1});
  return curve;
}

TEST(MemoryCurve, JudgesGrowthBeyondTheMarginOnly) {
  struct Case {
    const char* name;
    int samples;
    std::function<double(int)> megabytes;
    bool judged;
    bool grows;
  };
  const Case cases[] = {
      {"flat with noise", 30, [](int i) { return 80.0 + (i % 3) * 0.7; }, true, false},
      {"warm-up climb then flat", 30, [](int i) { return i < 5 ? 40.0 + 8 * i : 80.0; }, true,
       false},
      {"one late spike", 30, [](int i) { return i == 27 ? 200.0 : 80.0; }, true, false},
      {"a lasting step in the middle", 30, [](int i) { return i < 15 ? 80.0 : 84.0; }, true, true},
      {"steady climb", 30, [](int i) { return 80.0 + 0.5 * i; }, true, true},
      {"slow climb within the margin", 30, [](int i) { return 80.0 + 0.05 * i; }, true, false},
      {"shrinking", 30, [](int i) { return 120.0 - i; }, true, false},
      {"too few samples", 5, [](int i) { return 80.0 + 100 * i; }, false, false},
  };
  for (const Case& c : cases) {
    const GrowthVerdict verdict =
        CurveOf(c.samples, c.megabytes).Judge(&MemorySample::resident, 2.0);
    EXPECT_EQ(verdict.judged, c.judged) << c.name;
    EXPECT_EQ(verdict.grows, c.grows) << c.name << ": growth " << verdict.growth;
  }
}

TEST(MemoryCurve, MediansOfTheFirstAndLastThirdsAfterTheWarmUp) {
  // 12 samples: 2 of warm-up, then thirds of 3 and 3 out of the 10 left.
  const GrowthVerdict verdict = CurveOf(12, [](int i) {
                                  return i < 2 ? 500.0 : 10.0 + i;
                                }).Judge(&MemorySample::resident, 2.0);
  EXPECT_DOUBLE_EQ(verdict.earlyMedian, 13.0);
  EXPECT_DOUBLE_EQ(verdict.lateMedian, 20.0);
  EXPECT_DOUBLE_EQ(verdict.growth, 7.0);
}

TEST(MemoryCurve, ResidentAndHeapFollowABlockHeldThenFreed) {
  const MemorySample before = SampleMemory("before", 0);
  auto block = std::make_unique<std::vector<char>>(64 << 20, 1);
  const MemorySample held = SampleMemory("held", 0);
  block.reset();
  const MemorySample freed = SampleMemory("freed", 0);
  EXPECT_GT(before.resident, 1.0);
  EXPECT_GT(held.resident - before.resident, 60.0);
  EXPECT_NEAR(held.heap - before.heap, 64.0, 1.0);
  EXPECT_NEAR(freed.heap - before.heap, 0.0, 1.0);
}

TEST(MemoryCurve, CountsFromTheEnvironmentFallBackUnlessPositiveWholeNumbers) {
  const std::pair<const char*, std::int64_t> cases[] = {{"90", 90}, {"0", 7},   {"-5", 7},
                                                        {"abc", 7}, {"12x", 7}, {"", 7}};
  for (const auto& [text, expected] : cases) {
    ::setenv("VERDAL_SOAK_TEST_COUNT", text, 1);
    EXPECT_EQ(EnvironmentCount("VERDAL_SOAK_TEST_COUNT", 7), expected) << text;
  }
  ::unsetenv("VERDAL_SOAK_TEST_COUNT");
  EXPECT_EQ(EnvironmentCount("VERDAL_SOAK_TEST_COUNT", 7), 7);
}

}  // namespace
}  // namespace verdal::test
