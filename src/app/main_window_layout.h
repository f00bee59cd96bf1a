#pragma once
// Where the main window and the windows that hang off it go on the screen,
// and how the main window and the About window paint their panels.

#include <string>

#include "controls/panel_layout.h"
#include "engine/window_docking.h"

namespace vantrel {

struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScreenPoint& a, const ScreenPoint& b) { return a.x == b.x && a.y == b.y; }
};

// The main window's height as it is kept: the created height, less 7 pixels
// on Windows XP, whose frame makes the window that much taller.
int MainWindowHeight(int createdHeight, const std::string& windowsName);

// The top-left corner that centres a window of width by height in the
// largest area a window may take (SM_CXMAXTRACK by SM_CYMAXTRACK).
ScreenPoint CentredPosition(int maxTrackWidth, int maxTrackHeight, int width, int height);

// The progress window hangs under the main window, centred on it.
ScreenPoint ProgressWindowPosition(const ScreenRect& mainWindow, int progressWidth);

// The folder window sits at the bottom left of the screen, above a taskbar.
ScreenPoint FolderWindowPosition(int desktopHeight, int folderHeight);

// The main window's panel: a white inner area in a magenta border.
PanelLook MainPanelLook();
// The About window's panel.
PanelLook AboutPanelLook();

}  // namespace vantrel
