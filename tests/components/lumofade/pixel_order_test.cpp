// The dissolve order: the program-wide generator's draws and the shuffle built from them.
#include "components/lumofade/pixel_order.h"

#include <gtest/gtest.h>

#include <algorithm>
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
  std::vector<PixelPos> order;
  BuildPixelOrder(2, 2, order);
  EXPECT_EQ(order, (std::vector<PixelPos>{{1, 0}, {0, 0}, {1, 1}, {0, 1}}));

  // Any size: a permutation of every pixel; the same clock gives the same order.
  clock.SetMillisecondsSinceMidnightUtc(45'296'789);
  BuildPixelOrder(433, 353, order);
  std::vector<PixelPos> again;
  BuildPixelOrder(433, 353, again);
  EXPECT_EQ(order, again);
  ASSERT_EQ(order.size(), 433u * 353u);
  std::vector<bool> seen(order.size());
  for (const PixelPos& p : order) {
    ASSERT_TRUE(p.row >= 0 && p.row < 353 && p.column >= 0 && p.column < 433);
    seen[p.row * 433 + p.column] = true;
  }
  EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](bool b) { return b; }));
}

}  // namespace
}  // namespace verdal
