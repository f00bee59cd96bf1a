#include "engine/window_docking.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vantrel {

std::ostream& operator<<(std::ostream& out, const ScreenRect& r) {
  return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

// The owner spans 500..800 across and 400..600 down; the window is 200 x 150.
constexpr ScreenRect kOwner{500, 400, 800, 600};

ScreenRect WindowAt(int left, int top) { return ScreenRect{left, top, left + 200, top + 150}; }

struct DockCase {
  const char* what;
  ScreenRect window;
  ScreenRect expected;
};

const DockCase kCases[] = {
    {"top 8 below the owner's bottom docks below", WindowAt(100, 608), WindowAt(100, 600)},
    {"top 8 above the owner's bottom docks below", WindowAt(100, 592), WindowAt(100, 600)},
    {"top 9 below the owner's bottom stays", WindowAt(100, 609), WindowAt(100, 609)},
    {"top 9 above the owner's bottom stays", WindowAt(100, 591), WindowAt(100, 591)},
    {"below, lefts 8 apart line up", WindowAt(508, 605), WindowAt(500, 600)},
    {"below, lefts -8 apart line up", WindowAt(492, 605), WindowAt(500, 600)},
    {"below, lefts 9 apart stay apart", WindowAt(509, 605), WindowAt(509, 600)},
    {"already below, lefts 3 apart line up", WindowAt(503, 600), WindowAt(500, 600)},
    {"right edge 9 left of the owner docks on the left", WindowAt(291, 430), WindowAt(300, 430)},
    {"right edge 9 inside the owner docks on the left", WindowAt(309, 430), WindowAt(300, 430)},
    {"right edge 10 left of the owner stays", WindowAt(290, 430), WindowAt(290, 430)},
    {"on the left, tops 9 apart line up", WindowAt(295, 409), WindowAt(300, 400)},
    {"on the left, tops -9 apart line up", WindowAt(295, 391), WindowAt(300, 400)},
    {"on the left, tops 10 apart and bottoms far stay", WindowAt(295, 410), WindowAt(300, 410)},
    {"on the left, bottoms 9 apart line up", WindowAt(295, 459), WindowAt(300, 450)},
    {"on the left, bottoms 10 apart stay", WindowAt(295, 460), WindowAt(300, 460)},
    {"left edge 9 right of the owner docks on the right", WindowAt(809, 430), WindowAt(800, 430)},
    {"left edge 9 inside the owner docks on the right", WindowAt(791, 430), WindowAt(800, 430)},
    {"left edge 10 right of the owner stays", WindowAt(810, 430), WindowAt(810, 430)},
    {"on the right, tops line up", WindowAt(805, 396), WindowAt(800, 400)},
    {"on the right, bottoms line up", WindowAt(805, 441), WindowAt(800, 450)},
    {"bottom 8 above the owner's top docks above", WindowAt(100, 242), WindowAt(100, 250)},
    {"bottom 8 inside the owner's top docks above", WindowAt(100, 258), WindowAt(100, 250)},
    {"bottom 9 above the owner's top stays", WindowAt(100, 241), WindowAt(100, 241)},
    {"above, lefts 9 apart line up", WindowAt(509, 245), WindowAt(500, 250)},
    {"above, lefts 10 apart stay apart", WindowAt(510, 245), WindowAt(510, 250)},
    {"below wins over left", WindowAt(292, 605), WindowAt(292, 600)},
    {"left wins over above", ScreenRect{495, 245, 505, 395}, ScreenRect{490, 245, 500, 395}},
    {"far away nothing moves", WindowAt(0, 0), WindowAt(0, 0)},
};

TEST(WindowDockingTest, DocksToTheOwnersOutsideEdges) {
  for (const DockCase& c : kCases) {
    EXPECT_EQ(DockToOwner(c.window, kOwner), c.expected) << c.what;
  }
}

TEST(WindowDockingTest, DockedWindowStaysDocked) {
  for (const DockCase& c : kCases) {
    EXPECT_EQ(DockToOwner(c.expected, kOwner), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace vantrel
