// The work image: 24-bit blue-green-red pixels, rows padded to 4 bytes, one contiguous run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/colour.h"

namespace verdal {

class WorkImage {
 public:
  WorkImage() = default;
  WorkImage(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Bytes per row: the smallest multiple of 4 that holds 3 * Width() bytes.
  int RowSize() const { return RowSizeFor(width_); }
  static int RowSizeFor(int width) { return (width * 3 + 3) & ~3; }

  // Gives the image a new size; a changed size starts zero-filled, an unchanged one keeps
  // its pixels (the rebuild draws over them). Negative sizes count as 0.
  void SetSize(int width, int height);

  std::uint8_t* Row(int y) { return bits_.data() + static_cast<std::size_t>(y) * RowSize(); }
  const std::uint8_t* Row(int y) const {
    return bits_.data() + static_cast<std::size_t>(y) * RowSize();
  }
  // The whole pixel run, spare row bytes included.
  std::span<std::uint8_t> Bits() { return bits_; }
  std::span<const std::uint8_t> Bits() const { return bits_; }

  Colour FillColour() const { return fillColour_; }
  void SetFillColour(Colour colour) { fillColour_ = colour; }
  // Fills every pixel with the fill colour (system colours resolved).
  void Fill();

  bool operator==(const WorkImage& other) const {
    return width_ == other.width_ && height_ == other.height_ && bits_ == other.bits_;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  Colour fillColour_ = colours::Black;
  std::vector<std::uint8_t> bits_;
};

// A rectangle of pixels; empty when either side is 0.
struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool Empty() const { return width <= 0 || height <= 0; }
  bool operator==(const PixelRect&) const = default;
};

// The smallest rectangle that holds every pixel where a and b differ, over the size they
// share; empty when they agree.
PixelRect DifferingPixels(const WorkImage& a, const WorkImage& b);

// Copies the overlapping part of src onto dst at (0, 0).
void CopyImage(const WorkImage& src, WorkImage& dst);

// Draws src scaled into the rectangle (0, 0, dst.Width(), dst.Height()), covering it exactly
// (nearest pixel: pictures keep hard edges, and the result is the same on every machine).
void DrawScaled(const WorkImage& src, WorkImage& dst);

}  // namespace verdal
