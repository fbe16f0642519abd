// TLumoFade: rebuild, side swap, the four transitions and their frame pacing.
#include "components/lumofade/lumo_fade.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "common/clock.h"
#include "components/lumofade/blend_kernel.h"

namespace verdal {
namespace {

constexpr char kBlendRateMessage[] = "BlendRate must be between 0 and 256";
constexpr char kDisolvRateMessage[] = "DisolvRate cannot be > Width * Height!";

// Counts the transitions under way, so that Stop() knows whether anyone will look. A request
// that no frame examined (made from OnBegin without ProcessMsgs, say) dies with the outermost
// transition rather than cutting short the next one.
class RunningTransition {
 public:
  RunningTransition(int& count, bool& stopRequested)
      : count_(count), stopRequested_(stopRequested) {
    ++count_;
  }
  ~RunningTransition() {
    if (--count_ == 0) stopRequested_ = false;
  }
  RunningTransition(const RunningTransition&) = delete;
  RunningTransition& operator=(const RunningTransition&) = delete;

 private:
  int& count_;
  bool& stopRequested_;
};

}  // namespace

TLumoFade::TLumoFade(LumoFadeSurface* surface) : surface_(surface) {
  display_.SetFillColour(colorFrom_);
  target_.SetFillColour(colorTo_);
  picFrom_.SetOnChange([this] { PictureChanged(); });
  picTo_.SetOnChange([this] { PictureChanged(); });
  SetWidth(75);
  SetHeight(75);
  display_.SetSize(width_, height_);
}

void TLumoFade::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (surface_) surface_->BoundsChanged(left_, top_, width_, height_);
  Rebuild();
  RequestRepaint();
}

void TLumoFade::SetColorFrom(Colour colour) {
  if (colour == colorFrom_) return;
  colorFrom_ = colour;
  display_.SetFillColour(colour);
  Rebuild();
  RequestRepaint();
}

void TLumoFade::SetColorTo(Colour colour) {
  if (colour == colorTo_) return;
  colorTo_ = colour;
  target_.SetFillColour(colour);
  Rebuild();
  RequestRepaint();
}

void TLumoFade::SetDisolvRate(std::int32_t rate) {
  if (rate <= 0) rate = 1;
  const std::int64_t area = std::int64_t{std::max(width_, 0)} * std::max(height_, 0);
  if (rate > area) rate = static_cast<std::int32_t>(area);
  disolvRate_ = rate;
}

void TLumoFade::SetStretchToFit(bool stretch) {
  if (stretch == stretchToFit_) return;
  stretchToFit_ = stretch;
  Rebuild();
  RequestRepaint();
}

void TLumoFade::Stop() {
  if (transitionsRunning_ > 0) stopRequested_ = true;
}

void TLumoFade::PictureChanged() {
  if (swapped_) return;
  Rebuild();
  RequestRepaint();
}

void TLumoFade::RequestRepaint() {
  if (surface_) surface_->RequestRepaint();
}

void TLumoFade::RepaintNow() {
  if (surface_) surface_->RepaintNow();
}

void TLumoFade::Rebuild() {
  if (swapped_) {
    // The holders' notifications arrive while swapped_ is still set, so they do not rebuild.
    std::swap(colorFrom_, colorTo_);
    PictureHolder temporary;
    temporary.Assign(picFrom_);
    picFrom_.Assign(picTo_);
    picTo_.Assign(temporary);
    display_.SetFillColour(colorFrom_);
    target_.SetFillColour(colorTo_);
    swapped_ = false;
    stretchToFit_ = savedStretchToFit_;
  }

  if (stretchToFit_) {
    BuildStretched(display_, picFrom_, colorFrom_);
    BuildStretched(target_, picTo_, colorTo_);
  } else if (picFrom_.Empty() && !picTo_.Empty()) {
    // Each bound that changes rebuilds from within; the nested rebuild makes the same images.
    SetWidth(picTo_.Width());
    SetHeight(picTo_.Height());
    target_.SetSize(width_, height_);
    if (picTo_.IsMetafile() || picTo_.IsIcon()) target_.Fill();
    DrawPicture(*picTo_.Get(), target_);
    display_.SetSize(width_, height_);
    display_.Fill();
  } else if (!picFrom_.Empty()) {
    SetWidth(picFrom_.Width());
    SetHeight(picFrom_.Height());
    display_.SetSize(width_, height_);
    if (picFrom_.IsMetafile() || picFrom_.IsIcon()) display_.Fill();
    DrawPicture(*picFrom_.Get(), display_);
    target_.SetSize(width_, height_);
    if (picTo_.Empty()) {
      target_.Fill();
    } else {
      if (picTo_.IsMetafile()) target_.Fill();
      if (picTo_.IsIcon()) {
        DrawIconOnColour(*picTo_.Get(), target_, colorTo_);
      } else {
        DrawPictureScaled(*picTo_.Get(), target_);
      }
    }
  } else {
    display_.SetSize(width_, height_);
    display_.Fill();
    target_.SetSize(width_, height_);
    target_.Fill();
  }

  start_.SetSize(display_.Width(), display_.Height());
  RequestRepaint();
  Notify(OnReset, *this);
}

void TLumoFade::BuildStretched(WorkImage& image, const PictureHolder& picture, Colour colour) {
  image.SetSize(width_, height_);
  if (picture.Empty()) {
    image.Fill();
    return;
  }
  if (picture.IsMetafile()) image.Fill();
  if (picture.IsIcon()) {
    DrawIconOnColour(*picture.Get(), image, colour);
  } else {
    DrawPictureScaled(*picture.Get(), image);
  }
}

void TLumoFade::DrawIconOnColour(const Picture& icon, WorkImage& image, Colour colour) {
  WorkImage temporary(icon.Width(), icon.Height());
  temporary.SetFillColour(colour);
  temporary.Fill();
  DrawPicture(icon, temporary);
  DrawScaled(temporary, image);
}

void TLumoFade::SideSwap() {
  savedStretchToFit_ = stretchToFit_;
  stretchToFit_ = true;
  display_.SetFillColour(colorTo_);
  target_.SetFillColour(colorFrom_);
  std::swap(colorFrom_, colorTo_);
  // Not yet swapped: each assignment rebuilds on its own, and the rebuild below repeats it.
  PictureHolder temporary;
  temporary.Assign(picFrom_);
  picFrom_.Assign(picTo_);
  picTo_.Assign(temporary);
  Rebuild();
  swapped_ = true;
}

void TLumoFade::BuildOrder() {
  pixelCount_ = static_cast<std::int32_t>(std::int64_t{std::max(width_, 0)} * std::max(height_, 0));
  BuildPixelOrder(width_, height_, pixelOrder_);
}

void TLumoFade::ReleaseOrder() {
  pixelOrder_.clear();
  pixelOrder_.shrink_to_fit();
}

std::int32_t TLumoFade::PixelsPerFrame() {
  const std::int32_t perFrame = disolvRate_ == 0 ? 0 : pixelCount_ / disolvRate_;
  if (perFrame < 1) {
    ReleaseOrder();
    throw ELumoFade(kDisolvRateMessage);
  }
  return perFrame;
}

void TLumoFade::Blend() {
  RunningTransition running(transitionsRunning_, stopRequested_);
  Rebuild();
  if (blendRate_ < 1) throw ELumoFade(kBlendRateMessage);
  Notify(OnBegin, *this);
  CopyImage(display_, start_);
  if (!BlendFrames()) return;
  if (autoReverse_) {
    AppClock().SleepMs(std::int64_t{swapDelay_} * 1000);
    if (swapOnReverse_) {
      ReverseDissolve();
    } else {
      ReverseBlend();
    }
  }
  Notify(OnEnd, *this);
}

void TLumoFade::ReverseBlend() {
  RunningTransition running(transitionsRunning_, stopRequested_);
  SideSwap();
  CopyImage(display_, start_);
  if (!BlendFrames()) return;
  Rebuild();
}

void TLumoFade::Dissolve() {
  RunningTransition running(transitionsRunning_, stopRequested_);
  Rebuild();
  BuildOrder();
  const std::int32_t perFrame = PixelsPerFrame();
  Notify(OnBegin, *this);
  if (!DissolveFrames(perFrame)) return;
  ReleaseOrder();
  if (autoReverse_) {
    AppClock().SleepMs(std::int64_t{swapDelay_} * 1000);
    if (swapOnReverse_) {
      ReverseBlend();
    } else {
      ReverseDissolve();
    }
  }
  Notify(OnEnd, *this);
}

void TLumoFade::ReverseDissolve() {
  RunningTransition running(transitionsRunning_, stopRequested_);
  SideSwap();
  BuildOrder();
  const std::int32_t perFrame = PixelsPerFrame();
  if (!DissolveFrames(perFrame)) return;
  ReleaseOrder();
  Rebuild();
}

bool TLumoFade::BlendFrames() {
  // The schedule is this transition's own: one started by a handler between frames keeps its
  // own deadlines and leaves these alone.
  std::int64_t deadline = AppClock().NowMs();
  const std::int32_t rate = blendRate_;
  for (std::int32_t i = 0; i <= rate; ++i) {
    const int alpha = static_cast<int>(std::int64_t{32} * i / rate);
    // A handler run by ProcessMsgs may have rebuilt the images at another size: blend only
    // the run that all three still share.
    const std::size_t bytes =
        std::min({display_.Bits().size(), start_.Bits().size(), target_.Bits().size()});
    BlendKernel(start_.Bits().data(), target_.Bits().data(), display_.Bits().data(), bytes, alpha);
    RepaintNow();
    if (!Pace(deadline)) return false;
  }
  return true;
}

bool TLumoFade::DissolveFrames(std::int32_t perFrame) {
  std::int64_t deadline = AppClock().NowMs();
  const std::size_t count = pixelOrder_.size();
  const std::size_t frames = count / static_cast<std::size_t>(perFrame);
  for (std::size_t f = 0; f < frames; ++f) {
    CopyPixels(f * perFrame, (f + 1) * perFrame);
    RepaintNow();
    if (!Pace(deadline)) return false;
  }
  CopyPixels(frames * perFrame, count);
  RepaintNow();
  return true;
}

void TLumoFade::CopyPixels(std::size_t from, std::size_t to) {
  // The order was drawn for the size at the start; a rebuild by a handler under ProcessMsgs
  // may have shrunk the images since, and a pixel outside them is skipped, never written. A
  // dissolve started by such a handler releases the order at its end: what is gone is skipped.
  to = std::min(to, pixelOrder_.size());
  const auto width = static_cast<std::uint32_t>(std::min(display_.Width(), target_.Width()));
  const auto height = static_cast<std::uint32_t>(std::min(display_.Height(), target_.Height()));
  for (std::size_t i = from; i < to; ++i) {
    const PixelPos p = pixelOrder_[i];
    if (static_cast<std::uint32_t>(p.row) >= height ||
        static_cast<std::uint32_t>(p.column) >= width) {
      continue;
    }
    std::memcpy(display_.Row(p.row) + 3 * p.column, target_.Row(p.row) + 3 * p.column, 3);
  }
}

bool TLumoFade::Pace(std::int64_t& deadline) {
  Clock& clock = AppClock();
  deadline += msecPerFrame_;
  if (!processMsgs_) {
    clock.SleepMs(deadline - clock.NowMs());
    return true;
  }
  // At least one pass; between passes a 1 ms sleep instead of spinning a core.
  for (;;) {
    if (surface_) surface_->ProcessMessages();
    if (clock.NowMs() > deadline) break;
    clock.SleepMs(1);
  }
  if (stopRequested_) {
    StopNow();
    return false;
  }
  return true;
}

void TLumoFade::StopNow() {
  if (surface_) surface_->DrawNow(target_);
  Notify(OnEnd, *this);
  stopRequested_ = false;
  ReleaseOrder();
}

}  // namespace verdal
