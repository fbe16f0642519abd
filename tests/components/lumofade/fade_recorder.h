// A surface that records what the control asks of its screen, with the manual clock's time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/clock.h"
#include "components/lumofade/lumo_fade.h"

namespace verdal::testing {

class FadeRecorder : public LumoFadeSurface {
 public:
  explicit FadeRecorder(TLumoFade& fade) : fade_(fade) { fade_.SetSurface(this); }
  ~FadeRecorder() override { fade_.SetSurface(nullptr); }

  void RepaintNow() override {
    frameTimes.push_back(AppClock().NowMs());
    firstBytes.push_back(fade_.DisplayImage().Bits().empty() ? 0 : fade_.DisplayImage().Bits()[0]);
    Log("frame");
    if (onFrame) onFrame();
  }
  void DrawNow(const WorkImage& image) override {
    drawnNow = image;
    Log("draw-now");
  }
  void ProcessMessages() override {
    ++messagePasses;
    if (onMessages) onMessages();
  }
  // Records the control's events in the same log as the frames.
  void ListenToEvents() {
    fade_.OnReset = [this](TLumoFade&) { Log("reset"); };
    fade_.OnBegin = [this](TLumoFade&) { Log("begin"); };
    fade_.OnEnd = [this](TLumoFade&) { Log("end"); };
  }
  void Log(const std::string& what) {
    if (log.empty() || log.back().first != what) {
      log.emplace_back(what, 1);
    } else {
      ++log.back().second;
    }
  }

  std::vector<std::int64_t> frameTimes;
  std::vector<std::uint8_t> firstBytes;
  // Consecutive equal entries are folded: ("frame", 33) is 33 frames in a row.
  std::vector<std::pair<std::string, int>> log;
  WorkImage drawnNow;
  int messagePasses = 0;
  std::function<void()> onMessages;
  std::function<void()> onFrame;

 private:
  TLumoFade& fade_;
};

// A picture of one colour (blue, green, red bytes), with optional coverage for every pixel.
inline std::shared_ptr<const Picture> SolidPicture(int width, int height, std::uint8_t b,
                                                   std::uint8_t g, std::uint8_t r,
                                                   PictureKind kind = PictureKind::Bitmap) {
  auto picture = std::make_shared<Picture>();
  picture->kind = kind;
  picture->pixels.SetSize(width, height);
  picture->pixels.SetFillColour(RgbColour(r, g, b));
  picture->pixels.Fill();
  return picture;
}

}  // namespace verdal::testing
