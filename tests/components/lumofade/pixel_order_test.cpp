// The dissolve order: seeded from the clock, a shuffle of every pixel over the whole table.
#include "components/lumofade/pixel_order.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/clock.h"
#include "common/random.h"

namespace verdal {
namespace {

TEST(PixelOrder, SeedsFromTheClockThenShufflesOverTheWholeTable) {
  ManualClock clock;
  ScopedClock scoped(clock);
  clock.SetMillisecondsSinceMidnightUtc(0);
  SetRandomSeed(777);  // overwritten by the clock seeding
  std::vector<PixelPos> order, again;
  BuildPixelOrder(2, 2, order);
  EXPECT_EQ(order, (std::vector<PixelPos>{{1, 0}, {0, 0}, {1, 1}, {0, 1}}));

  // Any size: a permutation of every pixel; the same clock gives the same order.
  clock.SetMillisecondsSinceMidnightUtc(45'296'789);
  BuildPixelOrder(433, 353, order);
  BuildPixelOrder(433, 353, again);
  EXPECT_EQ(order, again);
  std::vector<int> seen(433 * 353);
  for (const PixelPos& p : order) {
    ASSERT_TRUE(p.row >= 0 && p.row < 353 && p.column >= 0 && p.column < 433);
    ++seen[p.row * 433 + p.column];
  }
  EXPECT_EQ(seen, std::vector<int>(433 * 353, 1));
}

}  // namespace
}  // namespace verdal
