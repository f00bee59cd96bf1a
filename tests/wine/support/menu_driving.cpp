#include "menu_driving.h"

#include <shellapi.h>

#include <algorithm>
#include <fstream>

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
    if (IsWindowVisible(popup)) return popup;
  }
  return nullptr;
}

HWND WaitForPopupMenu(DWORD milliseconds) {
  HWND popup = nullptr;
  WaitUntil([&] { return (popup = ShownPopupMenu()) != nullptr; }, milliseconds);
  return popup;
}

void PostKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
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
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width_, height_, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  pixels_.resize(static_cast<std::size_t>(width_) * height_);
  const auto* source = static_cast<const unsigned char*>(bits);
  for (std::size_t i = 0; source != nullptr && i < pixels_.size(); ++i) {
    pixels_[i] = RGB(source[i * 4 + 2], source[i * 4 + 1], source[i * 4 + 0]);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
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
  const int stride = (width_ * 3 + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width_;
  header.biHeight = height_;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biSizeImage = static_cast<DWORD>(stride * height_);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + header.biSizeImage;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  for (int y = height_ - 1; y >= 0; --y) {
    std::string row(static_cast<std::size_t>(stride), '\0');
    for (int x = 0; x < width_; ++x) {
      const COLORREF c = At(x, y);
      row[x * 3 + 0] = static_cast<char>(GetBValue(c));
      row[x * 3 + 1] = static_cast<char>(GetGValue(c));
      row[x * 3 + 2] = static_cast<char>(GetRValue(c));
    }
    out.write(row.data(), static_cast<std::streamsize>(row.size()));
  }
  return static_cast<bool>(out);
}

}  // namespace vantrel::winetest
