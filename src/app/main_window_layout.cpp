#include "app/main_window_layout.h"

namespace vantrel {

namespace {
constexpr Colour kPanelFill = MakeColour(0xFF, 0xC5, 0xFF);
constexpr Colour kInnerBorder = MakeColour(0xFF, 0x00, 0xFF);
}  // namespace

int MainWindowHeight(int createdHeight, const std::string& windowsName) {
  return windowsName == "Windows XP" ? createdHeight - 7 : createdHeight;
}

// Integer division truncates toward zero, also for a window larger than the
// area (a negative corner).
ScreenPoint CentredPosition(int maxTrackWidth, int maxTrackHeight, int width, int height) {
  return ScreenPoint{(maxTrackWidth - width) / 2, (maxTrackHeight - height) / 2};
}

ScreenPoint ProgressWindowPosition(const ScreenRect& mainWindow, int progressWidth) {
  return ScreenPoint{(mainWindow.left + mainWindow.right - progressWidth) / 2, mainWindow.bottom};
}

ScreenPoint FolderWindowPosition(int desktopHeight, int folderHeight) {
  return ScreenPoint{5, desktopHeight - folderHeight - 45};
}

PanelLook MainPanelLook() {
  return PanelLook{kPanelFill, PanelInsets{20, 24, 20, 22}, kInnerBorder, MakeColour(0xFF, 0xFF, 0xFF)};
}

PanelLook AboutPanelLook() {
  return PanelLook{kPanelFill, PanelInsets{20, 22, 20, 22}, kInnerBorder, MakeColour(0xF8, 0xFA, 0xFB)};
}

}  // namespace vantrel
