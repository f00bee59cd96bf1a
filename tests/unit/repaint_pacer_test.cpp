#include "controls/repaint_pacer.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

constexpr unsigned kMs = 1000;

TEST(RepaintPacer, ABarPaintsAtMostOnceAFrame) {
  RepaintPacer pacer;
  EXPECT_TRUE(pacer.PaintNow(1000 * kMs, false, 0)) << "the first change is painted at once";
  const unsigned frame = pacer.Painted(1000 * kMs);
  EXPECT_FALSE(pacer.PaintNow(1000 * kMs, false, frame)) << "not twice in one frame";
  EXPECT_FALSE(pacer.PaintNow(1001 * kMs, false, frame));
  EXPECT_FALSE(pacer.PaintNow(1015 * kMs, false, frame));
  EXPECT_TRUE(pacer.PaintNow(1016 * kMs, false, frame));
  EXPECT_NE(pacer.Painted(1016 * kMs), frame);
}

TEST(RepaintPacer, AnotherBarJoinsAFrameJustOpenedAndWaitsForTheNextOtherwise) {
  RepaintPacer pacer;
  const unsigned categoryFrame = pacer.Painted(500 * kMs);
  EXPECT_TRUE(pacer.PaintNow(501 * kMs, false, 0)) << "within the join window";
  EXPECT_EQ(pacer.Painted(501 * kMs), categoryFrame) << "one picture for both bars";
  EXPECT_FALSE(pacer.PaintNow(503 * kMs, false, 0)) << "too late to join";
  EXPECT_FALSE(pacer.PaintNow(515 * kMs, false, categoryFrame)) << "the frame did not move";
  EXPECT_TRUE(pacer.PaintNow(516 * kMs, false, categoryFrame));
}

TEST(RepaintPacer, AFullBarIsPaintedAtOnceAndOpensAFrame) {
  RepaintPacer pacer;
  const unsigned frame = pacer.Painted(50 * kMs);
  EXPECT_FALSE(pacer.PaintNow(55 * kMs, false, frame));
  EXPECT_TRUE(pacer.PaintNow(55 * kMs, true, frame));
  const unsigned next = pacer.Painted(55 * kMs);
  EXPECT_NE(next, frame);
  EXPECT_FALSE(pacer.PaintNow(70 * kMs, false, next)) << "the new frame counts from the full bar";
}

TEST(RepaintPacer, DearFramesAreSpreadToAnEighthOfTheTimeUpTo100Ms) {
  RepaintPacer pacer;
  const unsigned frame = pacer.Painted(0);
  pacer.BarTook(500);  // half a millisecond: the 16 ms stand
  EXPECT_EQ(pacer.Interval(), 16 * kMs);
  EXPECT_EQ(pacer.Painted(1 * kMs), frame);
  pacer.BarTook(3500);  // the second bar of the frame: 4 ms in all
  EXPECT_EQ(pacer.Interval(), 32 * kMs);
  EXPECT_FALSE(pacer.PaintNow(20 * kMs, false, frame));
  EXPECT_TRUE(pacer.PaintNow(32 * kMs, false, frame));
  EXPECT_TRUE(pacer.PaintNow(1 * kMs, true, frame)) << "a full bar still goes at once";

  pacer.Painted(32 * kMs);
  pacer.BarTook(400 * kMs);
  EXPECT_EQ(pacer.Interval(), 100 * kMs);
  pacer.BarTook(0xFFFFFFFFu);
  EXPECT_EQ(pacer.Interval(), 100 * kMs) << "no overflow";
  pacer.Painted(200 * kMs);
  pacer.BarTook(1 * kMs);
  EXPECT_EQ(pacer.Interval(), 16 * kMs) << "a cheap frame again: back to 16 ms";
}

TEST(RepaintPacer, TheClockMayWrap) {
  RepaintPacer pacer;
  const unsigned frame = pacer.Painted(0xFFFFFFFFu - 8 * kMs);
  EXPECT_FALSE(pacer.PaintNow(0xFFFFFFFFu - 2 * kMs, false, frame));
  EXPECT_FALSE(pacer.PaintNow(7 * kMs, false, frame));
  EXPECT_TRUE(pacer.PaintNow(8 * kMs, false, frame));
}

}  // namespace
}  // namespace vantrel
