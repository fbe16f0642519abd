// The motion of the scrolling text control, on plain items: preparation and steps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace verdal {

enum TsDirection : std::uint8_t { sdUp = 0, sdDown = 1, sdLeft = 2, sdRight = 3 };
enum TsType : std::uint8_t { stNormal = 0, stCycle = 1, stBounce = 2 };
// The edge an item left by, wrapped at or bounced off.
enum TcbScrollEvent : std::uint8_t { seTop = 0, seBottom = 1, seLeft = 2, seRight = 3 };

enum class ItemKind : std::uint8_t { Label, Picture, Other };

// One child of the container, in container (= control) coordinates. The tag holds the
// motion's per-item state: start position (stNormal) or signed velocity (stBounce).
struct ScrollItem {
  ItemKind kind = ItemKind::Other;
  bool visible = true;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t tag = 0;

  bool operator==(const ScrollItem&) const = default;
};

struct ScrollSettings {
  TsType type = stNormal;
  TsDirection direction = sdDown;
  std::int32_t scrollStep = 1;
  std::int32_t compSpace = 10;
};

// The container's size (W, H) and the control's (CW, CH); equal unless one was resized
// after the container was assigned. The formulas use each where the design names it, so a
// resized control scrolls as the screens were laid out for.
struct ScrollArea {
  std::int32_t containerWidth = 0;
  std::int32_t containerHeight = 0;
  std::int32_t controlWidth = 0;
  std::int32_t controlHeight = 0;
};

// Called with the index of an item in child order and the edge concerned. The callee may
// change the items: the pass reads every position as it stands when it gets there.
using ScrollReport = std::function<void(std::size_t item, TcbScrollEvent edge)>;

// Puts the items at their start positions for the motion (overwrites the tags it uses).
void PrepareScroll(std::vector<ScrollItem>& items, const ScrollSettings& settings,
                   const ScrollArea& area);

// One step of the motion; report may be empty.
void StepScroll(std::vector<ScrollItem>& items, const ScrollSettings& settings,
                const ScrollArea& area, const ScrollReport& report);

}  // namespace verdal
