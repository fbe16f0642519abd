// Pictures as the control sees them (pixels, size, kind, transparency) and their holders.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "components/lumofade/work_image.h"

namespace verdal {

// The kinds that the rebuild tells apart: icons and metafiles set only their own pixels.
enum class PictureKind { Bitmap, Jpeg, Icon, Metafile };

struct Picture {
  WorkImage pixels;
  // One coverage byte per pixel, row after row (0 transparent, 255 opaque); empty when the
  // picture is opaque, which lets opaque pictures be drawn by plain row copies.
  std::vector<std::uint8_t> alpha;
  PictureKind kind = PictureKind::Bitmap;

  int Width() const { return pixels.Width(); }
  int Height() const { return pixels.Height(); }
  bool HasTransparency() const { return !alpha.empty(); }
};

// Draws the picture scaled into (0, 0, dst.Width(), dst.Height()), nearest pixel; transparent
// pixels keep what lies beneath.
void DrawPictureScaled(const Picture& picture, WorkImage& dst);

// Holds at most one picture. Assigning shares the immutable picture, which reads the same as
// a copy; every assignment notifies the listener, as a change of content.
class PictureHolder {
 public:
  PictureHolder() = default;
  PictureHolder(const PictureHolder&) = delete;
  PictureHolder& operator=(const PictureHolder&) = delete;

  bool Empty() const { return picture_ == nullptr; }
  int Width() const { return picture_ ? picture_->Width() : 0; }
  int Height() const { return picture_ ? picture_->Height() : 0; }
  bool IsIcon() const { return picture_ && picture_->kind == PictureKind::Icon; }
  bool IsMetafile() const { return picture_ && picture_->kind == PictureKind::Metafile; }
  const std::shared_ptr<const Picture>& Get() const { return picture_; }

  void Set(std::shared_ptr<const Picture> picture);
  void Assign(const PictureHolder& other) { Set(other.picture_); }
  void Clear() { Set(nullptr); }

  void SetOnChange(std::function<void()> listener) { onChange_ = std::move(listener); }

 private:
  std::shared_ptr<const Picture> picture_;
  std::function<void()> onChange_;
};

}  // namespace verdal
