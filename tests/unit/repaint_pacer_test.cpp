#include "controls/repaint_pacer.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(RepaintPacer, ABarPaintsAtMostOnceAFrame) {
  RepaintPacer pacer;
  EXPECT_TRUE(pacer.PaintNow(1000, false, 0)) << "the first change is painted at once";
  const unsigned frame = pacer.Painted(1000);
  EXPECT_FALSE(pacer.PaintNow(1000, false, frame)) << "not twice in one frame";
  EXPECT_FALSE(pacer.PaintNow(1001, false, frame));
  EXPECT_FALSE(pacer.PaintNow(1015, false, frame));
  EXPECT_EQ(pacer.DueIn(1005), 11u);
  EXPECT_EQ(pacer.DueIn(1020), 1u);
  EXPECT_TRUE(pacer.PaintNow(1016, false, frame));
  EXPECT_NE(pacer.Painted(1016), frame);
}

TEST(RepaintPacer, AnotherBarJoinsAFrameJustOpenedAndWaitsForTheNextOtherwise) {
  RepaintPacer pacer;
  const unsigned categoryFrame = pacer.Painted(500);
  EXPECT_TRUE(pacer.PaintNow(501, false, 0)) << "within the join window";
  EXPECT_EQ(pacer.Painted(501), categoryFrame) << "one picture for both bars";
  EXPECT_FALSE(pacer.PaintNow(503, false, 0)) << "too late to join";
  EXPECT_EQ(pacer.DueIn(503), 13u) << "the frame did not move";
}

TEST(RepaintPacer, AFullBarIsPaintedAtOnceAndOpensAFrame) {
  RepaintPacer pacer;
  const unsigned frame = pacer.Painted(50);
  EXPECT_FALSE(pacer.PaintNow(55, false, frame));
  EXPECT_TRUE(pacer.PaintNow(55, true, frame));
  EXPECT_NE(pacer.Painted(55), frame);
  EXPECT_EQ(pacer.DueIn(55), 16u);
}

TEST(RepaintPacer, TheClockMayWrap) {
  RepaintPacer pacer;
  const unsigned frame = pacer.Painted(0xFFFFFFF8u);
  EXPECT_FALSE(pacer.PaintNow(0xFFFFFFFEu, false, frame));
  EXPECT_EQ(pacer.DueIn(0xFFFFFFFEu), 10u);
  EXPECT_TRUE(pacer.PaintNow(8, false, frame));
}

}  // namespace
}  // namespace vantrel
