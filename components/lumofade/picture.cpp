// Drawing pictures onto work images, scaled.
#include "components/lumofade/picture.h"

#include <algorithm>
#include <cstring>

namespace verdal {
namespace {

void Mix(std::uint8_t* to, const std::uint8_t* from, std::uint8_t coverage) {
  if (coverage == 255) {
    std::memcpy(to, from, 3);
  } else if (coverage != 0) {
    for (int c = 0; c < 3; ++c) {
      to[c] =
          static_cast<std::uint8_t>((from[c] * coverage + to[c] * (255 - coverage) + 127) / 255);
    }
  }
}

}  // namespace

void DrawPictureScaled(const Picture& picture, WorkImage& dst) {
  if (!picture.HasTransparency()) {
    DrawScaled(picture.pixels, dst);
    return;
  }
  const int sw = picture.Width();
  const int sh = picture.Height();
  const int dw = dst.Width();
  const int dh = dst.Height();
  if (sw == 0 || sh == 0) return;
  for (int y = 0; y < dh; ++y) {
    const int sy = static_cast<int>(static_cast<std::int64_t>(y) * sh / dh);
    const std::uint8_t* from = picture.pixels.Row(sy);
    const std::uint8_t* coverage = picture.alpha.data() + static_cast<std::size_t>(sy) * sw;
    std::uint8_t* to = dst.Row(y);
    for (int x = 0; x < dw; ++x) {
      const int sx = static_cast<int>(static_cast<std::int64_t>(x) * sw / dw);
      Mix(to + 3 * x, from + 3 * sx, coverage[sx]);
    }
  }
}

void PictureHolder::Set(std::shared_ptr<const Picture> picture) {
  picture_ = std::move(picture);
  if (onChange_) onChange_();
}

}  // namespace verdal
