#include "app/main_window_layout.h"

#include <gtest/gtest.h>

#include "app/app_folder.h"

namespace vantrel {
namespace {

TEST(MainWindowLayoutTest, OnlyWindowsXpTakesSevenPixelsOff) {
  EXPECT_EQ(MainWindowHeight(150, "Windows XP"), 143);
  for (const char* other : {"Windows 2000", "Windows NT 4.0", "Windows 98", "Windows 95", "Windows ME", ""}) {
    EXPECT_EQ(MainWindowHeight(150, other), 150) << other;
  }
}

struct CentreCase {
  int maxWidth, maxHeight, width, height;
  ScreenPoint expected;
};

TEST(MainWindowLayoutTest, CentreOfTheLargestWindowArea) {
  const CentreCase cases[] = {
      {1292, 1036, 216, 150, {538, 443}},
      {1292, 1036, 217, 151, {537, 442}},  // odd remainders truncate
      {816, 616, 216, 143, {300, 236}},
      {200, 100, 216, 151, {-8, -25}},     // larger than the area: toward zero
      {200, 100, 215, 103, {-7, -1}},
  };
  for (const CentreCase& c : cases) {
    const ScreenPoint at = CentredPosition(c.maxWidth, c.maxHeight, c.width, c.height);
    EXPECT_EQ(at.x, c.expected.x) << c.maxWidth << " " << c.width;
    EXPECT_EQ(at.y, c.expected.y) << c.maxHeight << " " << c.height;
  }
}

struct ProgressCase {
  ScreenRect mainWindow;
  int progressWidth;
  ScreenPoint expected;
};

TEST(MainWindowLayoutTest, ProgressWindowHangsCentredUnderTheMainWindow) {
  const ProgressCase cases[] = {
      {{538, 443, 754, 593}, 258, {517, 593}},
      {{538, 443, 755, 593}, 258, {517, 593}},      // half pixels truncate
      {{100, 0, 316, 150}, 100, {158, 150}},        // narrower than the main window
      {{-1000, -1000, -784, -850}, 258, {-1021, -850}},  // parked off-screen
      {{-1000, -1000, -783, -850}, 258, {-1020, -850}},  // toward zero, not down
  };
  for (const ProgressCase& c : cases) {
    const ScreenPoint at = ProgressWindowPosition(c.mainWindow, c.progressWidth);
    EXPECT_EQ(at.x, c.expected.x) << c.mainWindow.left << ".." << c.mainWindow.right;
    EXPECT_EQ(at.y, c.expected.y);
  }
}

TEST(MainWindowLayoutTest, FolderWindowSitsBottomLeftAboveTheTaskbar) {
  EXPECT_EQ(FolderWindowPosition(1024, 209), (ScreenPoint{5, 770}));
  EXPECT_EQ(FolderWindowPosition(600, 209), (ScreenPoint{5, 346}));
  EXPECT_EQ(FolderWindowPosition(200, 209), (ScreenPoint{5, -54}));
}

TEST(MainWindowLayoutTest, MainPanelHasAWhiteInnerAreaInAMagentaBorder) {
  const auto steps = PanelSteps(PanelRect{0, 0, 216, 150}, MainPanelLook());
  const Colour pens[] = {MakeColour(0xCD, 0xCD, 0xCD), MakeColour(0x9A, 0x9A, 0x9A), MakeColour(0x66, 0x66, 0x66),
                         MakeColour(0x33, 0x33, 0x33), MakeColour(0x06, 0x06, 0x06), MakeColour(0xFF, 0x00, 0xFF)};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(steps[i].pen, pens[i]) << "step " << i + 1;
    EXPECT_EQ(steps[i].brush, MakeColour(0xFF, 0xC5, 0xFF)) << "step " << i + 1;
    EXPECT_EQ(steps[i].rect.left, i);
    EXPECT_EQ(steps[i].rect.top, i);
    EXPECT_EQ(steps[i].rect.right, 216 - i);
    EXPECT_EQ(steps[i].rect.bottom, 150 - i);
  }
  EXPECT_EQ(steps[5].pen, pens[5]);
  EXPECT_EQ(steps[5].brush, MakeColour(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(steps[5].rect.left, 20);
  EXPECT_EQ(steps[5].rect.top, 24);
  EXPECT_EQ(steps[5].rect.right, 196);
  EXPECT_EQ(steps[5].rect.bottom, 128);
}

TEST(MainWindowLayoutTest, AboutPanelInnerArea) {
  const auto steps = PanelSteps(PanelRect{0, 0, 480, 600}, AboutPanelLook());
  EXPECT_EQ(steps[4].brush, MakeColour(0xFF, 0xC5, 0xFF));
  EXPECT_EQ(steps[5].pen, MakeColour(0xFF, 0x00, 0xFF));
  EXPECT_EQ(steps[5].brush, MakeColour(0xF8, 0xFA, 0xFB));
  EXPECT_EQ(steps[5].rect.left, 20);
  EXPECT_EQ(steps[5].rect.top, 22);
  EXPECT_EQ(steps[5].rect.right, 460);
  EXPECT_EQ(steps[5].rect.bottom, 578);
}

struct FolderCase {
  const char* moduleFileName;
  const char* folder;
  const char* updateInfo;
};

TEST(AppFolderTest, FolderAndFilesBesideTheProgram) {
  const FolderCase cases[] = {
      {"C:\\Program Files\\Vantrel\\Qorv.exe", "C:\\Program Files\\Vantrel", "C:\\Program Files\\Vantrel\\UpDateInf.Txt"},
      {"C:\\Qorv.exe", "C:", "C:\\UpDateInf.Txt"},
      {"D:\\청소기\\Qorv.exe", "D:\\청소기", "D:\\청소기\\UpDateInf.Txt"},
      {"\\\\server\\share\\Qorv.exe", "\\\\server\\share", "\\\\server\\share\\UpDateInf.Txt"},
  };
  for (const FolderCase& c : cases) {
    EXPECT_EQ(AppFolderOf(c.moduleFileName), c.folder) << c.moduleFileName;
    EXPECT_EQ(BesideProgram(AppFolderOf(c.moduleFileName), "UpDateInf.Txt"), c.updateInfo) << c.moduleFileName;
  }
  EXPECT_EQ(BesideProgram("C:\\", "BANNER.GIF"), "C:\\BANNER.GIF");
  EXPECT_EQ(BesideProgram("", "BANNER.GIF"), "\\BANNER.GIF");
  // No folder at all: the main window then keeps and removes nothing.
  EXPECT_EQ(AppFolderOf("Qorv.exe"), "");
  EXPECT_EQ(AppFolderOf(""), "");
}

}  // namespace
}  // namespace vantrel
