// The four transitions on a manual clock: frames, weights, schedules, events, stops, failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/clock.h"
#include "common/random.h"
#include "components/lumofade/lumo_fade.h"
#include "fade_recorder.h"

namespace verdal {
namespace {

using testing::FadeRecorder;
using testing::SolidPicture;
using Log = std::vector<std::pair<std::string, int>>;

class Transitions : public ::testing::Test {
 protected:
  Transitions() { clock_.Advance(1'000); }
  ManualClock clock_;
  ScopedClock scoped_{clock_};
};

std::vector<std::uint8_t> Weights(int blendRate) {
  TLumoFade fade;
  // From 0 to 32: every byte of a frame is its weight.
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
  EXPECT_EQ(clock_.NowMs(), 1'125);
  fade.SetProcessMsgs(true);
  fade.Blend();
  EXPECT_EQ(clock_.NowMs(), 1'125);
  EXPECT_EQ(recorder.messagePasses, 5);
}

TEST_F(Transitions, DissolveSplitsThePixelsIntoPacedFramesAndAnUnpacedRest) {
  struct Case {
    int width, height, rate;
    std::vector<int> framePixels;
  };
  for (const Case& c : {Case{5, 2, 4, {2, 2, 2, 2, 2, 0}}, Case{10, 1, 3, {3, 3, 3, 1}}}) {
    TLumoFade fade;
    fade.SetBounds(0, 0, c.width, c.height);
    fade.SetDisolvRate(c.rate);
    std::vector<int> framePixels;
    FadeRecorder recorder(fade);
    int before = 0;
    recorder.onFrame = [&] {
      int white = 0;
      for (std::uint8_t byte : fade.DisplayImage().Bits()) white += byte == 255;
      framePixels.push_back(white / 3 - before);
      before = white / 3;
    };
    const std::int64_t start = clock_.NowMs();
    fade.Dissolve();
    EXPECT_EQ(framePixels, c.framePixels);
    // Only the paced frames wait; the last one does not.
    EXPECT_EQ(clock_.NowMs() - start, 40 * static_cast<int>(c.framePixels.size() - 1));
    EXPECT_EQ(fade.DisplayImage(), fade.TargetImage());
    EXPECT_EQ(fade.PixelCount(), c.width * c.height);
  }
}

TEST_F(Transitions, GamePictureDissolvesIn125FramesOf1222PixelsAndALastOf99) {
  TLumoFade fade;
  fade.SetStretchToFit(false);
  fade.SetPicTo(SolidPicture(433, 353, 10, 20, 30));
  FadeRecorder recorder(fade);
  const std::int64_t t0 = clock_.NowMs();
  fade.Dissolve();
  ASSERT_EQ(recorder.frameTimes.size(), 126u);
  for (std::size_t k = 0; k < 126; ++k)
    EXPECT_EQ(recorder.frameTimes[k], t0 + 40 * std::int64_t(k));
  EXPECT_EQ(clock_.NowMs(), t0 + 5'000);
  EXPECT_EQ(fade.PixelCount(), 152'849);
  EXPECT_EQ(fade.DisplayImage(), fade.TargetImage());
}

TEST_F(Transitions, FailuresComeAfterTheRebuildAndBeforeOnBegin) {
  TLumoFade fade;
  fade.SetStretchToFit(false);
  fade.SetDisolvRate(100);
  fade.SetPicTo(SolidPicture(9, 9, 1, 1, 1));  // 81 pixels, fewer than the rate
  FadeRecorder recorder(fade);
  recorder.ListenToEvents();
  try {
    fade.Dissolve();
    FAIL() << "no exception";
  } catch (const ELumoFade& e) {
    EXPECT_STREQ(e.what(), "DisolvRate cannot be > Width * Height!");
  }
  EXPECT_EQ(recorder.log, (Log{{"reset", 1}}));

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

TEST_F(Transitions, BlendWithAutoReverseFiresEachEventInOrder) {
  TLumoFade fade;
  fade.SetBounds(0, 0, 4, 3);
  fade.SetBlendRate(2);
  fade.SetDisolvRate(5);
  fade.SetAutoReverse(true);
  FadeRecorder recorder(fade);
  recorder.ListenToEvents();
  const WorkImage fromSide = fade.DisplayImage();
  const std::int64_t t0 = clock_.NowMs();
  fade.Blend();
  EXPECT_EQ(recorder.log, (Log{{"reset", 1},
                               {"begin", 1},
                               {"frame", 3},
                               {"reset", 3},  // the side swap: two holder writes, then its own
                               {"frame", 7},  // six paced dissolve frames and the rest
                               {"reset", 1},
                               {"end", 1}}));
  EXPECT_EQ(clock_.NowMs(), t0 + 3 * 40 + 1'000 + 6 * 40);
  EXPECT_EQ(fade.DisplayImage(), fromSide);

  // A dissolve goes back by blending.
  recorder.log.clear();
  fade.Dissolve();
  EXPECT_EQ(recorder.log, (Log{{"reset", 1},
                               {"begin", 1},
                               {"frame", 7},
                               {"reset", 3},
                               {"frame", 3},
                               {"reset", 1},
                               {"end", 1}}));

  // Without SwapOnReverse each effect goes back by itself.
  recorder.log.clear();
  fade.SetSwapOnReverse(false);
  fade.Dissolve();
  EXPECT_EQ(recorder.log, (Log{{"reset", 1},
                               {"begin", 1},
                               {"frame", 7},
                               {"reset", 3},
                               {"frame", 7},
                               {"reset", 1},
                               {"end", 1}}));
}

bool SidesAre(const TLumoFade& fade, Colour from, Colour to, bool stretch) {
  return fade.ColorFrom() == from && fade.ColorTo() == to && fade.StretchToFit() == stretch &&
         !fade.Swapped();
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

  fade.ReverseBlend();
  // The reverse starts on the to-side and ends on the from-side.
  EXPECT_EQ(recorder.firstBytes.front(), 1);
  EXPECT_TRUE(SidesAre(fade, colours::Red, colours::Navy, false));
  EXPECT_EQ(fade.PicTo().Get(), picture);
  EXPECT_TRUE(fade.PicFrom().Empty());
  EXPECT_EQ(fade.DisplayImage(), fromSide);

  fade.ReverseDissolve();
  EXPECT_TRUE(SidesAre(fade, colours::Red, colours::Navy, false));
  EXPECT_EQ(fade.PicTo().Get(), picture);
  EXPECT_EQ(fade.DisplayImage(), fromSide);
}

TEST_F(Transitions, AStopEndsTheTransitionAtOnceAndAReverseStaysSwapped) {
  TLumoFade fade;
  fade.SetBounds(0, 0, 4, 4);
  fade.SetProcessMsgs(true);
  fade.SetBlendRate(8);
  fade.SetDisolvRate(4);
  FadeRecorder recorder(fade);
  recorder.ListenToEvents();
  fade.Stop();  // outside a transition: ignored
  EXPECT_FALSE(fade.StopRequested());
  recorder.onMessages = [&] {
    if (recorder.frameTimes.size() == 3) fade.Stop();
  };
  fade.Blend();
  EXPECT_EQ(recorder.log,
            (Log{{"reset", 1}, {"begin", 1}, {"frame", 3}, {"draw-now", 1}, {"end", 1}}));
  EXPECT_EQ(recorder.drawnNow, fade.TargetImage());
  EXPECT_NE(fade.DisplayImage(), fade.TargetImage());  // the reached frame stays
  EXPECT_FALSE(fade.StopRequested());
  // With ProcessMsgs each pass waits until the deadline has passed.
  EXPECT_GE(recorder.messagePasses, 3 * 41);

  // During an automatic reverse: the reverse stops swapped, the forward still fires OnEnd.
  recorder.log.clear();
  recorder.frameTimes.clear();
  fade.SetAutoReverse(true);
  fade.SetColorTo(colours::Red);
  recorder.onMessages = [&] {
    if (recorder.frameTimes.size() == 12) fade.Stop();
  };
  recorder.log.clear();
  fade.Blend();
  EXPECT_EQ(recorder.log, (Log{{"reset", 1},
                               {"begin", 1},
                               {"frame", 9},
                               {"reset", 3},
                               {"frame", 3},
                               {"draw-now", 1},
                               {"end", 2}}));
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
  EXPECT_FALSE(fade.Swapped());
  EXPECT_EQ(fade.ColorFrom(), colours::Black);
  EXPECT_EQ(fade.ColorTo(), colours::Red);
  EXPECT_TRUE(fade.StretchToFit());
}

TEST_F(Transitions, AShrinkDuringADissolveNeverWritesOutsideTheImages) {
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
}

// A handler run between frames may start another transition on the same control: the outer
// one must neither read the pixel order that the inner one released nor take over its
// schedule.
TEST_F(Transitions, ATransitionStartedBetweenFramesLeavesTheOuterOneSound) {
  TLumoFade fade;
  fade.SetBounds(0, 0, 6, 5);
  fade.SetDisolvRate(5);
  fade.SetProcessMsgs(true);
  FadeRecorder recorder(fade);
  bool nested = false;
  recorder.onMessages = [&] {
    if (!nested && recorder.frameTimes.size() == 2) {
      nested = true;
      fade.Dissolve();
    }
  };
  fade.Dissolve();  // the inner dissolve released the order: no read past its end

  // The inner blend ends at t0 + 121 (each wait ends 1 ms after its deadline); the outer
  // frames keep their own deadlines, t0 + 80 and t0 + 120, already passed, so they follow at
  // once.
  recorder.frameTimes.clear();
  nested = false;
  fade.SetBlendRate(2);
  recorder.onMessages = [&] {
    if (!nested && recorder.frameTimes.size() == 1) {
      nested = true;
      fade.Blend();
    }
  };
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
