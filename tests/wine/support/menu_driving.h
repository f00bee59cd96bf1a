#pragma once
// Driving menus and the notification area of another program. Menus are
// process-local under Wine, so their items are read from the program's
// menu resource; a shown popup is the window of class "#32768" and takes
// posted keys.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/menu_template.h"
#include "program_driving.h"

namespace vantrel::winetest {

// Menu resource id of a program file, read as data.
std::optional<MenuTemplateLevel> ProgramMenuTemplate(const std::string& program, int menuId);
// How many VK_DOWN presses select the item with this command among items
// (the first press selects the first item; separators are passed over); 0
// when there is no such item.
int DownPressesTo(const MenuTemplateLevel& items, unsigned command);

// The popup menu on screen of this test (see OfThisTest), or null.
HWND ShownPopupMenu();
// Waits for a popup menu to show; null on time-out.
HWND WaitForPopupMenu(DWORD milliseconds);
// Selects the item with this command in the shown popup and chooses it:
// Home selects the first item whatever the mouse may have selected, and
// Down passes over the separators to the next one.
bool ChooseFromPopupMenu(const MenuTemplateLevel& items, unsigned command);

// Whether the notification area holds the icon of owner with this id,
// asked with a modification that changes nothing.
bool TrayHasIcon(HWND owner, UINT id);

// What the screen shows inside a rectangle of screen coordinates.
class ScreenArea {
 public:
  explicit ScreenArea(const RECT& area);
  COLORREF At(int x, int y) const;  // relative to the area's top-left corner
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count(COLORREF colour) const;
  bool SaveBmp(const std::string& path) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

}  // namespace vantrel::winetest
