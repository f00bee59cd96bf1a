#include "app/icon_menu_look.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using windows_platform::kWin32Nt;
using windows_platform::kWin32Windows;

// GetVersion: the high bit for Windows 95 to ME, the major version in the low byte.
constexpr std::uint32_t NineX(unsigned major) { return 0x80000000u | major; }
constexpr std::uint32_t Nt(unsigned major) { return major; }

TEST(IconMenuLook, OsClassForEveryVersion) {
  struct Case {
    const char* name;
    std::uint32_t getVersion;
    std::optional<WindowsVersion> versionEx;
    int expected;
  } cases[] = {
      {"Windows 3.1 with Win32s", NineX(3), std::nullopt, os_class::kBefore4},
      {"Windows 3.95", NineX(3), WindowsVersion{kWin32Windows, 3, 95}, os_class::kBefore4},
      {"Windows 95", NineX(4), WindowsVersion{kWin32Windows, 4, 0}, os_class::kWindows95},
      {"Windows 95 OSR2", NineX(4), WindowsVersion{kWin32Windows, 4, 3}, os_class::kWindows95},
      {"Windows 98", NineX(4), WindowsVersion{kWin32Windows, 4, 10}, os_class::kWindows98},
      {"Windows ME", NineX(4), WindowsVersion{kWin32Windows, 4, 90}, os_class::kWindowsMe},
      {"a 9x whose version record fails", NineX(4), std::nullopt, os_class::kWindows95},
      {"a 9x of major version 5", NineX(5), WindowsVersion{kWin32Windows, 5, 10}, os_class::kWindows95},
      {"NT 3.51", Nt(3), WindowsVersion{kWin32Nt, 3, 51}, os_class::kOtherNt},
      {"NT 4.0", Nt(4), WindowsVersion{kWin32Nt, 4, 0}, os_class::kNt4},
      {"Windows 2000", Nt(5), WindowsVersion{kWin32Nt, 5, 0}, os_class::kWindows2000},
      {"Windows XP", Nt(5), WindowsVersion{kWin32Nt, 5, 1}, os_class::kWindowsXp},
      {"Server 2003", Nt(5), WindowsVersion{kWin32Nt, 5, 2}, os_class::kOtherNt},
      {"Windows 7 (and Wine)", Nt(6), WindowsVersion{kWin32Nt, 6, 1}, os_class::kOtherNt},
      {"Windows 10", Nt(10), WindowsVersion{kWin32Nt, 10, 0}, os_class::kOtherNt},
      {"an NT whose version record fails", Nt(5), std::nullopt, os_class::kOtherNt},
  };
  for (const Case& c : cases) EXPECT_EQ(OsClassOf(c.getVersion, c.versionEx), c.expected) << c.name;
}

TEST(IconMenuLook, ClassicThemeByTheEndOfTheThemeFile) {
  const std::map<std::string, bool> cases = {
      {"C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme", true},
      {"c:\\windows\\resources\\themes\\WINDOWS CLASSIC.THEME", true},
      {"Windows Classic.theme", true},
      {"C:\\WINDOWS\\Resources\\Themes\\Luna.theme", false},
      {"C:\\Themes\\Windows Classic.theme.bak", false},
      {"Classic.theme", false},
      {"", false},
  };
  for (const auto& [file, classic] : cases) EXPECT_EQ(IsClassicThemeFile(file), classic) << file;
}

TEST(IconMenuLook, LightenAndDarkenEachChannelTruncated) {
  EXPECT_EQ(Lighten(MakeColour(0, 0, 0), 0.5), MakeColour(127, 127, 127));
  EXPECT_EQ(Lighten(MakeColour(0x33, 0x99, 0xFF), 0.85), MakeColour(224, 239, 255));
  EXPECT_EQ(Lighten(MakeColour(0x80, 0x80, 0x80), 0.4), MakeColour(178, 178, 178));
  EXPECT_EQ(Lighten(MakeColour(10, 20, 30), 1.0), MakeColour(255, 255, 255));
  EXPECT_EQ(Darken(MakeColour(255, 255, 255), 0.02), MakeColour(249, 249, 249));
  EXPECT_EQ(Darken(MakeColour(100, 50, 0), 0.5), MakeColour(50, 25, 0));
  EXPECT_EQ(Darken(MakeColour(10, 20, 30), 1.0), MakeColour(0, 0, 0));
  for (double outside : {0.0, -0.5, 1.5}) {
    EXPECT_EQ(Lighten(MakeColour(1, 2, 3), outside), MakeColour(1, 2, 3)) << outside;
    EXPECT_EQ(Darken(MakeColour(1, 2, 3), outside), MakeColour(1, 2, 3)) << outside;
  }
}

MenuSystemColours SomeSystemColours() {
  MenuSystemColours system;
  system.buttonFace = MakeColour(0xD4, 0xD0, 0xC8);
  system.window = MakeColour(0xFF, 0xFF, 0xFF);
  system.highlight = MakeColour(0x31, 0x6A, 0xC5);
  system.menu = MakeColour(0xF0, 0xF0, 0xF0);
  system.menuText = MakeColour(0, 0, 0);
  system.grayText = MakeColour(0xAC, 0xA8, 0x99);
  return system;
}

TEST(IconMenuLook, FlatColoursWithAndWithoutTheXpTheme) {
  const MenuSystemColours system = SomeSystemColours();
  const FlatMenuColours classic = FlatColoursFor(system, false);
  EXPECT_EQ(classic.column, MakeColour(0xEF, 0xEB, 0xDE));
  EXPECT_EQ(classic.background, Darken(system.window, 0.02));
  EXPECT_EQ(classic.selectionFill, Lighten(system.highlight, 0.85));
  EXPECT_EQ(classic.selectionBorder, system.highlight);
  EXPECT_EQ(classic.text, system.menuText);
  EXPECT_EQ(classic.disabledText, Lighten(system.grayText, 0.4));

  const FlatMenuColours xp = FlatColoursFor(system, true);
  EXPECT_EQ(xp.column, system.buttonFace);
  EXPECT_EQ(xp.selectionFill, Lighten(system.highlight, 0.7));
  EXPECT_EQ(xp.disabledText, system.grayText);

  EXPECT_EQ(RaisedBackgroundFor(system, true), system.buttonFace);
  EXPECT_EQ(RaisedBackgroundFor(system, false), system.menu);
}

TEST(IconMenuLook, APaletteDisplayGetsTheRaisedLook) {
  EXPECT_TRUE(DrawsFlatLook(true, false));
  EXPECT_FALSE(DrawsFlatLook(true, true)) << "256 colours: raised although the switches ask for flat";
  EXPECT_FALSE(DrawsFlatLook(false, false));
  EXPECT_FALSE(DrawsFlatLook(false, true));
}

TEST(IconMenuLook, ItemSizesInBothLooks) {
  MenuLookSettings flat;
  MenuLookSettings narrowFlat;
  narrowFlat.wideGutter = false;
  MenuLookSettings raised;
  raised.flat = false;

  EXPECT_EQ(MenuGap(flat), 7);
  EXPECT_EQ(MenuGap(narrowFlat), 4);
  EXPECT_EQ(MenuGap(raised), 4) << "the wide gutter is the flat look's";

  EXPECT_EQ(MeasureSeparator(flat, 19), (MenuItemSize{0, 3}));
  EXPECT_EQ(MeasureSeparator(raised, 19), (MenuItemSize{0, 9}));  // (15 + 4) / 2 against 19 / 2
  EXPECT_EQ(MeasureSeparator(raised, 24), (MenuItemSize{0, 12}));

  EXPECT_EQ(MeasureTextItem(flat, 60, 19), (MenuItemSize{60 + 16 + 7 + 8, 22}));
  EXPECT_EQ(MeasureTextItem(narrowFlat, 60, 19), (MenuItemSize{60 + 16 + 4 + 8, 19}));
  EXPECT_EQ(MeasureTextItem(flat, 60, 25), (MenuItemSize{91, 25}));
  EXPECT_EQ(MeasureTextItem(raised, 60, 18), (MenuItemSize{60 + 32 + 1, 19}));
}

TEST(IconMenuLook, FlatItemLayout) {
  const MenuLookSettings flat;
  const MenuRect item{3, 40, 160, 62};
  const MenuItemLayout plain = LayOutMenuItem(flat, item, false);
  EXPECT_EQ(plain.column, (MenuRect{3, 40, 3 + 23, 62}));
  EXPECT_EQ(plain.text, (MenuRect{3 + 23 + 8, 39, 160, 61}));
  EXPECT_EQ(plain.highlight, item) << "the selection covers the column too";
  EXPECT_EQ(plain.separator, (MenuRect{3 + 23 + 7, 51, 160, 62}));

  const MenuItemLayout withTab = LayOutMenuItem(flat, item, true);
  EXPECT_EQ(withTab.text.right, 160 - 16);

  MenuLookSettings raised;
  raised.flat = false;
  const MenuItemLayout solid = LayOutMenuItem(raised, item, false);
  EXPECT_EQ(solid.highlight, (MenuRect{3 + 20, 40, 160, 62})) << "right of the image column";
}

TEST(IconMenuLook, TextSplitsAtItsFirstAndLastTab) {
  struct Case {
    std::u16string text;
    MenuText expected;
  } cases[] = {
      {u"종료", {u"종료", u"", false}},
      {u"Open\tCtrl+O", {u"Open", u"Ctrl+O", true}},
      {u"A\tB\tC", {u"A", u"C", true}},
      {u"\t", {u"", u"", true}},
  };
  for (const Case& c : cases) {
    const MenuText split = SplitMenuText(c.text);
    EXPECT_EQ(split.label, c.expected.label);
    EXPECT_EQ(split.accelerator, c.expected.accelerator);
    EXPECT_EQ(split.hasTab, c.expected.hasTab);
  }
}

// Widths in a made-up font: blanks 2, everything else 5.
int FakeWidth(const std::u16string& text) {
  int width = 0;
  for (char16_t c : text) width += c == u' ' ? 2 : 5;
  return width;
}

TEST(IconMenuLook, AcceleratorsStartInOneColumn) {
  std::vector<std::u16string> texts = {u"Open\tCtrl+O", u"Save as...", u"Quit\tAlt+F4", u"", u"Properties\tF9"};
  AlignAccelerators(texts, FakeWidth);
  // The widest label with a blank is "Properties " (52): every label with
  // a tab is padded to that width, even the widest itself; texts without a
  // tab stay as they are.
  EXPECT_EQ(texts[0], u"Open" + std::u16string(16, u' ') + u"\tCtrl+O");
  EXPECT_EQ(texts[1], u"Save as...");
  EXPECT_EQ(texts[2], u"Quit" + std::u16string(16, u' ') + u"\tAlt+F4");
  EXPECT_EQ(texts[3], u"");
  EXPECT_EQ(texts[4], u"Properties \tF9");
}

TEST(IconMenuLook, AlignmentStopsWhenABlankHasNoWidth) {
  std::vector<std::u16string> texts = {u"A\tB", u"Longer"};
  AlignAccelerators(texts, [](const std::u16string& text) {
    int width = 0;
    for (char16_t c : text) width += c == u' ' ? 0 : 5;
    return width;
  });
  EXPECT_EQ(texts[0], u"A \tB");
}

}  // namespace
}  // namespace vantrel
