// The motion of the scrolling text control, on plain items.
#include "components/cboxbmp/scroll_motion.h"

#include <algorithm>
#include <limits>

namespace verdal {
namespace {

// Searches for a smallest value start here, as the control always did: an item beyond it is
// never chosen, which keeps the block's behaviour with far-away items unchanged.
constexpr std::int64_t kMinSearchStart = 65535;

// Positions and velocities are 32-bit; a huge step or gap saturates instead of wrapping.
std::int32_t Clamp32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool Vertical(TsDirection d) { return d == sdUp || d == sdDown; }

// The coordinate along the axis of motion, and the item's extent on it.
std::int32_t& Pos(ScrollItem& item, bool vertical) { return vertical ? item.top : item.left; }
std::int64_t Extent(const ScrollItem& item, bool vertical) {
  return vertical ? item.height : item.width;
}

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
  if (direction == sdUp || direction == sdLeft) {
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
  const bool backwards = s.direction == sdUp || s.direction == sdLeft;
  Shift(items, vertical, backwards ? -std::int64_t{s.scrollStep} : s.scrollStep);

  const std::int64_t far = vertical ? area.containerHeight : area.containerWidth;
  const TcbScrollEvent edge = s.direction == sdUp     ? seTop
                              : s.direction == sdDown ? seBottom
                              : s.direction == sdLeft ? seLeft
                                                      : seRight;
  std::size_t out = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const ScrollItem& item = items[i];
    const std::int64_t pos = vertical ? item.top : item.left;
    const bool isOut = backwards ? pos + Extent(item, vertical) < 0 : pos > far;
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
  const bool backwards = s.direction == sdUp || s.direction == sdLeft;
  const std::int64_t far = vertical ? area.containerHeight : area.containerWidth;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (backwards) {
      if (Pos(items[i], vertical) + Extent(items[i], vertical) <= 0) {
        Report(report, i, vertical ? seTop : seLeft);
        // The item re-enters behind the one furthest along; when none lies beyond 0 the
        // first item is taken, as the search starts from 0 with it.
        std::size_t last = 0;
        std::int64_t lastPos = 0;
        for (std::size_t k = 0; k < items.size(); ++k) {
          if (Pos(items[k], vertical) > lastPos) {
            last = k;
            lastPos = Pos(items[k], vertical);
          }
        }
        Pos(items[i], vertical) = Clamp32(std::int64_t{Pos(items[last], vertical)} +
                                          Extent(items[last], vertical) + s.compSpace);
      }
      Pos(items[i], vertical) = Clamp32(std::int64_t{Pos(items[i], vertical)} - s.scrollStep);
    } else {
      if (Pos(items[i], vertical) >= far) {
        Report(report, i, vertical ? seBottom : seRight);
        std::size_t first = 0;
        std::int64_t firstPos = kMinSearchStart;
        for (std::size_t k = 0; k < items.size(); ++k) {
          if (Pos(items[k], vertical) < firstPos) {
            first = k;
            firstPos = Pos(items[k], vertical);
          }
        }
        Pos(items[i], vertical) = Clamp32(std::int64_t{Pos(items[first], vertical)} -
                                          Extent(items[i], vertical) - s.compSpace);
      }
      Pos(items[i], vertical) = Clamp32(std::int64_t{Pos(items[i], vertical)} + s.scrollStep);
    }
  }
}

void BounceStep(std::vector<ScrollItem>& items, const ScrollSettings& s, const ScrollArea& area,
                const ScrollReport& report) {
  const bool vertical = Vertical(s.direction);
  const std::int64_t far = vertical ? area.containerHeight : area.containerWidth;
  for (std::size_t i = 0; i < items.size(); ++i) {
    Pos(items[i], vertical) = Clamp32(std::int64_t{Pos(items[i], vertical)} + items[i].tag);
    if (Pos(items[i], vertical) <= 0) {
      Report(report, i, vertical ? seTop : seLeft);
      items[i].tag = Clamp32(-std::int64_t{items[i].tag});
    }
    // Not exclusive with the test above: an item as long as the area reverses twice.
    if (Pos(items[i], vertical) + Extent(items[i], vertical) >= far) {
      Report(report, i, vertical ? seBottom : seRight);
      items[i].tag = Clamp32(-std::int64_t{items[i].tag});
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
    case stBounce: {
      const bool backwards = settings.direction == sdUp || settings.direction == sdLeft;
      for (ScrollItem& item : items) {
        item.tag = backwards ? Clamp32(-std::int64_t{settings.scrollStep}) : settings.scrollStep;
      }
      break;
    }
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

std::vector<TileOrigin> TileOrigins(std::int32_t width, std::int32_t height, std::int32_t bw,
                                    std::int32_t bh) {
  std::vector<TileOrigin> origins;
  if (bw <= 0 || bh <= 0 || width < 0 || height < 0) return origins;
  for (std::int32_t row = 0; row <= height / bh; ++row) {
    for (std::int32_t col = 0; col <= width / bw; ++col) {
      origins.push_back({col * bw, row * bh});
    }
  }
  return origins;
}

}  // namespace verdal
