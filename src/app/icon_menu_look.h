#pragma once
// The rules of the owner-drawn menu that need no window: which Windows it
// runs on, which theme is selected, its colours, the sizes of its items,
// where their parts go, and the alignment of accelerator texts.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/windows_name.h"
#include "controls/colour.h"

namespace vantrel {

// The classes of Windows the menu tells apart.
namespace os_class {
constexpr int kBefore4 = 0;     // Windows older than 4.0 (not NT)
constexpr int kOtherNt = 1;     // NT 3.x, and every NT after XP
constexpr int kWindows95 = 2;   // and other 4.x minor versions, or no version record
constexpr int kWindows98 = 3;
constexpr int kWindowsMe = 4;
constexpr int kNt4 = 5;
constexpr int kWindows2000 = 6;
constexpr int kWindowsXp = 7;
}  // namespace os_class

// getVersion is what GetVersion returned (high bit set: not NT; low byte:
// the major version); versionEx the GetVersionExA record, if it answered.
int OsClassOf(std::uint32_t getVersion, const std::optional<WindowsVersion>& versionEx);

// True when the current theme file (the default value of
// HKCU\Software\Microsoft\Plus!\Themes\Current) is the classic one: its
// name ends in "Windows Classic.theme", in any letter case.
bool IsClassicThemeFile(const std::string& themeFile);

// Each channel c becomes c + f * (255 - c) (Lighten) or c - f * c (Darken),
// truncated; a factor outside (0, 1] leaves the colour as it is.
Colour Lighten(Colour colour, double factor);
Colour Darken(Colour colour, double factor);

// The system colours the menu draws with (GetSysColor).
struct MenuSystemColours {
  Colour buttonFace = 0;
  Colour window = 0;
  Colour highlight = 0;
  Colour highlightText = 0;
  Colour menu = 0;
  Colour menuText = 0;
  Colour grayText = 0;
  Colour buttonHighlight = 0;
};

// The colours of the flat look; the XP theme changes the column and the fill.
struct FlatMenuColours {
  Colour column = 0;
  Colour background = 0;
  Colour selectionFill = 0;
  Colour selectionBorder = 0;
  Colour text = 0;
  Colour disabledText = 0;  // of a disabled item, which is never drawn selected
};
FlatMenuColours FlatColoursFor(const MenuSystemColours& system, bool xpTheme);

// The flat look needs more than 256 colours: on a palette device the raised
// look is drawn whatever the style switches say.
bool DrawsFlatLook(bool flatLookSelected, bool paletteDevice);

// The background of the raised look.
Colour RaisedBackgroundFor(const MenuSystemColours& system, bool xpTheme);

struct MenuLookSettings {
  bool flat = true;
  bool wideGutter = true;
  int imageWidth = 16;
  int imageHeight = 15;
};

// The gap beside the image column: 7 in the flat look with the wide gutter, else 4.
int MenuGap(const MenuLookSettings& look);
// Width of the image column: the gap plus one image.
int MenuColumnWidth(const MenuLookSettings& look);

struct MenuItemSize {
  int width = 0;
  int height = 0;
  bool operator==(const MenuItemSize& other) const { return width == other.width && height == other.height; }
};
// menuHeight is SM_CYMENU; textWidth the width of the item's whole text.
MenuItemSize MeasureSeparator(const MenuLookSettings& look, int menuHeight);
MenuItemSize MeasureTextItem(const MenuLookSettings& look, int textWidth, int menuHeight);

struct MenuRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const MenuRect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};

// Where the parts of one item go inside its rectangle.
struct MenuItemLayout {
  MenuRect column;     // the image column
  MenuRect text;       // the text, left part left-aligned, part after the tab right-aligned
  MenuRect highlight;  // what a selection fills
  MenuRect separator;  // the etched line runs along its top
};
MenuItemLayout LayOutMenuItem(const MenuLookSettings& look, const MenuRect& item, bool hasTab);

// An item text split at its tabs: the part before the first and the part
// after the last (empty without a tab).
struct MenuText {
  std::u16string label;
  std::u16string accelerator;
  bool hasTab = false;
};
MenuText SplitMenuText(const std::u16string& text);

// Pads the part before the tab of every text that has one with spaces
// until it is as wide as the widest label of the level plus one space, as
// width measures it, so the accelerators start in one column.
void AlignAccelerators(std::vector<std::u16string>& texts, const std::function<int(const std::u16string&)>& width);

}  // namespace vantrel
