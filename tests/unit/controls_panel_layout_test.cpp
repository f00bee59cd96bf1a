// The rectangles and colours of the framed window background.
#include "controls/panel_layout.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

bool operator==(const PanelRect& a, const PanelRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(PanelSteps, StandardPanelShadesInwardsToTheInnerArea) {
  const Colour fill = MakeColour(0x66, 0x99, 0xFF);
  const auto steps = PanelSteps(PanelRect{0, 0, 300, 200}, StandardPanelLook(fill));
  const Colour band = MakeColour(0xFF, 0xC5, 0xFF);
  const PanelStep expected[] = {
      {{0, 0, 300, 200}, MakeColour(0xCD, 0xCD, 0xCD), band},
      {{1, 1, 299, 199}, MakeColour(0x9A, 0x9A, 0x9A), band},
      {{2, 2, 298, 198}, MakeColour(0x66, 0x66, 0x66), band},
      {{3, 3, 297, 197}, MakeColour(0x33, 0x33, 0x33), band},
      {{4, 4, 296, 196}, MakeColour(0x06, 0x06, 0x06), fill},
      {{20, 20, 280, 180}, MakeColour(0x00, 0x00, 0xFF), MakeColour(0xF8, 0xFB, 0xFB)},
  };
  for (std::size_t i = 0; i < steps.size(); ++i) {
    EXPECT_TRUE(steps[i].rect == expected[i].rect) << "step " << i + 1;
    EXPECT_EQ(steps[i].pen, expected[i].pen) << "step " << i + 1;
    EXPECT_EQ(steps[i].brush, expected[i].brush) << "step " << i + 1;
  }
}

TEST(PanelSteps, InnerAreaCanBeInsetPerSide) {
  const PanelLook folderWindow{MakeColour(0xFF, 0xC5, 0xFF), {20, 22, 20, 22}, MakeColour(0xFF, 0x00, 0xFF),
                               MakeColour(0xF8, 0xFB, 0xFB)};
  const auto steps = PanelSteps(PanelRect{0, 0, 258, 110}, folderWindow);
  EXPECT_TRUE(steps[5].rect == (PanelRect{20, 22, 238, 88}));
  EXPECT_EQ(steps[5].pen, MakeColour(0xFF, 0x00, 0xFF));
  EXPECT_EQ(steps[4].brush, MakeColour(0xFF, 0xC5, 0xFF));
}

}  // namespace
}  // namespace vantrel
