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

}  // namespace

// Counts the transitions under way, so that Stop() knows whether anyone will look. A request
// that no frame examined (made from OnBegin without ProcessMsgs, say) dies with the outermost
// transition rather than cutting short the next one. A control disposed of meanwhile is
// deleted there, the last use of it.
class TLumoFade::RunningTransition {
 public:
  explicit RunningTransition(TLumoFade& fade) : fade_(fade) { ++fade_.transitionsRunning_; }
  // Out of line: inlined into a nested transition, the compiler cannot see that the count
  // is still above zero there, and warns of a use after the delete that never happens.
  [[gnu::noinline]] ~RunningTransition() {
    if (--fade_.transitionsRunning_ > 0) return;
    fade_.stopRequested_ = false;
    if (fade_.disposed_) delete &fade_;
  }
  RunningTransition(const RunningTransition&) = delete;
  RunningTransition& operator=(const RunningTransition&) = delete;

 private:
  TLumoFade& fade_;
};

TLumoFade::TLumoFade(LumoFadeSurface* surface) : surface_(surface) {
  display_.SetFillColour(colorFrom_);
  target_.SetFillColour(colorTo_);
  picFrom_.SetOnChange([this] { PictureChanged(); });
  picTo_.SetOnChange([this] { PictureChanged(); });
  SetBounds(0, 0, 75, 75);
}

void TLumoFade::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (surface_) surface_->BoundsChanged(left_, top_, width_, height_);
  Reset();
}

void TLumoFade::SetColorFrom(Colour colour) {
  if (colour == colorFrom_) return;
  colorFrom_ = colour;
  display_.SetFillColour(colour);
  Reset();
}

void TLumoFade::SetColorTo(Colour colour) {
  if (colour == colorTo_) return;
  colorTo_ = colour;
  target_.SetFillColour(colour);
  Reset();
}

void TLumoFade::SetDisolvRate(std::int32_t rate) {
  if (rate <= 0) rate = 1;
  if (rate > Area()) rate = static_cast<std::int32_t>(Area());
  disolvRate_ = rate;
}

void TLumoFade::SetStretchToFit(bool stretch) {
  if (stretch == stretchToFit_) return;
  stretchToFit_ = stretch;
  Reset();
}

void TLumoFade::Stop() {
  if (transitionsRunning_ > 0) stopRequested_ = true;
}

void TLumoFade::Dispose(std::unique_ptr<TLumoFade> fade) {
  if (!fade || fade->transitionsRunning_ == 0) return;
  fade->surface_ = nullptr;
  fade->disposed_ = true;
  fade.release();  // the outermost transition deletes it
}

void TLumoFade::Fire(const NotifyEvent<TLumoFade>& event) {
  if (!disposed_) Notify(event, *this);
}

void TLumoFade::PictureChanged() {
  if (swapped_) return;
  Reset();
}

void TLumoFade::RequestRepaint() {
  if (surface_) surface_->RequestRepaint();
}

void TLumoFade::RepaintNow() {
  if (surface_) surface_->RepaintNow();
}

void TLumoFade::RepaintPartNow(const PixelRect& area) {
  if (surface_) surface_->RepaintPartNow(area);
}

void TLumoFade::Reset() {
  if (swapped_) {
    // The holders' notifications arrive while swapped_ is still set, so they do not rebuild.
    ExchangeSides();
    swapped_ = false;
    stretchToFit_ = savedStretchToFit_;
  }
  if (!stretchToFit_ && !(picFrom_.Empty() && picTo_.Empty())) {
    // The control takes PicFrom's size, else PicTo's. Each bound that changes rebuilds from
    // within; the nested rebuild makes the same images.
    const PictureHolder& sizing = picFrom_.Empty() ? picTo_ : picFrom_;
    SetWidth(sizing.Width());
    SetHeight(sizing.Height());
  }
  BuildSide(display_, picFrom_);
  BuildSide(target_, picTo_);
  start_.SetSize(display_.Width(), display_.Height());
  RequestRepaint();
  Fire(OnReset);
}

void TLumoFade::BuildSide(WorkImage& image, const PictureHolder& picture) {
  image.SetSize(width_, height_);
  // The image's fill colour is its side's colour: icons and metafiles set only their own
  // pixels, and the side's colour shows through the rest.
  if (picture.Empty() || picture.IsMetafile() || picture.IsIcon()) image.Fill();
  if (!picture.Empty()) DrawPictureScaled(*picture.Get(), image);
}

void TLumoFade::ExchangeSides() {
  std::swap(colorFrom_, colorTo_);
  display_.SetFillColour(colorFrom_);
  target_.SetFillColour(colorTo_);
  PictureHolder temporary;
  temporary.Assign(picFrom_);
  picFrom_.Assign(picTo_);
  picTo_.Assign(temporary);
}

void TLumoFade::SideSwap() {
  savedStretchToFit_ = stretchToFit_;
  stretchToFit_ = true;
  // Not yet swapped: each picture assignment rebuilds on its own, and the rebuild below
  // repeats it.
  ExchangeSides();
  Reset();
  swapped_ = true;
}

std::int32_t TLumoFade::BuildOrder() {
  pixelCount_ = static_cast<std::int32_t>(Area());
  BuildPixelOrder(width_, height_, pixelOrder_);
  const std::int32_t perFrame = disolvRate_ == 0 ? 0 : pixelCount_ / disolvRate_;
  if (perFrame < 1) {
    ReleaseOrder();
    throw ELumoFade(kDisolvRateMessage);
  }
  return perFrame;
}

void TLumoFade::ReleaseOrder() {
  pixelOrder_.clear();
  pixelOrder_.shrink_to_fit();
}

void TLumoFade::Blend() {
  RunningTransition running(*this);
  Reset();
  if (blendRate_ < 1) throw ELumoFade(kBlendRateMessage);
  Fire(OnBegin);
  CopyImage(display_, start_);
  if (BlendFrames()) EndForward(true);
}

void TLumoFade::ReverseBlend() {
  RunningTransition running(*this);
  SideSwap();
  CopyImage(display_, start_);
  if (BlendFrames()) Reset();
}

void TLumoFade::Dissolve() {
  RunningTransition running(*this);
  Reset();
  const std::int32_t perFrame = BuildOrder();
  Fire(OnBegin);
  if (DissolveFrames(perFrame)) EndForward(false);
}

void TLumoFade::ReverseDissolve() {
  RunningTransition running(*this);
  SideSwap();
  if (DissolveFrames(BuildOrder())) Reset();
}

void TLumoFade::EndForward(bool blended) {
  if (autoReverse_) {
    AppClock().SleepMs(std::int64_t{swapDelay_} * 1000);
    // SwapOnReverse goes back with the other effect.
    if (swapOnReverse_ == blended) {
      ReverseDissolve();
    } else {
      ReverseBlend();
    }
  }
  Fire(OnEnd);
}

bool TLumoFade::BlendFrames() {
  // The schedule is this transition's own: one started by a handler between frames keeps its
  // own deadlines and leaves these alone.
  std::int64_t deadline = AppClock().NowMs();
  const std::int32_t rate = blendRate_;
  // Where the two sides agree, every frame shows the same pixel, so after the first frame
  // only the rest is painted: on a scaled screen a fade over an empty (black) desktop then
  // sends nothing to the display. A handler run between frames may rebuild the images, so
  // with ProcessMsgs on every frame is painted whole.
  const PixelRect changing = DifferingPixels(start_, target_);
  for (std::int32_t i = 0; i <= rate; ++i) {
    const int alpha = static_cast<int>(std::int64_t{32} * i / rate);
    // A handler run by ProcessMsgs may have rebuilt the images at another size: blend only
    // the run that all three still share.
    const std::size_t bytes =
        std::min({display_.Bits().size(), start_.Bits().size(), target_.Bits().size()});
    BlendKernel(start_.Bits().data(), target_.Bits().data(), display_.Bits().data(), bytes, alpha);
    if (i == 0 || processMsgs_) {
      RepaintNow();
    } else {
      RepaintPartNow(changing);
    }
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
  ReleaseOrder();
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
  if (disposed_) return false;
  Clock& clock = AppClock();
  deadline += msecPerFrame_;
  if (!processMsgs_) {
    clock.SleepMs(deadline - clock.NowMs());
    return true;
  }
  // At least one pass; between passes a 1 ms sleep instead of spinning a core.
  for (;;) {
    if (surface_) surface_->ProcessMessages();
    if (disposed_) return false;
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
  Fire(OnEnd);
  stopRequested_ = false;
  ReleaseOrder();
}

}  // namespace verdal
