// The dissolve's pixel order, drawn from the program-wide generator.
#include "components/lumofade/pixel_order.h"

#include <algorithm>
#include <utility>

#include "common/random.h"

namespace verdal {

void BuildPixelOrder(int width, int height, std::vector<PixelPos>& order) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  order.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  std::size_t i = 0;
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) order[i++] = PixelPos{y, x};
  }
  SeedRandomFromClock();
  const auto count = static_cast<std::uint32_t>(order.size());
  for (std::uint32_t k = 0; k < count; ++k) std::swap(order[k], order[RandomBelow(count)]);
}

}  // namespace verdal
