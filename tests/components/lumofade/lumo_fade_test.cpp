// TLumoFade as a control: defaults, property writes, the rebuild table, the side swap.
#include "components/lumofade/lumo_fade.h"

#include <gtest/gtest.h>

#include "fade_recorder.h"

namespace verdal {
namespace {

using testing::SolidPicture;

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
  EXPECT_EQ(fade.Width(), 75);
  EXPECT_EQ(fade.Height(), 75);
  EXPECT_EQ(fade.DisolvRate(), 125);
  EXPECT_EQ(fade.BlendRate(), 32);
  EXPECT_EQ(fade.MsecPerFrame(), 40);
  EXPECT_EQ(fade.SwapDelay(), 1);
  EXPECT_TRUE(fade.StretchToFit() && fade.SwapOnReverse());
  EXPECT_FALSE(fade.ProcessMsgs() || fade.AutoReverse() || fade.Swapped());
  EXPECT_EQ(fade.ColorFrom(), 0u);
  EXPECT_EQ(fade.ColorTo(), 0xFFFFFFu);
  EXPECT_EQ(fade.DisplayImage().RowSize(), 228);
  EXPECT_TRUE(AllOf(fade.DisplayImage(), colours::Black));
  EXPECT_TRUE(AllOf(fade.TargetImage(), colours::White));
  EXPECT_EQ(fade.StartImage().Width(), 75);
}

TEST(LumoFade, RatesAreClamped) {
  TLumoFade fade;
  fade.SetDisolvRate(0);
  EXPECT_EQ(fade.DisolvRate(), 1);
  fade.SetDisolvRate(-5);
  EXPECT_EQ(fade.DisolvRate(), 1);
  fade.SetDisolvRate(1'000'000);
  EXPECT_EQ(fade.DisolvRate(), 5'625);
  fade.SetBounds(0, 0, 200, 200);
  EXPECT_EQ(fade.DisolvRate(), 5'625);  // clamped when written, not when the control grows
  fade.SetBounds(0, 0, 0, 10);
  fade.SetDisolvRate(3);
  EXPECT_EQ(fade.DisolvRate(), 0);
  fade.SetBlendRate(0);
  EXPECT_EQ(fade.BlendRate(), 1);
  fade.SetBlendRate(-3);
  EXPECT_EQ(fade.BlendRate(), 1);
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

TEST(LumoFade, StretchingOnKeepsTheSizeAndScalesBothPictures) {
  TLumoFade fade;
  fade.SetBounds(0, 0, 10, 6);
  fade.SetPicFrom(SolidPicture(433, 353, 1, 2, 3));
  fade.SetPicTo(SolidPicture(3, 3, 4, 5, 6));
  EXPECT_EQ(fade.Width(), 10);
  EXPECT_EQ(fade.Height(), 6);
  EXPECT_TRUE(AllOf(fade.DisplayImage(), RgbColour(3, 2, 1)));
  EXPECT_TRUE(AllOf(fade.TargetImage(), RgbColour(6, 5, 4)));
}

TEST(LumoFade, StretchingOffSizesTheControlToItsPictures) {
  TLumoFade fade;
  fade.SetColorFrom(colours::Red);
  fade.SetColorTo(colours::Teal);
  fade.SetStretchToFit(false);
  EXPECT_EQ(fade.Width(), 75);  // no picture: the control keeps its size
  EXPECT_TRUE(AllOf(fade.DisplayImage(), colours::Red) && AllOf(fade.TargetImage(), colours::Teal));

  // Only PicTo: the control takes its size, the display is filled with ColorFrom. Each
  // changed bound rebuilds once more from within, and every rebuild fires OnReset.
  int resets = 0;
  fade.OnReset = [&resets](TLumoFade&) { ++resets; };
  fade.SetPicTo(SolidPicture(433, 353, 9, 8, 7));
  EXPECT_EQ(resets, 3);
  EXPECT_EQ(fade.Width(), 433);
  EXPECT_EQ(fade.Height(), 353);
  EXPECT_TRUE(AllOf(fade.TargetImage(), RgbColour(7, 8, 9)));
  EXPECT_TRUE(AllOf(fade.DisplayImage(), colours::Red));
  EXPECT_EQ(fade.StartImage().Width(), 433);

  // Both pictures: PicFrom's size, PicTo scaled to it.
  fade.SetPicFrom(SolidPicture(20, 10, 1, 1, 1));
  EXPECT_EQ(fade.Width(), 20);
  EXPECT_EQ(fade.Height(), 10);
  EXPECT_TRUE(AllOf(fade.DisplayImage(), RgbColour(1, 1, 1)));
  EXPECT_TRUE(AllOf(fade.TargetImage(), RgbColour(7, 8, 9)));

  // Only PicFrom: its size, the target filled with ColorTo.
  fade.SetPicTo(nullptr);
  EXPECT_EQ(fade.Width(), 20);
  EXPECT_TRUE(AllOf(fade.TargetImage(), colours::Teal));
}

TEST(LumoFade, IconsAndMetafilesShowTheSideColourWhereTheyDrawNothing) {
  // Left column opaque green, right column transparent.
  auto icon = std::make_shared<Picture>();
  icon->kind = PictureKind::Icon;
  icon->pixels.SetSize(2, 1);
  icon->pixels.SetFillColour(RgbColour(0, 255, 0));
  icon->pixels.Fill();
  icon->alpha = {255, 0};
  auto metafile = std::make_shared<Picture>(*icon);
  metafile->kind = PictureKind::Metafile;

  TLumoFade fade;
  fade.SetBounds(0, 0, 4, 2);
  fade.SetColorFrom(colours::Red);
  fade.SetColorTo(colours::Navy);
  fade.SetPicFrom(icon);
  fade.SetPicTo(metafile);
  for (const WorkImage* image : {&fade.DisplayImage(), &fade.TargetImage()}) {
    const Colour side = image == &fade.DisplayImage() ? colours::Red : colours::Navy;
    EXPECT_EQ(PixelAt(*image, 0, 1), RgbColour(0, 255, 0));
    EXPECT_EQ(PixelAt(*image, 1, 0), RgbColour(0, 255, 0));
    EXPECT_EQ(PixelAt(*image, 2, 0), side);
    EXPECT_EQ(PixelAt(*image, 3, 1), side);
  }
}

}  // namespace
}  // namespace verdal
