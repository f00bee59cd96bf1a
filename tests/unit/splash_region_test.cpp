// The splash outline as the build makes it (resources/assets/splash_region.py):
// the region data block that becomes resource 214.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

constexpr int kWidth = 336;
constexpr int kHeight = 260;

struct Rect {
  int left, top, right, bottom;
};

using Span = std::pair<int, int>;

std::vector<unsigned char> ReadRegionFile() {
  std::ifstream in(VANTREL_SPLASH_REGION_FILE, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::int32_t Int32At(const std::vector<unsigned char>& bytes, std::size_t offset) {
  const std::uint32_t value = static_cast<std::uint32_t>(bytes[offset]) | (bytes[offset + 1] << 8) |
                              (bytes[offset + 2] << 16) | (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
  return static_cast<std::int32_t>(value);
}

class SplashRegionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bytes = ReadRegionFile();
    ASSERT_EQ(bytes.size(), 127872u) << VANTREL_SPLASH_REGION_FILE;
    const int count = Int32At(bytes, 8);
    ASSERT_EQ(count, 220);
    for (int i = 0; i < count; ++i) {
      const std::size_t at = 32 + 16 * static_cast<std::size_t>(i);
      rects.push_back(Rect{Int32At(bytes, at), Int32At(bytes, at + 4), Int32At(bytes, at + 8), Int32At(bytes, at + 12)});
    }
  }

  // The spans of one pixel row, left to right, as the rectangles give them.
  std::vector<Span> SpansOfRow(int y) const {
    std::vector<Span> spans;
    for (const Rect& r : rects) {
      if (r.top <= y && y < r.bottom) spans.emplace_back(r.left, r.right);
    }
    return spans;
  }

  std::vector<unsigned char> bytes;
  std::vector<Rect> rects;
};

TEST_F(SplashRegionTest, HeaderAndFiller) {
  EXPECT_EQ(Int32At(bytes, 0), 32);    // header size
  EXPECT_EQ(Int32At(bytes, 4), 1);     // RDH_RECTANGLES
  EXPECT_EQ(Int32At(bytes, 8), 220);   // rectangles
  EXPECT_EQ(Int32At(bytes, 12), 3520); // bytes of rectangles
  EXPECT_EQ(Int32At(bytes, 16), 0);
  EXPECT_EQ(Int32At(bytes, 20), 0);
  EXPECT_EQ(Int32At(bytes, 24), kWidth);
  EXPECT_EQ(Int32At(bytes, 28), kHeight);
  const auto filler = std::find_if(bytes.begin() + 3552, bytes.end(), [](unsigned char b) { return b != 0xCD; });
  EXPECT_EQ(filler, bytes.end()) << "a byte other than 0xCD at " << (filler - bytes.begin());
}

// Banded as the system keeps a region, so GetRegionData gives the same list
// back: bands sorted top-down, spans in a band sorted and apart, and no two
// touching bands with the same spans (the system would merge them).
TEST_F(SplashRegionTest, RectanglesAreBandedLikeASystemRegion) {
  Rect bound{kWidth, kHeight, 0, 0};
  std::vector<std::pair<Rect, std::vector<Span>>> bands;
  for (const Rect& r : rects) {
    ASSERT_LT(r.left, r.right);
    ASSERT_LT(r.top, r.bottom);
    bound = Rect{std::min(bound.left, r.left), std::min(bound.top, r.top), std::max(bound.right, r.right),
                 std::max(bound.bottom, r.bottom)};
    if (!bands.empty() && bands.back().first.top == r.top) {
      const Rect& band = bands.back().first;
      EXPECT_EQ(r.bottom, band.bottom) << "row " << r.top;
      EXPECT_GT(r.left, bands.back().second.back().second) << "spans overlap or touch in row " << r.top;
      bands.back().second.emplace_back(r.left, r.right);
      continue;
    }
    if (!bands.empty()) {
      const Rect& previous = bands.back().first;
      EXPECT_GE(r.top, previous.bottom) << "bands overlap at row " << r.top;
    }
    bands.push_back({r, {Span(r.left, r.right)}});
  }
  for (std::size_t i = 1; i < bands.size(); ++i) {
    if (bands[i].first.top == bands[i - 1].first.bottom) {
      EXPECT_NE(bands[i].second, bands[i - 1].second) << "band at row " << bands[i].first.top << " not merged";
    }
  }
  EXPECT_EQ(bound.left, 0);
  EXPECT_EQ(bound.top, 0);
  EXPECT_EQ(bound.right, kWidth);
  EXPECT_EQ(bound.bottom, kHeight);
}

TEST_F(SplashRegionTest, TheFrameRows) {
  const std::vector<Span> sides = {{0, 6}, {325, 336}};
  struct RowCase {
    int first, last;
    std::vector<Span> spans;
  };
  const RowCase cases[] = {
      {0, 0, {{5, 331}}},   {1, 1, {{3, 334}}}, {2, 2, {{2, 335}}}, {3, 4, {{1, 335}}},
      {5, 5, {{0, 336}}},   {10, 101, sides},   {126, 178, sides},  {179, 253, {{0, 336}}},
      {259, 259, {{6, 330}}},
  };
  for (const RowCase& c : cases) {
    for (int y = c.first; y <= c.last; ++y) EXPECT_EQ(SpansOfRow(y), c.spans) << "row " << y;
  }
  // A little wider in the top corners of the inner area.
  for (int y = 6; y <= 9; ++y) {
    const std::vector<Span> spans = SpansOfRow(y);
    ASSERT_EQ(spans.size(), 2u) << "row " << y;
    EXPECT_EQ(spans[0].first, 0);
    EXPECT_GE(spans[0].second, 6);
    EXPECT_LE(spans[1].first, 325);
    EXPECT_EQ(spans[1].second, 336);
  }
  // The curved bottom edge: one span in from both sides.
  for (int y = 254; y <= 258; ++y) {
    const std::vector<Span> spans = SpansOfRow(y);
    ASSERT_EQ(spans.size(), 1u) << "row " << y;
    EXPECT_GT(spans[0].first, 0);
    EXPECT_LT(spans[0].second, 336);
    EXPECT_LE(spans[0].first, SpansOfRow(y + 1)[0].first) << "row " << y;
  }
}

TEST_F(SplashRegionTest, TheWordBetweenTheSideBorders) {
  int leftmost = kWidth;
  int rightmost = 0;
  std::size_t widest = 0;
  for (int y = 102; y <= 125; ++y) {
    const std::vector<Span> spans = SpansOfRow(y);
    ASSERT_GE(spans.size(), 3u) << "no letter in row " << y;
    EXPECT_EQ(spans.front(), Span(0, 6)) << "row " << y;
    EXPECT_EQ(spans.back(), Span(325, 336)) << "row " << y;
    for (std::size_t i = 1; i + 1 < spans.size(); ++i) {
      leftmost = std::min(leftmost, spans[i].first);
      rightmost = std::max(rightmost, spans[i].second);
    }
    widest = std::max(widest, spans.size());
  }
  EXPECT_EQ(leftmost, 108);
  EXPECT_GE(rightmost, 230);
  EXPECT_LE(rightmost, 240);
  EXPECT_EQ(widest, 17u) << "rectangles in the fullest band";
  for (int y : {101, 126}) EXPECT_EQ(SpansOfRow(y).size(), 2u) << "letters outside their rows, row " << y;
}

TEST_F(SplashRegionTest, TheUnionCoversTheFrameAndTheLetters) {
  std::vector<int> cover(kWidth * kHeight, 0);
  long sum = 0;
  for (const Rect& r : rects) {
    sum += static_cast<long>(r.right - r.left) * (r.bottom - r.top);
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) ++cover[y * kWidth + x];
    }
  }
  const long covered = std::count_if(cover.begin(), cover.end(), [](int n) { return n > 0; });
  EXPECT_EQ(covered, sum) << "rectangles overlap";

  const long frame = kWidth * kHeight - 319 * 173;  // the window less the inner area
  const long letters = 536;                         // pixels of "Loading..."
  const long topEdge = 10 + 5 + 3 + 2 + 2;          // cut off by the curved top corners, rows 0 to 4
  const long topCorners = 2 * 6 + 2 * 2;            // added inside the inner area, rows 6 to 9
  const long bottomEdge = 2 + 2 + 4 + 6 + 6 + 12;   // cut off by the curved bottom corners, rows 254 to 259
  EXPECT_EQ(covered, frame + letters - topEdge + topCorners - bottomEdge);

  auto at = [&](int x, int y) { return cover[y * kWidth + x] > 0; };
  EXPECT_FALSE(at(20, 20));    // the inner area shows what lies beneath
  EXPECT_FALSE(at(300, 170));
  EXPECT_TRUE(at(3, 100));     // the side borders
  EXPECT_TRUE(at(330, 100));
  EXPECT_TRUE(at(168, 200));   // the lower band
  EXPECT_FALSE(at(0, 0));      // the rounded corners
  EXPECT_FALSE(at(335, 259));
}

}  // namespace
}  // namespace vantrel
