// What the gradient progress bar paints for its range, position and width.
#include "controls/gradient_layout.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

constexpr Colour kRed = MakeColour(0xFF, 0x00, 0x00);
constexpr Colour kBlue = MakeColour(0x00, 0x00, 0xFF);

TEST(GradientFillWidth, IsEmptyOutsideTheOpenRange) {
  struct Case {
    int lower, upper, position, width, expected;
  } cases[] = {
      {0, 1000, 1000, 198, -1},  // at the upper bound: empty, not full
      {0, 1000, 1200, 198, -1},  // beyond it
      {0, 1000, 0, 198, -1},     // at the lower bound
      {10, 100, 5, 198, -1},     // below it
      {0, 1001, 1000, 198, 197},  // 1000/1001 of 198 = 197.8
      {0, 100, 50, 255, 127},     // truncated, not rounded
      {50, 100, 75, 200, 150},    // the lower bound takes no part
      {-10, 0, -5, 200, 0},       // no width left of the bar's start
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GradientFillWidth(c.lower, c.upper, c.position, c.width), c.expected)
        << c.lower << ".." << c.upper << " at " << c.position;
  }
}

TEST(LayOutGradient, EmptyBarIsAllBackground) {
  for (int position : {0, 1000}) {
    const GradientLayout layout = LayOutGradient(0, 1000, position, 198, kRed, kBlue);
    EXPECT_TRUE(layout.bands.empty());
    EXPECT_EQ(layout.backgroundLeft, 0);
    EXPECT_EQ(layout.PaintedWidth(), 0);
  }
}

TEST(LayOutGradient, RedToBlueRunsThroughBandsOneColourStepApart) {
  // 255 pixels: every band is one pixel wide.
  const GradientLayout layout = LayOutGradient(0, 100, 50, 255, kRed, kBlue);
  ASSERT_EQ(layout.bands.size(), 128u);  // bands 0..127; 127 crosses the fill width 127
  for (int i = 0; i < 128; ++i) {
    const GradientBand& band = layout.bands[static_cast<std::size_t>(i)];
    EXPECT_EQ(band.left, i);
    EXPECT_EQ(band.right, i + 1);
    EXPECT_EQ(band.colour, MakeColour(255 - i, 0, i)) << i;
  }
  EXPECT_EQ(layout.backgroundLeft, 128);
}

TEST(LayOutGradient, BandThatCrossesTheFillWidthIsDrawnWhole) {
  // 510 pixels: two-pixel bands. Fill width 255 lies inside band 127 (254..256).
  const GradientLayout layout = LayOutGradient(0, 100, 50, 510, kRed, kBlue);
  ASSERT_EQ(layout.bands.size(), 128u);
  EXPECT_EQ(layout.bands.back().left, 254);
  EXPECT_EQ(layout.bands.back().right, 256);
  EXPECT_EQ(layout.PaintedWidth(), 256);
}

TEST(LayOutGradient, AlmostFullBarReachesTheLastBand) {
  // The run's finished bar: range 0..1001 at 1000.
  const GradientLayout layout = LayOutGradient(0, 1001, 1000, 255, kRed, kBlue);
  EXPECT_EQ(layout.bands.size(), 255u);
  EXPECT_EQ(layout.bands.back().colour, MakeColour(1, 0, 254));
  EXPECT_EQ(layout.PaintedWidth(), 255);

  // A width that is no multiple of the steps: bands of 198/255 pixels.
  const GradientLayout narrow = LayOutGradient(0, 1001, 1000, 198, kRed, kBlue);
  EXPECT_EQ(narrow.bands.size(), 255u);
  EXPECT_EQ(narrow.PaintedWidth(), 198);
  for (std::size_t i = 1; i < narrow.bands.size(); ++i) {
    EXPECT_EQ(narrow.bands[i].left, narrow.bands[i - 1].right) << "bands touch without gaps";
  }
}

TEST(LayOutGradient, ChannelsAreTruncatedPerBand) {
  // Steps = 10 (green); red rises 3 and blue falls 3 over them.
  const GradientLayout layout =
      LayOutGradient(0, 100, 99, 100, MakeColour(0, 0, 10), MakeColour(3, 10, 7));
  ASSERT_EQ(layout.bands.size(), 10u);
  EXPECT_EQ(layout.bands[1].colour, MakeColour(0, 1, 9));  // 0.3 -> 0, 9.7 -> 9
  EXPECT_EQ(layout.bands[4].colour, MakeColour(1, 4, 8));  // 1.2 -> 1, 8.8 -> 8
  EXPECT_EQ(layout.bands[9].colour, MakeColour(2, 9, 7));  // 2.7 -> 2, 7.3 -> 7
  EXPECT_EQ(layout.bands[9].right, 100);
}

TEST(LayOutGradient, OneColourIsOneBandAcrossTheBar) {
  const GradientLayout layout = LayOutGradient(0, 100, 10, 200, kBlue, kBlue);
  ASSERT_EQ(layout.bands.size(), 1u);
  EXPECT_EQ(layout.bands[0].left, 0);
  EXPECT_EQ(layout.bands[0].right, 200);
  EXPECT_EQ(layout.bands[0].colour, kBlue);
}

TEST(LayOutGradient, PaintedWidthStaysWhileTheFillStaysInOneBand) {
  // 198 pixels for 0..1000: positions 500 and 501 both fill 99 pixels.
  EXPECT_EQ(LayOutGradient(0, 1000, 500, 198, kRed, kBlue).PaintedWidth(),
            LayOutGradient(0, 1000, 501, 198, kRed, kBlue).PaintedWidth());
  EXPECT_NE(LayOutGradient(0, 1000, 500, 198, kRed, kBlue).PaintedWidth(),
            LayOutGradient(0, 1000, 520, 198, kRed, kBlue).PaintedWidth());
}

}  // namespace
TEST(GradientBands, EveryPositionDrawsTheFirstBandsOfTheFullBar) {
  const Colour red = MakeColour(0xFF, 0, 0);
  const Colour blue = MakeColour(0, 0, 0xFF);
  for (int width : {1, 37, 200, 400}) {
    const std::vector<GradientBand> full = GradientBands(width, red, blue);
    ASSERT_EQ(full.size(), 255u);
    EXPECT_EQ(full.back().right, width);
    for (int position = 1; position <= 1000; position += 7) {
      const GradientLayout layout = LayOutGradient(0, 1001, position, width, red, blue);
      ASSERT_LE(layout.bands.size(), full.size());
      for (std::size_t i = 0; i < layout.bands.size(); ++i) {
        EXPECT_EQ(layout.bands[i].left, full[i].left);
        EXPECT_EQ(layout.bands[i].right, full[i].right);
        EXPECT_EQ(layout.bands[i].colour, full[i].colour);
      }
    }
  }
  EXPECT_TRUE(GradientBands(0, red, blue).empty());
}

TEST(GradientPaintedWidth, IsThePaintedWidthOfTheLayout) {
  const Colour red = MakeColour(0xFF, 0, 0);
  const Colour blue = MakeColour(0, 0, 0xFF);
  const Colour grey = MakeColour(0x80, 0x80, 0x80);
  const Colour lighter = MakeColour(0x83, 0x81, 0x80);
  for (int width : {0, 1, 7, 200, 254, 255, 256, 397, 1000}) {
    for (const auto& colours : {std::make_pair(red, blue), std::make_pair(grey, lighter),
                                std::make_pair(grey, grey)}) {
      for (int position = -2; position <= 1003; ++position) {
        EXPECT_EQ(GradientPaintedWidth(0, 1001, position, width, colours.first, colours.second),
                  LayOutGradient(0, 1001, position, width, colours.first, colours.second).PaintedWidth())
            << "width " << width << " position " << position;
      }
    }
  }
}

}  // namespace vantrel
