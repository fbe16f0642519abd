// The dissolve's shuffled pixel order.
#pragma once

#include <cstdint>
#include <vector>

namespace verdal {

struct PixelPos {
  std::int32_t row;
  std::int32_t column;
  bool operator==(const PixelPos&) const = default;
};

// Fills order with every pixel of a width x height image in row order, seeds the
// program-wide generator from the clock, then exchanges each entry with one drawn from the
// whole table. The vector's storage is reused when it is large enough.
void BuildPixelOrder(int width, int height, std::vector<PixelPos>& order);

}  // namespace verdal
