#include "controls/repaint_pacer.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(RepaintPacer, PaintsAtMostOnceAnIntervalAndHoldsTheRest) {
  RepaintPacer pacer;
  EXPECT_TRUE(pacer.PaintNow(1000, false)) << "the first change is painted at once";
  pacer.Painted(1000);
  EXPECT_FALSE(pacer.PaintNow(1001, false));
  EXPECT_FALSE(pacer.PaintNow(1015, false));
  EXPECT_TRUE(pacer.Holding());
  EXPECT_FALSE(pacer.Due(1015));
  EXPECT_EQ(pacer.DueIn(1005), 11u);
  EXPECT_TRUE(pacer.Due(1016));
  EXPECT_EQ(pacer.DueIn(1020), 1u);
  pacer.Painted(1016);
  EXPECT_FALSE(pacer.Holding());
  EXPECT_FALSE(pacer.Due(2000)) << "nothing held, nothing due";
  EXPECT_TRUE(pacer.PaintNow(1032, false));
}

TEST(RepaintPacer, AFullBarIsPaintedAtOnce) {
  RepaintPacer pacer;
  pacer.Painted(50);
  EXPECT_FALSE(pacer.PaintNow(51, false));
  EXPECT_TRUE(pacer.PaintNow(52, true));
  pacer.Painted(52);
  EXPECT_FALSE(pacer.Holding()) << "the paint showed the held change too";
}

TEST(RepaintPacer, TheClockMayWrap) {
  RepaintPacer pacer;
  pacer.Painted(0xFFFFFFF8u);
  EXPECT_FALSE(pacer.PaintNow(0xFFFFFFFEu, false));
  EXPECT_EQ(pacer.DueIn(0xFFFFFFFEu), 10u);
  EXPECT_TRUE(pacer.Due(8));
  EXPECT_TRUE(pacer.PaintNow(8, false));
}

}  // namespace
}  // namespace vantrel
