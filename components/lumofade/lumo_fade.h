// TLumoFade: the fade picture control over plain pixel buffers, with its four transitions.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

#include "common/colour.h"
#include "common/notify.h"
#include "components/lumofade/picture.h"
#include "components/lumofade/pixel_order.h"
#include "components/lumofade/work_image.h"

namespace verdal {

// Raised by the transitions when they cannot run; the text is shown to the user as is.
class ELumoFade : public std::runtime_error {
 public:
  explicit ELumoFade(const char* message) : std::runtime_error(message) {}
};

// What the control needs from the screen it sits on. Every operation does nothing by default,
// which is all a test without a window needs.
class LumoFadeSurface {
 public:
  virtual ~LumoFadeSurface() = default;
  // The control's bounds changed from inside (a rebuild sized it to its picture).
  virtual void BoundsChanged(int /*left*/, int /*top*/, int /*width*/, int /*height*/) {}
  // Paint later, from the message loop.
  virtual void RequestRepaint() {}
  // Paint the display image now: frames must show although the message loop does not run.
  virtual void RepaintNow() {}
  // Paint a frame now that differs from the previous one only inside the area (which may be
  // empty); what it shows elsewhere is on screen already.
  virtual void RepaintPartNow(const PixelRect& /*area*/) { RepaintNow(); }
  // Show this image now without making it the display image (a stopped transition).
  virtual void DrawNow(const WorkImage& /*image*/) {}
  // Handle the application's pending messages (ProcessMsgs).
  virtual void ProcessMessages() {}
};

class TLumoFade {
 public:
  explicit TLumoFade(LumoFadeSurface* surface = nullptr);
  TLumoFade(const TLumoFade&) = delete;
  TLumoFade& operator=(const TLumoFade&) = delete;

  // Not owned; nullptr for none.
  void SetSurface(LumoFadeSurface* surface) { surface_ = surface; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // A change of any bound rebuilds; writing the bounds already held does nothing.
  void SetBounds(int left, int top, int width, int height);
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }

  const PictureHolder& PicFrom() const { return picFrom_; }
  const PictureHolder& PicTo() const { return picTo_; }
  void SetPicFrom(const PictureHolder& picture) { picFrom_.Assign(picture); }
  void SetPicTo(const PictureHolder& picture) { picTo_.Assign(picture); }
  void SetPicFrom(std::shared_ptr<const Picture> picture) { picFrom_.Set(std::move(picture)); }
  void SetPicTo(std::shared_ptr<const Picture> picture) { picTo_.Set(std::move(picture)); }

  Colour ColorFrom() const { return colorFrom_; }
  Colour ColorTo() const { return colorTo_; }
  void SetColorFrom(Colour colour);
  void SetColorTo(Colour colour);

  std::int32_t DisolvRate() const { return disolvRate_; }
  void SetDisolvRate(std::int32_t rate);
  std::int32_t BlendRate() const { return blendRate_; }
  void SetBlendRate(std::int32_t rate) { blendRate_ = rate <= 0 ? 1 : rate; }
  bool StretchToFit() const { return stretchToFit_; }
  void SetStretchToFit(bool stretch);
  bool ProcessMsgs() const { return processMsgs_; }
  void SetProcessMsgs(bool process) { processMsgs_ = process; }
  bool AutoReverse() const { return autoReverse_; }
  void SetAutoReverse(bool autoReverse) { autoReverse_ = autoReverse; }
  bool SwapOnReverse() const { return swapOnReverse_; }
  void SetSwapOnReverse(bool swap) { swapOnReverse_ = swap; }
  std::int32_t SwapDelay() const { return swapDelay_; }
  void SetSwapDelay(std::int32_t seconds) { swapDelay_ = seconds; }
  std::int32_t MsecPerFrame() const { return msecPerFrame_; }
  void SetMsecPerFrame(std::int32_t ms) { msecPerFrame_ = ms; }

  NotifyEvent<TLumoFade> OnBegin;
  NotifyEvent<TLumoFade> OnEnd;
  NotifyEvent<TLumoFade> OnReset;
  NotifyEvent<TLumoFade> OnMouseEnter;
  NotifyEvent<TLumoFade> OnMouseLeave;

  // The images: display (what is painted), target (the to-side), start (blend snapshot).
  const WorkImage& DisplayImage() const { return display_; }
  const WorkImage& TargetImage() const { return target_; }
  const WorkImage& StartImage() const { return start_; }
  bool Swapped() const { return swapped_; }
  // Width x Height at the start of the last dissolve.
  std::int32_t PixelCount() const { return pixelCount_; }

  // Rebuilds the work images from the pictures and colours; ends the swapped state.
  void Reset();
  void Blend();
  void Dissolve();
  void ReverseBlend();
  void ReverseDissolve();
  // Asks the running transition to stop at its next frame boundary. Only a transition with
  // ProcessMsgs on looks at the request; outside a transition the call does nothing, and a
  // request still unexamined when the outermost transition returns is dropped, so a stale
  // request never cuts short a later transition.
  void Stop();
  bool StopRequested() const { return stopRequested_; }

  void MouseEnter() { Notify(OnMouseEnter, *this); }
  void MouseLeave() { Notify(OnMouseLeave, *this); }

  // Ends a control whose screen is going. Inside a transition (a handler, or a message handled
  // between frames, destroyed the screen) the control cannot go at once, since the transition
  // still runs on it: it leaves its surface, calls no handler again, stops at the next frame
  // boundary, and is deleted when the outermost transition returns.
  static void Dispose(std::unique_ptr<TLumoFade> fade);

 private:
  class RunningTransition;

  // Calls a handler unless the control was disposed of.
  void Fire(const NotifyEvent<TLumoFade>& event);
  std::int64_t Area() const { return std::int64_t{std::max(width_, 0)} * std::max(height_, 0); }
  void PictureChanged();
  void RequestRepaint();
  void RepaintNow();
  void RepaintPartNow(const PixelRect& area);
  // Sizes the image to the control and draws the side's picture scaled over its colour.
  void BuildSide(WorkImage& image, const PictureHolder& picture);
  // Exchanges colours, fill colours and pictures of the two sides.
  void ExchangeSides();
  void SideSwap();
  // Draws the dissolve order; returns the pixels per frame, or throws when there are none.
  std::int32_t BuildOrder();
  void ReleaseOrder();
  // After a forward transition: the automatic reverse, then OnEnd.
  void EndForward(bool blended);
  // Each returns false when a stop ended the transition.
  bool BlendFrames();
  bool DissolveFrames(std::int32_t perFrame);
  void CopyPixels(std::size_t from, std::size_t to);
  // Waits for the frame's end: deadline advances by MsecPerFrame.
  bool Pace(std::int64_t& deadline);
  void StopNow();

  LumoFadeSurface* surface_;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;

  WorkImage display_;
  WorkImage target_;
  WorkImage start_;
  PictureHolder picFrom_;
  PictureHolder picTo_;
  Colour colorFrom_ = colours::Black;
  Colour colorTo_ = colours::White;
  std::vector<PixelPos> pixelOrder_;
  std::int32_t disolvRate_ = 125;
  std::int32_t blendRate_ = 32;
  std::int32_t pixelCount_ = 0;
  std::int32_t msecPerFrame_ = 40;
  bool stretchToFit_ = true;
  bool processMsgs_ = false;
  bool stopRequested_ = false;
  bool autoReverse_ = false;
  bool swapOnReverse_ = true;
  bool swapped_ = false;
  bool savedStretchToFit_ = true;
  std::int32_t swapDelay_ = 1;

  int transitionsRunning_ = 0;
  bool disposed_ = false;
};

}  // namespace verdal
