#include "menu_driving.h"

#include <shellapi.h>

#include <algorithm>

#include "watchdog.h"
#include "wine_test_support.h"

namespace vantrel::winetest {

std::optional<MenuTemplateLevel> ProgramMenuTemplate(const std::string& program, int menuId) {
  HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return std::nullopt;
  std::optional<MenuTemplateLevel> menu;
  if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(menuId), RT_MENU)) {
    HGLOBAL loaded = LoadResource(module, found);
    if (const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr) {
      menu = ParseMenuTemplate(bytes, SizeofResource(module, found));
    }
  }
  FreeLibrary(module);
  return menu;
}

int DownPressesTo(const MenuTemplateLevel& items, unsigned command) {
  int presses = 0;
  for (const MenuTemplateItem& item : items) {
    if (item.IsSeparator()) continue;
    ++presses;
    if (!item.IsPopup() && item.id == command) return presses;
  }
  return 0;
}

HWND ShownPopupMenu() {
  HWND popup = nullptr;
  while ((popup = FindWindowExA(nullptr, popup, "#32768", nullptr)) != nullptr) {
    if (IsWindowVisible(popup) && OfThisTest(popup)) return popup;
  }
  return nullptr;
}

HWND WaitForPopupMenu(DWORD milliseconds) {
  WaitNote note("a popup menu");
  HWND popup = nullptr;
  WaitUntil([&] { return (popup = ShownPopupMenu()) != nullptr; }, milliseconds);
  return popup;
}

bool ChooseFromPopupMenu(const MenuTemplateLevel& items, unsigned command) {
  HWND popup = WaitForPopupMenu(10000);
  const int presses = DownPressesTo(items, command);
  if (popup == nullptr || presses == 0) return false;
  PostKey(popup, VK_HOME);
  for (int i = 1; i < presses; ++i) PostKey(popup, VK_DOWN);
  PostKey(popup, VK_RETURN);
  return true;
}

bool TrayHasIcon(HWND owner, UINT id) {
  NOTIFYICONDATAA data = {};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = owner;
  data.uID = id;
  data.uFlags = 0;
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

ScreenArea::ScreenArea(const RECT& area)
    : width_(std::max(0L, area.right - area.left)), height_(std::max(0L, area.bottom - area.top)) {
  HDC screen = GetDC(nullptr);
  pixels_ = CopyPixels(screen, area.left, area.top, width_, height_);
  ReleaseDC(nullptr, screen);
}

COLORREF ScreenArea::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

int ScreenArea::Count(COLORREF colour) const {
  return static_cast<int>(std::count(pixels_.begin(), pixels_.end(), colour));
}

bool ScreenArea::SaveBmp(const std::string& path) const {
  return winetest::SaveBmp(path, width_, height_, pixels_);
}

}  // namespace vantrel::winetest
