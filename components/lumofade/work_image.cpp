// The work image's storage, fill, copy and scaled drawing.
#include "components/lumofade/work_image.h"

#include <algorithm>
#include <cstring>

namespace verdal {

WorkImage::WorkImage(int width, int height) { SetSize(width, height); }

void WorkImage::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  bits_.assign(static_cast<std::size_t>(RowSize()) * static_cast<std::size_t>(height_), 0);
}

void WorkImage::Fill() {
  const Colour rgb = ResolveColour(fillColour_);
  const std::uint8_t pixel[3] = {BlueOf(rgb), GreenOf(rgb), RedOf(rgb)};
  for (int y = 0; y < height_; ++y) {
    std::uint8_t* row = Row(y);
    for (int x = 0; x < width_; ++x) std::memcpy(row + 3 * x, pixel, 3);
  }
}

void CopyImage(const WorkImage& src, WorkImage& dst) {
  const int height = std::min(src.Height(), dst.Height());
  const int bytes = 3 * std::min(src.Width(), dst.Width());
  if (bytes == 0) return;
  for (int y = 0; y < height; ++y) std::memcpy(dst.Row(y), src.Row(y), bytes);
}

PixelRect DifferingPixels(const WorkImage& a, const WorkImage& b) {
  const int width = std::min(a.Width(), b.Width());
  const int height = std::min(a.Height(), b.Height());
  const int bytes = 3 * width;
  int top = height, bottom = -1, left = width, right = -1;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* p = a.Row(y);
    const std::uint8_t* q = b.Row(y);
    if (std::memcmp(p, q, bytes) == 0) continue;
    top = std::min(top, y);
    bottom = y;
    int first = 0;
    while (p[first] == q[first]) ++first;
    int last = bytes - 1;
    while (p[last] == q[last]) --last;
    left = std::min(left, first / 3);
    right = std::max(right, last / 3);
  }
  if (bottom < 0) return {};
  return {left, top, right - left + 1, bottom - top + 1};
}

void DrawScaled(const WorkImage& src, WorkImage& dst) {
  const int dw = dst.Width();
  const int dh = dst.Height();
  if (src.Width() == 0 || src.Height() == 0 || dw == 0 || dh == 0) return;
  if (src.Width() == dw && src.Height() == dh) {
    CopyImage(src, dst);
    return;
  }
  std::vector<int> columns(dw);
  for (int x = 0; x < dw; ++x) {
    columns[x] = static_cast<int>(static_cast<std::int64_t>(x) * src.Width() / dw) * 3;
  }
  for (int y = 0; y < dh; ++y) {
    const std::uint8_t* from =
        src.Row(static_cast<int>(static_cast<std::int64_t>(y) * src.Height() / dh));
    std::uint8_t* to = dst.Row(y);
    for (int x = 0; x < dw; ++x) std::memcpy(to + 3 * x, from + columns[x], 3);
  }
}

}  // namespace verdal
