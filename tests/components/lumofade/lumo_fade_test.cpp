// TLumoFade: defaults, property writes, the rebuild table, and the four transitions on a
// manual clock (frames, weights, schedules, events, stops, failures).
#include "components/lumofade/lumo_fade.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/clock.h"

namespace verdal {
namespace {

// Records what the control asks of its screen, with the manual clock's time, and its events.
class FadeRecorder : public LumoFadeSurface {
 public:
  explicit FadeRecorder(TLumoFade& fade) : fade_(fade) {
    fade_.SetSurface(this);
    fade_.OnReset = [this](TLumoFade&) { Log("reset"); };
    fade_.OnBegin = [this](TLumoFade&) { Log("begin"); };
    fade_.OnEnd = [this](TLumoFade&) { Log("end"); };
  }
  ~FadeRecorder() override { fade_.SetSurface(nullptr); }

  void RepaintNow() override {
    frameTimes.push_back(AppClock().NowMs());
    firstBytes.push_back(fade_.DisplayImage().Bits().empty() ? 0 : fade_.DisplayImage().Bits()[0]);
    Log("frame");
    if (onFrame) onFrame();
  }
  void RepaintPartNow(const PixelRect& area) override {
    parts.push_back(area);
    RepaintNow();
  }
  void DrawNow(const WorkImage& image) override {
    drawnNow = image;
    Log("draw-now");
  }
  void ProcessMessages() override {
    ++messagePasses;
    if (onMessages) onMessages();
  }
  // Frames and events in order, equal neighbours folded: "frame*33" is 33 frames in a row.
  std::string log;

  std::vector<std::int64_t> frameTimes;
  std::vector<std::uint8_t> firstBytes;
  std::vector<PixelRect> parts;
  WorkImage drawnNow;
  int messagePasses = 0;
  std::function<void()> onMessages;
  std::function<void()> onFrame;

 private:
  void Log(const std::string& what) {
    if (what == last_ && !log.empty()) {
      log.resize(log.size() - (count_ > 1 ? std::to_string(count_).size() + 1 : 0));
      log += "*" + std::to_string(++count_);
      return;
    }
    log += (log.empty() ? "" : " ") + what;
    last_ = what;
    count_ = 1;
  }
  TLumoFade& fade_;
  std::string last_;
  int count_ = 0;
};

// A picture of one colour (blue, green, red bytes).
std::shared_ptr<const Picture> SolidPicture(int width, int height, std::uint8_t b, std::uint8_t g,
                                            std::uint8_t r) {
  auto picture = std::make_shared<Picture>();
  picture->pixels.SetSize(width, height);
  picture->pixels.SetFillColour(RgbColour(r, g, b));
  picture->pixels.Fill();
  return picture;
}

// The colour of pixel (x, y) as $00BBGGRR.
Colour PixelAt(const WorkImage& image, int x, int y) {
  const std::uint8_t* p = image.Row(y) + 3 * x;
  return RgbColour(p[2], p[1], p[0]);
}

bool AllOf(const WorkImage& image, Colour colour) {
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (PixelAt(image, x, y) != colour) return false;
    }
  }
  return true;
}

TEST(LumoFade, DefaultsAreABlackSquareWithAWhiteTarget) {
  TLumoFade fade;
  EXPECT_EQ((std::vector<int>{fade.Width(), fade.Height(), fade.DisolvRate(), fade.BlendRate(),
                              fade.MsecPerFrame(), fade.SwapDelay(), fade.DisplayImage().RowSize(),
                              fade.StartImage().Width()}),
            (std::vector<int>{75, 75, 125, 32, 40, 1, 228, 75}));
  EXPECT_TRUE(fade.StretchToFit() && fade.SwapOnReverse());
  EXPECT_FALSE(fade.ProcessMsgs() || fade.AutoReverse() || fade.Swapped());
  EXPECT_EQ(fade.ColorFrom(), 0u);
  EXPECT_EQ(fade.ColorTo(), 0xFFFFFFu);
  EXPECT_TRUE(AllOf(fade.DisplayImage(), colours::Black));
  EXPECT_TRUE(AllOf(fade.TargetImage(), colours::White));
}

TEST(LumoFade, RatesAreClampedWhenWritten) {
  TLumoFade fade;
  for (auto [written, kept] : {std::pair{0, 1}, {-5, 1}, {1'000'000, 5'625}}) {
    fade.SetDisolvRate(written);
    EXPECT_EQ(fade.DisolvRate(), kept);
  }
  fade.SetBounds(0, 0, 200, 200);
  EXPECT_EQ(fade.DisolvRate(), 5'625);  // not when the control grows
  fade.SetBounds(0, 0, 0, 10);
  fade.SetDisolvRate(3);
  EXPECT_EQ(fade.DisolvRate(), 0);
  for (int rate : {0, -3}) {
    fade.SetBlendRate(rate);
    EXPECT_EQ(fade.BlendRate(), 1);
  }
}

TEST(LumoFade, OnlyEffectiveWritesAndBoundsChangesRebuild) {
  TLumoFade fade;
  int resets = 0;
  fade.OnReset = [&resets](TLumoFade&) { ++resets; };
  fade.SetColorFrom(colours::Black);
  fade.SetColorTo(colours::White);
  fade.SetStretchToFit(true);
  fade.SetBounds(0, 0, 75, 75);
  EXPECT_EQ(resets, 0);
  fade.SetColorFrom(colours::Red);
  EXPECT_TRUE(AllOf(fade.DisplayImage(), colours::Red));
  fade.SetColorTo(colours::Navy);
  EXPECT_TRUE(AllOf(fade.TargetImage(), colours::Navy));
  fade.SetBounds(10, 0, 75, 75);  // a move alone rebuilds too
  EXPECT_EQ(resets, 3);
  fade.SetColorFrom(colours::BtnFace);  // system colours are resolved when filling
  EXPECT_EQ(PixelAt(fade.DisplayImage(), 0, 0), RgbColour(0xC0, 0xC0, 0xC0));
}

// Stretching on keeps the size and scales both pictures. Off, the control takes PicFrom's size,
// else PicTo's, else keeps its own; each changed bound rebuilds once more from within, and every
// rebuild fires OnReset. A side without a picture shows its colour.
TEST(LumoFade, TheRebuildSizesTheControlAndItsImages) {
  const auto big = SolidPicture(433, 353, 9, 8, 7), small = SolidPicture(20, 10, 1, 1, 1);
  const Colour bigColour = RgbColour(7, 8, 9), smallColour = RgbColour(1, 1, 1);
  struct Row {
    bool stretch;
    std::shared_ptr<const Picture> from, to;
    int resets, width, height;
    Colour display, target;
  };
  for (const Row& r : {Row{true, big, small, 1, 10, 6, bigColour, smallColour},
                       Row{false, nullptr, nullptr, 1, 10, 6, colours::Red, colours::Teal},
                       Row{false, nullptr, big, 3, 433, 353, colours::Red, bigColour},
                       Row{false, small, big, 1, 20, 10, smallColour, bigColour},
                       Row{false, small, nullptr, 1, 20, 10, smallColour, colours::Teal}}) {
    TLumoFade fade;
    fade.SetBounds(0, 0, 10, 6);
    fade.SetColorFrom(colours::Red);
    fade.SetColorTo(colours::Teal);
    fade.SetStretchToFit(r.stretch);
    fade.SetPicFrom(r.from);
    int resets = 0;
    fade.OnReset = [&resets](TLumoFade&) { ++resets; };
    fade.SetPicTo(r.to);
    EXPECT_EQ((std::vector<int>{resets, fade.Width(), fade.Height(), fade.StartImage().Width()}),
              (std::vector<int>{r.resets, r.width, r.height, r.width}));
    EXPECT_TRUE(AllOf(fade.DisplayImage(), r.display));
    EXPECT_TRUE(AllOf(fade.TargetImage(), r.target));
  }
}

TEST(LumoFade, IconsAndMetafilesShowTheSideColourWhereTheyDrawNothing) {
  auto icon = std::make_shared<Picture>(*SolidPicture(2, 1, 0, 255, 0));
  icon->kind = PictureKind::Icon;
  icon->alpha = {255, 0};  // left column opaque green, right column transparent
  auto metafile = std::make_shared<Picture>(*icon);
  metafile->kind = PictureKind::Metafile;
  TLumoFade fade;
  fade.SetBounds(0, 0, 4, 2);
  fade.SetColorFrom(colours::Red);
  fade.SetColorTo(colours::Navy);
  fade.SetPicFrom(icon);
  fade.SetPicTo(metafile);
  for (auto [image, side] :
       {std::pair{&fade.DisplayImage(), colours::Red}, {&fade.TargetImage(), colours::Navy}}) {
    EXPECT_EQ(PixelAt(*image, 0, 1), RgbColour(0, 255, 0));
    EXPECT_EQ(PixelAt(*image, 1, 0), RgbColour(0, 255, 0));
    EXPECT_EQ(PixelAt(*image, 2, 0), side);
    EXPECT_EQ(PixelAt(*image, 3, 1), side);
  }
}

class Transitions : public ::testing::Test {
 protected:
  Transitions() { clock_.Advance(1'000); }
  ManualClock clock_;
  ScopedClock scoped_{clock_};
};

// From 0 to 32: every byte of a frame is its weight.
std::vector<std::uint8_t> Weights(int blendRate) {
  TLumoFade fade;
  fade.SetColorTo(RgbColour(32, 32, 32));
  fade.SetBlendRate(blendRate);
  FadeRecorder recorder(fade);
  fade.Blend();
  EXPECT_EQ(fade.DisplayImage(), fade.TargetImage());
  return recorder.firstBytes;
}

TEST_F(Transitions, BlendShowsRatePlusOneFramesWithFloorWeights) {
  EXPECT_EQ(Weights(1), (std::vector<std::uint8_t>{0, 32}));
  EXPECT_EQ(Weights(8), (std::vector<std::uint8_t>{0, 4, 8, 12, 16, 20, 24, 28, 32}));
  EXPECT_EQ(Weights(50), (std::vector<std::uint8_t>{
                             0,  0,  1,  1,  2,  3,  3,  4,  5,  5,  6,  7,  7,  8,  8,  9,  10,
                             10, 11, 12, 12, 13, 14, 14, 15, 16, 16, 17, 17, 18, 19, 19, 20, 21,
                             21, 22, 23, 23, 24, 24, 25, 26, 26, 27, 28, 28, 29, 30, 30, 31, 32}));
}

// Where the sides agree every frame shows the same pixel: after a whole first frame, a blend
// paints only the rectangle where they differ, nothing when they agree everywhere.
TEST_F(Transitions, AfterTheFirstFrameABlendPaintsWhereTheSidesDiffer) {
  TLumoFade fade;
  fade.SetBounds(0, 0, 8, 6);
  fade.SetColorTo(colours::Black);
  fade.SetBlendRate(2);
  FadeRecorder recorder(fade);
  fade.Blend();
  EXPECT_EQ(recorder.parts, std::vector<PixelRect>(2));

  auto picture = std::make_shared<Picture>();
  picture->pixels.SetSize(8, 6);
  for (int y = 1; y < 4; ++y) std::memset(picture->pixels.Row(y) + 3 * 5, 255, 6);
  fade.SetPicTo(picture);
  recorder.parts.clear();
  fade.Blend();
  EXPECT_EQ(recorder.parts, std::vector<PixelRect>(2, PixelRect{5, 1, 2, 3}));
  EXPECT_EQ(fade.DisplayImage(), fade.TargetImage());

  // Handlers run between frames may rebuild the images: every frame is painted whole.
  fade.SetProcessMsgs(true);
  recorder.parts.clear();
  fade.Blend();
  EXPECT_TRUE(recorder.parts.empty());
  EXPECT_EQ(recorder.frameTimes.size(), 9u);
}

TEST_F(Transitions, FramesKeepAnAbsoluteSchedule) {
  TLumoFade fade;
  fade.SetBlendRate(4);
  fade.SetMsecPerFrame(25);
  FadeRecorder recorder(fade);
  // The third frame runs 30 ms late: the next wait shrinks, the schedule does not move.
  recorder.onFrame = [&] {
    if (recorder.frameTimes.size() == 3) clock_.Advance(30);
  };
  fade.Blend();
  EXPECT_EQ(recorder.frameTimes, (std::vector<std::int64_t>{1'000, 1'025, 1'050, 1'080, 1'100}));
  EXPECT_EQ(clock_.NowMs(), 1'125);

  // No period, or a negative one: no wait at all; with ProcessMsgs still one pass a frame.
  fade.SetMsecPerFrame(-10);
  fade.Blend();
  fade.SetProcessMsgs(true);
  fade.Blend();
  EXPECT_EQ(clock_.NowMs(), 1'125);
  EXPECT_EQ(recorder.messagePasses, 5);
}

// Ten pixels at rates 4 and 3, and the game's 433 x 353 picture: 125 frames of 1,222 pixels
// and a last one of 99.
TEST_F(Transitions, DissolveSplitsThePixelsIntoPacedFramesAndAnUnpacedRest) {
  std::vector<int> game(125, 1'222);
  game.push_back(99);
  struct Case {
    int width, height, rate;
    std::vector<int> framePixels;
  };
  for (const Case& c : {Case{5, 2, 4, {2, 2, 2, 2, 2, 0}}, Case{10, 1, 3, {3, 3, 3, 1}},
                        Case{433, 353, 125, game}}) {
    TLumoFade fade;
    fade.SetBounds(0, 0, c.width, c.height);
    fade.SetDisolvRate(c.rate);
    FadeRecorder recorder(fade);
    std::vector<int> framePixels;
    int before = 0;
    recorder.onFrame = [&] {
      const auto bits = fade.DisplayImage().Bits();
      const int white = static_cast<int>(std::count(bits.begin(), bits.end(), 255)) / 3;
      framePixels.push_back(white - before);
      before = white;
    };
    // Frames on an absolute 40 ms schedule; only the paced ones wait, the last one does not.
    std::vector<std::int64_t> schedule;
    for (std::size_t k = 0; k < c.framePixels.size(); ++k) {
      schedule.push_back(clock_.NowMs() + 40 * static_cast<std::int64_t>(k));
    }
    fade.Dissolve();
    EXPECT_EQ(framePixels, c.framePixels);
    EXPECT_EQ(recorder.frameTimes, schedule);
    EXPECT_EQ(clock_.NowMs(), schedule.back());
    EXPECT_EQ(fade.DisplayImage(), fade.TargetImage());
    EXPECT_EQ(fade.PixelCount(), c.width * c.height);
  }
}

TEST_F(Transitions, FailuresComeAfterTheRebuildAndBeforeOnBegin) {
  TLumoFade fade;
  fade.SetStretchToFit(false);
  fade.SetDisolvRate(100);
  fade.SetPicTo(SolidPicture(9, 9, 1, 1, 1));  // 81 pixels, fewer than the rate
  FadeRecorder recorder(fade);
  EXPECT_THAT(
      [&] { fade.Dissolve(); },
      testing::ThrowsMessage<ELumoFade>(testing::StrEq("DisolvRate cannot be > Width * Height!")));
  EXPECT_EQ(recorder.log, "reset");

  // The reverse fails after its side swap, and stays swapped until the next rebuild.
  EXPECT_THROW(fade.ReverseDissolve(), ELumoFade);
  EXPECT_TRUE(fade.Swapped());
  fade.Reset();
  EXPECT_FALSE(fade.Swapped());

  TLumoFade empty;
  empty.SetBounds(0, 0, 0, 0);
  EXPECT_THROW(empty.Dissolve(), ELumoFade);
  empty.Blend();  // an empty pixel run blends to nothing, without harm
}

TEST_F(Transitions, AutoReverseFiresEachEventInOrder) {
  TLumoFade fade;
  fade.SetBounds(0, 0, 4, 3);
  fade.SetBlendRate(2);
  fade.SetDisolvRate(5);
  fade.SetAutoReverse(true);
  FadeRecorder recorder(fade);
  const WorkImage fromSide = fade.DisplayImage();
  const std::int64_t t0 = clock_.NowMs();
  fade.Blend();
  // The side swap rebuilds three times (two holder writes, then its own); a dissolve shows six
  // paced frames and the rest.
  EXPECT_EQ(recorder.log, "reset begin frame*3 reset*3 frame*7 reset end");
  EXPECT_EQ(clock_.NowMs(), t0 + 3 * 40 + 1'000 + 6 * 40);
  EXPECT_EQ(fade.DisplayImage(), fromSide);

  // A dissolve goes back by blending; without SwapOnReverse each effect goes back by itself.
  for (auto [swap, expected] : {std::pair{true, "reset begin frame*7 reset*3 frame*3 reset end"},
                                {false, "reset begin frame*7 reset*3 frame*7 reset end"}}) {
    recorder.log.clear();
    fade.SetSwapOnReverse(swap);
    fade.Dissolve();
    EXPECT_EQ(recorder.log, expected);
  }
}

TEST_F(Transitions, ReversesRestoreSidesColoursAndStretching) {
  TLumoFade fade;
  fade.SetColorFrom(colours::Red);
  fade.SetColorTo(colours::Navy);
  fade.SetStretchToFit(false);
  auto picture = SolidPicture(6, 4, 1, 2, 3);
  fade.SetPicTo(picture);
  fade.SetDisolvRate(4);
  const WorkImage fromSide = fade.DisplayImage();
  FadeRecorder recorder(fade);
  for (auto reverse : {&TLumoFade::ReverseBlend, &TLumoFade::ReverseDissolve}) {
    (fade.*reverse)();
    EXPECT_TRUE(fade.ColorFrom() == colours::Red && fade.ColorTo() == colours::Navy &&
                !fade.StretchToFit() && !fade.Swapped());
    EXPECT_EQ(fade.PicTo().Get(), picture);
    EXPECT_TRUE(fade.PicFrom().Empty());
    EXPECT_EQ(fade.DisplayImage(), fromSide);
  }
  // The reverse starts on the to-side and ends on the from-side.
  EXPECT_EQ(recorder.firstBytes.front(), 1);
}

TEST_F(Transitions, AStopEndsTheTransitionAtOnceAndAReverseStaysSwapped) {
  TLumoFade fade;
  fade.SetBounds(0, 0, 4, 4);
  fade.SetProcessMsgs(true);
  fade.SetBlendRate(8);
  fade.SetDisolvRate(4);
  FadeRecorder recorder(fade);
  fade.Stop();  // outside a transition: ignored
  EXPECT_FALSE(fade.StopRequested());
  std::size_t stopAtFrame = 3;
  recorder.onMessages = [&] {
    if (recorder.frameTimes.size() == stopAtFrame) fade.Stop();
  };
  fade.Blend();
  EXPECT_EQ(recorder.log, "reset begin frame*3 draw-now end");
  EXPECT_EQ(recorder.drawnNow, fade.TargetImage());
  EXPECT_NE(fade.DisplayImage(), fade.TargetImage());  // the reached frame stays
  EXPECT_FALSE(fade.StopRequested());
  // With ProcessMsgs each pass waits until the deadline has passed.
  EXPECT_GE(recorder.messagePasses, 3 * 41);

  // During an automatic reverse: the reverse stops swapped, the forward still fires OnEnd.
  fade.SetAutoReverse(true);
  fade.SetColorTo(colours::Red);
  recorder.log.clear();
  recorder.frameTimes.clear();
  stopAtFrame = 12;
  fade.Blend();
  EXPECT_EQ(recorder.log, "reset begin frame*9 reset*3 frame*3 draw-now end*2");
  EXPECT_TRUE(fade.Swapped());
  EXPECT_EQ(fade.ColorFrom(), colours::Red);
  // Swapped, a new PicFrom is only stored; the next rebuild exchanges it to the to-side.
  auto picture = SolidPicture(4, 4, 1, 2, 3);
  recorder.log.clear();
  fade.SetPicFrom(picture);
  EXPECT_TRUE(recorder.log.empty());
  fade.Reset();
  EXPECT_EQ(fade.PicTo().Get(), picture);
  EXPECT_TRUE(fade.PicFrom().Empty());
  EXPECT_TRUE(fade.ColorFrom() == colours::Black && fade.ColorTo() == colours::Red &&
              fade.StretchToFit() && !fade.Swapped());
}

// Handlers run between frames may shrink the control or start another transition on it: the
// outer one must neither write outside the images, nor read the pixel order that an inner one
// released, nor take over an inner one's schedule.
TEST_F(Transitions, HandlersBetweenFramesLeaveTheRunningTransitionSound) {
  TLumoFade fade;
  fade.SetBounds(0, 0, 30, 30);
  fade.SetDisolvRate(10);
  fade.SetProcessMsgs(true);
  FadeRecorder recorder(fade);
  recorder.onMessages = [&] {
    if (recorder.frameTimes.size() == 2) fade.SetBounds(0, 0, 5, 5);
  };
  fade.Dissolve();
  EXPECT_EQ(fade.DisplayImage().Width(), 5);

  fade.SetBounds(0, 0, 6, 5);
  fade.SetDisolvRate(5);
  bool nested = false;
  auto nestAt = [&](std::size_t frame, void (TLumoFade::*transition)()) {
    nested = false;
    recorder.frameTimes.clear();
    recorder.onMessages = [&, frame, transition] {
      if (!nested && recorder.frameTimes.size() == frame) {
        nested = true;
        (fade.*transition)();
      }
    };
  };
  nestAt(2, &TLumoFade::Dissolve);
  fade.Dissolve();

  // The inner blend ends at t0 + 121 (each wait ends 1 ms after its deadline); the outer
  // frames keep their own deadlines, t0 + 80 and t0 + 120, already passed, so they follow at
  // once.
  fade.SetBlendRate(2);
  nestAt(1, &TLumoFade::Blend);
  const std::int64_t t0 = clock_.NowMs();
  fade.Blend();
  ASSERT_EQ(recorder.frameTimes.size(), 6u);
  EXPECT_EQ(recorder.frameTimes[4], t0 + 121);
  EXPECT_EQ(recorder.frameTimes[5], t0 + 121);
  EXPECT_EQ(clock_.NowMs(), t0 + 121);
}

TEST_F(Transitions, AStopNobodyLookedAtDoesNotCutTheNextTransition) {
  TLumoFade fade;
  fade.SetBounds(0, 0, 4, 4);
  fade.SetBlendRate(2);
  FadeRecorder recorder(fade);
  // Without ProcessMsgs nothing examines the request made at the start.
  fade.OnBegin = [](TLumoFade& sender) { sender.Stop(); };
  fade.Blend();
  EXPECT_FALSE(fade.StopRequested());
  fade.OnBegin = nullptr;
  fade.SetProcessMsgs(true);
  recorder.frameTimes.clear();
  fade.Blend();
  EXPECT_EQ(recorder.frameTimes.size(), 3u);
  EXPECT_EQ(fade.DisplayImage(), fade.TargetImage());
}

}  // namespace
}  // namespace verdal
