// Checks the scrolling motion on plain items: start positions, steps and reports.
#include "components/cboxbmp/scroll_motion.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace verdal {
namespace {

using Reports = std::vector<std::pair<std::size_t, TcbScrollEvent>>;

ScrollItem Item(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  return {ItemKind::Label, true, left, top, width, height, 0};
}

using Positions = std::vector<std::int32_t>;

Positions Along(const std::vector<ScrollItem>& items, std::int32_t ScrollItem::*coordinate) {
  Positions positions;
  for (const ScrollItem& item : items) positions.push_back(item.*coordinate);
  return positions;
}
Positions Tops(const std::vector<ScrollItem>& items) { return Along(items, &ScrollItem::top); }

// Runs one step and returns what it reported.
Reports StepOnce(std::vector<ScrollItem>& items, const ScrollSettings& s, const ScrollArea& a) {
  Reports reports;
  StepScroll(items, s, a, [&](std::size_t i, TcbScrollEvent e) { reports.emplace_back(i, e); });
  return reports;
}

// Runs `steps` steps; true when none reported anything.
bool Quiet(std::vector<ScrollItem>& items, const ScrollSettings& s, const ScrollArea& a,
           int steps) {
  bool quiet = true;
  for (int step = 0; step < steps; ++step) quiet = StepOnce(items, s, a).empty() && quiet;
  return quiet;
}

TEST(ScrollMotion, WelcomeTextEntersFromBelowAndRestartsWhenAllHaveLeft) {
  const ScrollSettings s{stNormal, sdUp, 1, 10};
  const ScrollArea area{497, 321, 497, 321};
  // The welcome screen's text: seven labels from top 8, the makers' picture lowest at 352.
  std::vector<ScrollItem> items = {Item(88, 8, 305, 33),    Item(96, 64, 295, 18),
                                   Item(80, 104, 337, 18),  Item(72, 144, 362, 18),
                                   Item(40, 208, 424, 18),  Item(176, 248, 142, 22),
                                   Item(184, 320, 134, 22), Item(200, 352, 113, 89)};
  PrepareScroll(items, s, area);
  const Positions start = {321, 377, 417, 457, 521, 561, 633, 665};
  EXPECT_EQ(Tops(items), start);
  for (const ScrollItem& item : items) EXPECT_EQ(item.tag, item.top);

  std::vector<std::size_t> reportsPerItem(items.size());
  for (int step = 1; step <= 754; ++step) {
    for (auto [i, e] : StepOnce(items, s, area)) {
      EXPECT_EQ(e, seTop);
      ++reportsPerItem[i];
    }
  }
  EXPECT_EQ(items.back().top, 665 - 754);  // bottom exactly at 0: not yet out
  // The first label left at step 355 and has been reported at every step since.
  EXPECT_EQ(reportsPerItem[0], 754u - 355u + 1u);
  EXPECT_EQ(reportsPerItem.back(), 0u);

  const Reports last = StepOnce(items, s, area);
  ASSERT_EQ(last.size(), items.size());
  for (std::size_t i = 0; i < last.size(); ++i) EXPECT_EQ(last[i], std::make_pair(i, seTop));
  EXPECT_EQ(Tops(items), start);

  EXPECT_TRUE(StepOnce(items, s, area).empty());
  EXPECT_EQ(items.front().top, 320);
}

TEST(ScrollMotion, NormalDownAndRightLeaveOnlyPastTheFarEdge) {
  const struct {
    TsDirection direction;
    std::int32_t ScrollItem::*coordinate;
    TcbScrollEvent edge;
  } kCases[] = {{sdDown, &ScrollItem::top, seBottom}, {sdRight, &ScrollItem::left, seRight}};
  for (const auto& c : kCases) {
    const ScrollSettings s{stNormal, c.direction, 5, 10};
    const ScrollArea area{100, 100, 150, 150};  // the far edge is the container's
    std::vector<ScrollItem> items = {Item(30, 30, 10, 10), Item(50, 50, 20, 20)};
    PrepareScroll(items, s, area);
    EXPECT_EQ(Along(items, c.coordinate), (Positions{-40, -20}));
    EXPECT_TRUE(Quiet(items, s, area, 24));
    EXPECT_EQ(items[1].*c.coordinate, 100);
    EXPECT_EQ(StepOnce(items, s, area), (Reports{{1, c.edge}}));
    Quiet(items, s, area, 3);
    EXPECT_EQ(items[0].*c.coordinate, 100);
    EXPECT_EQ(StepOnce(items, s, area), (Reports{{0, c.edge}, {1, c.edge}}));
    EXPECT_EQ(Along(items, c.coordinate), (Positions{-40, -20}));
  }
}

TEST(ScrollMotion, NormalLeftEntersFromTheControlEdge) {
  // The control is wider than the container: sdLeft starts at the control's edge.
  std::vector<ScrollItem> items = {Item(20, 0, 30, 10), Item(60, 10, 10, 10)};
  PrepareScroll(items, {stNormal, sdLeft, 5, 10}, {100, 40, 150, 40});
  EXPECT_EQ(Along(items, &ScrollItem::left), (Positions{150, 190}));
  EXPECT_EQ(items[1].tag, 190);
}

TEST(ScrollMotion, EmptyContainerStepsChangeNothing) {
  std::vector<ScrollItem> items;
  for (TsType type : {stNormal, stCycle, stBounce}) {
    PrepareScroll(items, {type, sdUp, 1, 10}, {10, 10, 10, 10});
    EXPECT_TRUE(StepOnce(items, {type, sdUp, 1, 10}, {10, 10, 10, 10}).empty());
  }
}

TEST(ScrollMotion, CycleUpAndLeftWrapTheFirstItemBehindTheLast) {
  const struct {
    TsDirection direction;
    std::int32_t ScrollItem::*coordinate;
    TcbScrollEvent edge;
  } kCases[] = {{sdUp, &ScrollItem::top, seTop}, {sdLeft, &ScrollItem::left, seLeft}};
  for (const auto& c : kCases) {
    const ScrollSettings s{stCycle, c.direction, 1, 10};
    const ScrollArea area{100, 100, 100, 100};
    std::vector<ScrollItem> items = {Item(5, 5, 20, 20), Item(70, 70, 20, 20), Item(0, 0, 20, 20)};
    items[1].tag = 77;
    PrepareScroll(items, s, area);
    EXPECT_EQ(Along(items, c.coordinate), (Positions{100, 130, 160}));
    EXPECT_EQ(items[1].tag, 77);  // tags are not used by the cycle
    EXPECT_TRUE(Quiet(items, s, area, 120));

    std::int32_t whenReported = 0;
    StepScroll(items, s, area, [&](std::size_t i, TcbScrollEvent e) {
      EXPECT_EQ(std::make_pair(i, e), std::make_pair(std::size_t{0}, c.edge));
      whenReported = items[0].*c.coordinate;
    });
    EXPECT_EQ(whenReported, -20);
    EXPECT_EQ(Along(items, c.coordinate), (Positions{69, 9, 39}));
  }
}

TEST(ScrollMotion, CycleDownReadsPositionsAsThePassLeavesThem) {
  const ScrollSettings s{stCycle, sdDown, 1, 10};
  const ScrollArea area{100, 100, 100, 100};
  std::vector<ScrollItem> items = {Item(0, 0, 50, 20), Item(0, 0, 50, 20), Item(0, 0, 50, 20)};
  PrepareScroll(items, s, area);
  EXPECT_EQ(Tops(items), (Positions{-80, -50, -20}));
  EXPECT_TRUE(Quiet(items, s, area, 120));
  EXPECT_EQ(StepOnce(items, s, area), (Reports{{2, seBottom}}));
  // The first two items have already moved to 41 and 71 when the third wraps above 41.
  EXPECT_EQ(Tops(items), (Positions{41, 71, 12}));
}

TEST(ScrollMotion, BounceReversesAtTheEdgesAndTwiceWhenAsLongAsTheArea) {
  const ScrollArea area{100, 100, 100, 100};
  const ScrollSettings up{stBounce, sdUp, 1, 10};
  std::vector<ScrollItem> items = {Item(7, 3, 10, 10), Item(0, -5, 10, 120)};
  PrepareScroll(items, up, area);
  EXPECT_EQ(Tops(items), (Positions{3, -5}));
  EXPECT_EQ(items[0].tag, -1);

  // The tall item meets both edges at once: reported twice, its sense unchanged.
  EXPECT_EQ(StepOnce(items, up, area), (Reports{{1, seTop}, {1, seBottom}}));
  EXPECT_EQ(items[1].tag, -1);
  StepOnce(items, up, area);
  EXPECT_EQ(StepOnce(items, up, area), (Reports{{0, seTop}, {1, seTop}, {1, seBottom}}));
  EXPECT_EQ(items[0].top, 0);
  EXPECT_EQ(items[0].tag, 1);
  StepOnce(items, up, area);
  EXPECT_EQ(items[0].top, 1);

  // The step is read at preparation only; the far edge reverses at exactly W.
  const ScrollSettings right{stBounce, sdRight, 4, 10};
  items = {Item(82, 0, 10, 10)};
  PrepareScroll(items, right, area);
  EXPECT_EQ(StepOnce(items, {stBounce, sdRight, 50, 10}, area), Reports{});
  EXPECT_EQ(StepOnce(items, right, area), (Reports{{0, seRight}}));
  EXPECT_EQ(items[0].left, 90);
  EXPECT_EQ(items[0].tag, -4);
}

}  // namespace
}  // namespace verdal
