#include "app/scale_bitmap.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace vantrel {
namespace {

using Bgr = std::array<int, 3>;

// y counts rows from the top of the picture, as on the screen.
Bgr PixelAt(const DibPixels& picture, int x, int y) {
  const std::uint8_t* p = picture.Row(picture.height - 1 - y) + x * 3;
  return {p[0], p[1], p[2]};
}

DibPixels Picture(int width, int height, const std::function<Bgr(int x, int y)>& colour) {
  DibPixels picture(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = picture.Row(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const Bgr c = colour(x, y);
      for (int i = 0; i < 3; ++i) row[x * 3 + i] = static_cast<std::uint8_t>(c[i]);
    }
  }
  return picture;
}

Bgr Pattern(int x, int y) { return {(x * 7 + y * 13) & 0xFF, (x ^ y) & 0xFF, (x * y + 5) & 0xFF}; }

struct WeightCase {
  int count, other;
  bool perSource;
  std::vector<Weight> expected;
};

TEST(ScaleBitmapTest, WeightTablesByHand) {
  const WeightCase cases[] = {
      {3, 2, true, {{2.0f / 3, 0}, {1.0f / 3, 1.0f / 3}, {2.0f / 3, -1}}},  // 3 pixels into 2
      {3, 2, false, {{1, 0}, {0.5f, 0.5f}, {1, -1}}},                        // 2 pixels onto 3
      {2, 1, true, {{0.5f, 0}, {0.5f, -1}}},
      {4, 2, false, {{1, 0}, {1, -1}, {1, 0}, {1, -1}}},
      {3, 3, true, {{1, -1}, {1, -1}, {1, -1}}},
  };
  for (const WeightCase& c : cases) {
    const std::vector<Weight> weights = Weights(c.count, c.other, c.perSource);
    ASSERT_EQ(weights.size(), c.expected.size());
    for (std::size_t i = 0; i < weights.size(); ++i) {
      EXPECT_FLOAT_EQ(weights[i].w0, c.expected[i].w0) << c.count << "/" << c.other << " #" << i;
      EXPECT_FLOAT_EQ(weights[i].w1, c.expected[i].w1) << c.count << "/" << c.other << " #" << i;
    }
  }
}

TEST(ScaleBitmapTest, SmallPicturesByHand) {
  const Bgr row3[] = {{0, 30, 255}, {90, 60, 0}, {180, 90, 255}};
  const DibPixels three = Picture(3, 1, [&](int x, int) { return row3[x]; });
  // Two thirds of the first pixel and a third of the second, and so on.
  std::optional<DibPixels> two = ScaleBitmap(three, 2, 1);
  ASSERT_TRUE(two);
  EXPECT_EQ(PixelAt(*two, 0, 0), (Bgr{30, 40, 170}));
  EXPECT_EQ(PixelAt(*two, 1, 0), (Bgr{150, 80, 170}));

  const Bgr square[2][2] = {{{10, 20, 30}, {30, 40, 50}}, {{50, 60, 70}, {70, 80, 90}}};
  const DibPixels four = Picture(2, 2, [&](int x, int y) { return square[y][x]; });
  std::optional<DibPixels> one = ScaleBitmap(four, 1, 1);
  ASSERT_TRUE(one);
  EXPECT_EQ(PixelAt(*one, 0, 0), (Bgr{40, 50, 60}));
  EXPECT_EQ(one->bytes.size(), 4u);  // one pixel in a padded row

  // Enlarging: the middle pixel is half of each neighbour.
  const Bgr row2[] = {{10, 100, 200}, {30, 0, 100}};
  std::optional<DibPixels> wide = ScaleBitmap(Picture(2, 1, [&](int x, int) { return row2[x]; }), 3, 1);
  ASSERT_TRUE(wide);
  EXPECT_EQ(PixelAt(*wide, 0, 0), (Bgr{10, 100, 200}));
  EXPECT_EQ(PixelAt(*wide, 1, 0), (Bgr{20, 50, 150}));
  EXPECT_EQ(PixelAt(*wide, 2, 0), (Bgr{30, 0, 100}));

  std::optional<DibPixels> nine = ScaleBitmap(four, 3, 3);
  ASSERT_TRUE(nine);
  EXPECT_EQ(PixelAt(*nine, 0, 0), square[0][0]);
  EXPECT_EQ(PixelAt(*nine, 2, 0), square[0][1]);
  EXPECT_EQ(PixelAt(*nine, 0, 2), square[1][0]);
  EXPECT_EQ(PixelAt(*nine, 2, 2), square[1][1]);
  EXPECT_EQ(PixelAt(*nine, 1, 1), (Bgr{40, 50, 60}));
  EXPECT_EQ(PixelAt(*nine, 1, 0), (Bgr{20, 30, 40}));
}

// The desktop into the splash: a screen of four coloured quarters.
TEST(ScaleBitmapTest, ReducesTheDesktopToTheMiniature) {
  const Bgr quarters[2][2] = {{{255, 0, 0}, {0, 255, 0}}, {{0, 0, 255}, {255, 255, 255}}};
  const DibPixels desktop =
      Picture(1024, 768, [&](int x, int y) { return quarters[y < 384 ? 0 : 1][x < 512 ? 0 : 1]; });
  std::optional<DibPixels> small = ScaleBitmap(desktop, 319, 173);
  ASSERT_TRUE(small);
  EXPECT_EQ(small->width, 319);
  EXPECT_EQ(small->height, 173);
  EXPECT_EQ(small->bytes.size(), 960u * 173);

  // Columns 0-158 and rows 0-85 lie wholly in one quarter; column 159 and
  // row 86 straddle the middle about half and half.
  auto near = [](const Bgr& got, const Bgr& want) {
    for (int i = 0; i < 3; ++i) {
      if (got[i] > want[i] || got[i] < want[i] - 1) return false;
    }
    return true;
  };
  for (int y = 0; y < 173; ++y) {
    for (int x = 0; x < 319; ++x) {
      if (x == 159 || y == 86) continue;
      const Bgr want = quarters[y < 86 ? 0 : 1][x < 159 ? 0 : 1];
      ASSERT_TRUE(near(PixelAt(*small, x, y), want)) << x << "," << y;
    }
  }
  const Bgr mixed = PixelAt(*small, 159, 40);  // blue and green
  EXPECT_NEAR(mixed[0], 127, 2);
  EXPECT_NEAR(mixed[1], 127, 2);
  EXPECT_EQ(mixed[2], 0);
}

TEST(ScaleBitmapTest, EnlargesToTwiceTheSizePixelByPixel) {
  const DibPixels source = Picture(1024, 768, Pattern);
  std::optional<DibPixels> large = ScaleBitmap(source, 2048, 1536);
  ASSERT_TRUE(large);
  EXPECT_EQ(large->width, 2048);
  EXPECT_EQ(large->height, 1536);
  for (int y = 0; y < 1536; ++y) {
    for (int x = 0; x < 2048; ++x) {
      ASSERT_EQ(PixelAt(*large, x, y), Pattern(x / 2, y / 2)) << x << "," << y;
    }
  }
}

TEST(ScaleBitmapTest, RefusesToGrowOneSideAndShrinkTheOther) {
  const DibPixels source = Picture(1024, 768, Pattern);
  EXPECT_FALSE(ScaleBitmap(source, 2048, 100));
  EXPECT_FALSE(ScaleBitmap(source, 100, 2048));
  // One side kept, the other changed, is fine either way.
  std::optional<DibPixels> wider = ScaleBitmap(source, 2048, 768);
  ASSERT_TRUE(wider);
  EXPECT_EQ(PixelAt(*wider, 2047, 767), Pattern(1023, 767));
  std::optional<DibPixels> lower = ScaleBitmap(source, 1024, 384);
  ASSERT_TRUE(lower);
  EXPECT_EQ(lower->height, 384);
}

TEST(ScaleBitmapTest, TheSameSizeGivesAnEqualCopy) {
  for (auto [width, height] : {std::pair{1024, 768}, std::pair{319, 173}, std::pair{1, 1}}) {
    const DibPixels source = Picture(width, height, Pattern);
    std::optional<DibPixels> copy = ScaleBitmap(source, static_cast<std::uint16_t>(width),
                                                static_cast<std::uint16_t>(height));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->width, width);
    EXPECT_EQ(copy->height, height);
    EXPECT_EQ(copy->bytes, source.bytes) << width << "x" << height;
  }
}

TEST(ScaleBitmapTest, EmptyPicturesAndSizes) {
  EXPECT_FALSE(ScaleBitmap(DibPixels(0, 0), 10, 10));
  std::optional<DibPixels> nothing = ScaleBitmap(Picture(4, 4, Pattern), 0, 0);
  ASSERT_TRUE(nothing);
  EXPECT_TRUE(nothing->bytes.empty());
}

}  // namespace
}  // namespace vantrel
