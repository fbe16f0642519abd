// The motion of the scrolling text control, on plain items.
#include "components/cboxbmp/scroll_motion.h"

#include <algorithm>
#include <limits>

namespace verdal {
namespace {

// Searches for a smallest value start here, above any position on a screen: an item parked
// beyond it never leads the block, which moves the same with or without it.
constexpr std::int64_t kMinSearchStart = 65535;

// Positions and velocities are 32-bit; a huge step or gap saturates instead of wrapping.
std::int32_t Clamp32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool Vertical(TsDirection d) { return d == sdUp || d == sdDown; }
// sdUp and sdLeft move towards 0.
bool Backwards(TsDirection d) { return d == sdUp || d == sdLeft; }

// The coordinate along the axis of motion, and the item's extent on it.
std::int32_t& Pos(ScrollItem& item, bool vertical) { return vertical ? item.top : item.left; }
std::int64_t Extent(const ScrollItem& item, bool vertical) {
  return vertical ? item.height : item.width;
}
// The container's length along the axis of motion: where the far edge lies.
std::int64_t FarEdge(const ScrollArea& area, bool vertical) {
  return vertical ? area.containerHeight : area.containerWidth;
}
// The edges at 0 and at the far end of the axis.
TcbScrollEvent NearEvent(bool vertical) { return vertical ? seTop : seLeft; }
TcbScrollEvent FarEvent(bool vertical) { return vertical ? seBottom : seRight; }

void Shift(std::vector<ScrollItem>& items, bool vertical, std::int64_t by) {
  for (ScrollItem& item : items) Pos(item, vertical) = Clamp32(Pos(item, vertical) + by);
}

std::int64_t MinPos(std::vector<ScrollItem>& items, bool vertical) {
  std::int64_t m = kMinSearchStart;
  for (ScrollItem& item : items) m = std::min<std::int64_t>(m, Pos(item, vertical));
  return m;
}

std::int64_t MaxEnd(std::vector<ScrollItem>& items, bool vertical) {
  std::int64_t m = 0;
  for (ScrollItem& item : items) m = std::max(m, Pos(item, vertical) + Extent(item, vertical));
  return m;
}

// Moves the block just outside the edge it enters by: the leading row at the far edge for
// sdUp/sdLeft, the trailing end at 0 for sdDown/sdRight.
void PlaceBlockOutside(std::vector<ScrollItem>& items, TsDirection direction,
                       std::int64_t farEdge) {
  const bool vertical = Vertical(direction);
  if (Backwards(direction)) {
    Shift(items, vertical, farEdge - MinPos(items, vertical));
  } else {
    Shift(items, vertical, -MaxEnd(items, vertical));
  }
}

void Stack(std::vector<ScrollItem>& items, bool vertical, std::int64_t gap) {
  for (std::size_t i = 1; i < items.size(); ++i) {
    ScrollItem& prev = items[i - 1];
    Pos(items[i], vertical) = Clamp32(Pos(prev, vertical) + Extent(prev, vertical) + gap);
  }
}

void Report(const ScrollReport& report, std::size_t i, TcbScrollEvent edge) {
  if (report) report(i, edge);
}

void NormalStep(std::vector<ScrollItem>& items, const ScrollSettings& s, const ScrollArea& area,
                const ScrollReport& report) {
  const bool vertical = Vertical(s.direction);
  const bool backwards = Backwards(s.direction);
  Shift(items, vertical, backwards ? -std::int64_t{s.scrollStep} : s.scrollStep);

  const std::int64_t far = FarEdge(area, vertical);
  const TcbScrollEvent edge = backwards ? NearEvent(vertical) : FarEvent(vertical);
  std::size_t out = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::int64_t pos = Pos(items[i], vertical);
    const bool isOut = backwards ? pos + Extent(items[i], vertical) < 0 : pos > far;
    if (!isOut) continue;
    Report(report, i, edge);
    ++out;
  }
  if (out == items.size()) {
    for (ScrollItem& item : items) Pos(item, vertical) = item.tag;
  }
}

void CycleStep(std::vector<ScrollItem>& items, const ScrollSettings& s, const ScrollArea& area,
               const ScrollReport& report) {
  const bool vertical = Vertical(s.direction);
  const bool backwards = Backwards(s.direction);
  const std::int64_t far = FarEdge(area, vertical);
  const auto byPos = [vertical](ScrollItem& a, ScrollItem& b) {
    return Pos(a, vertical) < Pos(b, vertical);
  };
  for (std::size_t i = 0; i < items.size(); ++i) {
    std::int32_t& pos = Pos(items[i], vertical);
    if (backwards) {
      if (pos + Extent(items[i], vertical) <= 0) {
        Report(report, i, NearEvent(vertical));
        // The item re-enters behind the one furthest along; when none lies beyond 0 the
        // first item is taken, as the search starts from 0 with it.
        ScrollItem* last = &*std::max_element(items.begin(), items.end(), byPos);
        if (Pos(*last, vertical) <= 0) last = &items.front();
        pos = Clamp32(Pos(*last, vertical) + Extent(*last, vertical) + s.compSpace);
      }
      pos = Clamp32(std::int64_t{pos} - s.scrollStep);
    } else {
      if (pos >= far) {
        Report(report, i, FarEvent(vertical));
        ScrollItem* first = &*std::min_element(items.begin(), items.end(), byPos);
        if (Pos(*first, vertical) >= kMinSearchStart) first = &items.front();
        pos = Clamp32(Pos(*first, vertical) - Extent(items[i], vertical) - s.compSpace);
      }
      pos = Clamp32(std::int64_t{pos} + s.scrollStep);
    }
  }
}

void BounceStep(std::vector<ScrollItem>& items, const ScrollSettings& s, const ScrollArea& area,
                const ScrollReport& report) {
  const bool vertical = Vertical(s.direction);
  const std::int64_t far = FarEdge(area, vertical);
  for (std::size_t i = 0; i < items.size(); ++i) {
    std::int32_t& pos = Pos(items[i], vertical);
    std::int32_t& velocity = items[i].tag;
    pos = Clamp32(std::int64_t{pos} + velocity);
    if (pos <= 0) {
      Report(report, i, NearEvent(vertical));
      velocity = Clamp32(-std::int64_t{velocity});
    }
    // Not exclusive with the test above: an item as long as the area reverses twice.
    if (pos + Extent(items[i], vertical) >= far) {
      Report(report, i, FarEvent(vertical));
      velocity = Clamp32(-std::int64_t{velocity});
    }
  }
}

}  // namespace

void PrepareScroll(std::vector<ScrollItem>& items, const ScrollSettings& settings,
                   const ScrollArea& area) {
  const bool vertical = Vertical(settings.direction);
  switch (settings.type) {
    case stNormal:
      // sdUp enters from the container's bottom, sdLeft from the control's right edge.
      PlaceBlockOutside(items, settings.direction,
                        vertical ? area.containerHeight : area.controlWidth);
      for (ScrollItem& item : items) item.tag = Pos(item, vertical);
      break;
    case stCycle:
      Stack(items, vertical, settings.compSpace);
      PlaceBlockOutside(items, settings.direction,
                        vertical ? area.controlHeight : area.controlWidth);
      break;
    case stBounce:
      for (ScrollItem& item : items) {
        item.tag = Backwards(settings.direction) ? Clamp32(-std::int64_t{settings.scrollStep})
                                                 : settings.scrollStep;
      }
      break;
  }
}

void StepScroll(std::vector<ScrollItem>& items, const ScrollSettings& settings,
                const ScrollArea& area, const ScrollReport& report) {
  switch (settings.type) {
    case stNormal:
      NormalStep(items, settings, area, report);
      break;
    case stCycle:
      CycleStep(items, settings, area, report);
      break;
    case stBounce:
      BounceStep(items, settings, area, report);
      break;
  }
}

}  // namespace verdal
