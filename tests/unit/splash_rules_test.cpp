#include "app/splash_rules.h"

#include <gtest/gtest.h>

#include "app/windows_name.h"

namespace vantrel {
namespace {

using windows_platform::kWin32Nt;
using windows_platform::kWin32Windows;

struct ModeCase {
  WindowsVersion version;
  bool shaped;
};

// The version decides: the NT family gets the outline, the rest the
// rectangle with the desktop miniature.
TEST(SplashRulesTest, TheVersionChoosesTheShape) {
  const ModeCase cases[] = {
      {{kWin32Windows, 4, 0}, false},  // 95
      {{kWin32Windows, 4, 10}, false}, // 98
      {{kWin32Windows, 4, 90}, false}, // ME
      {{kWin32Nt, 4, 0}, true},        // NT 4.0
      {{kWin32Nt, 5, 0}, true},        // 2000
      {{kWin32Nt, 5, 1}, true},        // XP
      {{kWin32Nt, 5, 2}, true},        // what Wine's winxp64 reports: "Windows 2000"
      {{kWin32Nt, 6, 1}, true},        // Wine's default: "Windows XP"
      {{0, 3, 10}, false},             // unknown platform: no name
  };
  for (const ModeCase& c : cases) {
    const std::string name = GetWindowsName(c.version);
    EXPECT_EQ(UsesRegion(name), c.shaped) << c.version.platformId << " " << c.version.major << "."
                                          << c.version.minor << " \"" << name << "\"";
  }
}

TEST(SplashRulesTest, TheWordRunsThroughFiveColoursInOrder) {
  const Colour expected[] = {MakeColour(0x84, 0xFF, 0xFF), MakeColour(0x00, 0xFF, 0x99),
                             MakeColour(0x66, 0x33, 0xFF), MakeColour(0x00, 0x99, 0xCC),
                             MakeColour(0xFF, 0x00, 0x00), MakeColour(0x84, 0xFF, 0xFF),
                             MakeColour(0x00, 0xFF, 0x99)};
  int colourIndex = 0;  // as after start-up
  for (Colour colour : expected) {
    EXPECT_EQ(BlinkColour(colourIndex), colour) << "index " << colourIndex;
    colourIndex = NextColourIndex(colourIndex);
  }
}

TEST(SplashRulesTest, TheMiniatureFitsTheInnerArea) {
  EXPECT_EQ(splash::kMiniatureRect.Width(), 319);
  EXPECT_EQ(splash::kMiniatureRect.Height(), 173);
}

}  // namespace
}  // namespace vantrel
