// The program-wide generator's exact sequence and the clock switch.
#include <gtest/gtest.h>

#include <vector>

#include "common/clock.h"
#include "common/random.h"

namespace verdal {
namespace {

TEST(Random, SeedZeroGivesTheKnownSequenceBelowTen) {
  SetRandomSeed(0);
  std::vector<std::uint32_t> draws;
  for (int i = 0; i < 6; ++i) draws.push_back(RandomBelow(10));
  EXPECT_EQ(draws, (std::vector<std::uint32_t>{0, 0, 8, 2, 2, 6}));
}

TEST(Random, DrawsStayBelowTheLimitAndZeroLimitGivesZero) {
  SetRandomSeed(12345);
  for (int i = 0; i < 10000; ++i) ASSERT_LT(RandomBelow(7), 7u);
  EXPECT_EQ(RandomBelow(0), 0u);
  SetRandomSeed(0xFFFFFFFFu);
  for (int i = 0; i < 1000; ++i) ASSERT_LT(RandomBelow(0xFFFFFFFFu), 0xFFFFFFFFu);
}

TEST(Random, SeedsFromTheInstalledClock) {
  ManualClock clock;
  clock.SetMillisecondsSinceMidnightUtc(((13 * 60 + 5) * 60 + 7) * 1000 + 250);
  ScopedClock scoped(clock);
  SeedRandomFromClock();
  EXPECT_EQ(RandomSeed(), 47107250u);
}

TEST(Clock, ScopedClockRestoresTheSystemClock) {
  Clock* before = &AppClock();
  {
    ManualClock clock;
    ScopedClock scoped(clock);
    EXPECT_EQ(&AppClock(), &clock);
    AppClock().SleepMs(40);
    AppClock().SleepMs(-5);
    EXPECT_EQ(clock.NowMs(), 40);
  }
  EXPECT_EQ(&AppClock(), before);
  EXPECT_LT(AppClock().MillisecondsSinceMidnightUtc(), 86'400'000u);
}

}  // namespace
}  // namespace verdal
