#include "app/icon_menu_look.h"

#include <algorithm>
#include <cctype>

namespace vantrel {

int OsClassOf(std::uint32_t getVersion, const std::optional<WindowsVersion>& versionEx) {
  if ((getVersion & 0x80000000u) != 0) {
    if ((getVersion & 0xFF) < 4) return os_class::kBefore4;
    if (!versionEx || versionEx->major != 4) return os_class::kWindows95;
    if (versionEx->minor == 10) return os_class::kWindows98;
    if (versionEx->minor == 90) return os_class::kWindowsMe;
    return os_class::kWindows95;
  }
  if (!versionEx) return os_class::kOtherNt;
  if (versionEx->major == 4) return os_class::kNt4;
  if (versionEx->major == 5 && versionEx->minor == 0) return os_class::kWindows2000;
  if (versionEx->major == 5 && versionEx->minor == 1) return os_class::kWindowsXp;
  return os_class::kOtherNt;
}

bool IsClassicThemeFile(const std::string& themeFile) {
  static const std::string kTail = "windows classic.theme";
  if (themeFile.size() < kTail.size()) return false;
  return std::equal(kTail.begin(), kTail.end(), themeFile.end() - static_cast<std::ptrdiff_t>(kTail.size()),
                    [](char expected, char actual) {
                      return expected == std::tolower(static_cast<unsigned char>(actual));
                    });
}

namespace {

bool UsableFactor(double factor) { return factor > 0.0 && factor <= 1.0; }

template <class Channel>
Colour EachChannel(Colour colour, Channel channel) {
  return MakeColour(channel(RedOf(colour)), channel(GreenOf(colour)), channel(BlueOf(colour)));
}

}  // namespace

Colour Lighten(Colour colour, double factor) {
  if (!UsableFactor(factor)) return colour;
  return EachChannel(colour, [factor](int c) { return static_cast<int>(c + factor * (255 - c)); });
}

Colour Darken(Colour colour, double factor) {
  if (!UsableFactor(factor)) return colour;
  return EachChannel(colour, [factor](int c) { return static_cast<int>(c - factor * c); });
}

FlatMenuColours FlatColoursFor(const MenuSystemColours& system, bool xpTheme) {
  FlatMenuColours colours;
  colours.column = xpTheme ? system.buttonFace : MakeColour(0xEF, 0xEB, 0xDE);
  colours.background = Darken(system.window, 0.02);
  colours.selectionFill = Lighten(system.highlight, xpTheme ? 0.7 : 0.85);
  colours.selectionBorder = system.highlight;
  colours.text = system.menuText;
  colours.disabledText = xpTheme ? system.grayText : Lighten(system.grayText, 0.4);
  return colours;
}

bool DrawsFlatLook(bool flatLookSelected, bool paletteDevice) { return flatLookSelected && !paletteDevice; }

Colour RaisedBackgroundFor(const MenuSystemColours& system, bool xpTheme) {
  return xpTheme ? system.buttonFace : system.menu;
}

int MenuGap(const MenuLookSettings& look) { return look.flat && look.wideGutter ? 7 : 4; }

int MenuColumnWidth(const MenuLookSettings& look) { return MenuGap(look) + look.imageWidth; }

MenuItemSize MeasureSeparator(const MenuLookSettings& look, int menuHeight) {
  if (look.flat) return MenuItemSize{0, 3};
  return MenuItemSize{0, std::max((look.imageHeight + MenuGap(look)) / 2, menuHeight / 2)};
}

MenuItemSize MeasureTextItem(const MenuLookSettings& look, int textWidth, int menuHeight) {
  const int gap = MenuGap(look);
  const int width = look.flat ? textWidth + look.imageWidth + gap + 8 : textWidth + 2 * look.imageWidth + 1;
  return MenuItemSize{width, std::max(look.imageHeight + gap, menuHeight)};
}

MenuItemLayout LayOutMenuItem(const MenuLookSettings& look, const MenuRect& item, bool hasTab) {
  const int columnRight = item.left + MenuColumnWidth(look);
  const int textRight = hasTab ? item.right - look.imageWidth : item.right;
  const int middle = item.top + (item.bottom - item.top) / 2;
  MenuItemLayout layout;
  layout.column = MenuRect{item.left, item.top, columnRight, item.bottom};
  if (look.flat) {
    layout.text = MenuRect{columnRight + 8, item.top - 1, textRight, item.bottom - 1};
    layout.highlight = item;
    layout.separator = MenuRect{columnRight + MenuGap(look), middle, item.right, item.bottom};
  } else {
    layout.text = MenuRect{columnRight + 2, item.top, textRight, item.bottom};
    layout.highlight = MenuRect{columnRight, item.top, item.right, item.bottom};
    layout.separator = MenuRect{item.left, middle, item.right, item.bottom};
  }
  return layout;
}

MenuText SplitMenuText(const std::u16string& text) {
  const std::size_t first = text.find(u'\t');
  if (first == std::u16string::npos) return MenuText{text, u"", false};
  const std::size_t last = text.rfind(u'\t');
  return MenuText{text.substr(0, first), text.substr(last + 1), true};
}

void AlignAccelerators(std::vector<std::u16string>& texts, const std::function<int(const std::u16string&)>& width) {
  int widest = 0;
  for (const std::u16string& text : texts) {
    widest = std::max(widest, width(text.substr(0, text.find(u'\t')) + u" "));
  }
  for (std::u16string& text : texts) {
    const std::size_t tab = text.find(u'\t');
    if (tab == std::u16string::npos) continue;
    std::u16string label = text.substr(0, tab);
    // A font whose blank has no width would pad for ever.
    for (int now = width(label); now < widest;) {
      label += u' ';
      const int wider = width(label);
      if (wider <= now) break;
      now = wider;
    }
    text = label + text.substr(tab);
  }
}

}  // namespace vantrel
