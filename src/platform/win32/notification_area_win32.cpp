#include "platform/win32/notification_area_win32.h"

#include <shellapi.h>

#include <cstring>

#include "framework/window_handles.h"

namespace vantrel {

namespace {

HINSTANCE ProgramModule() { return GetModuleHandleA(nullptr); }

HWND WindowOf(void* owner) { return static_cast<HWND>(owner); }

}  // namespace

unsigned Win32NotificationArea::SystemMajorVersion() { return LOBYTE(LOWORD(GetVersion())); }

bool Win32NotificationArea::Notify(unsigned action, const TrayIconData& data) {
  // The first version of the record, which every shell since Windows 95 knows.
  NOTIFYICONDATAA record = {};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = WindowOf(data.window);
  record.uID = data.id;
  record.uFlags = data.flags;
  record.uCallbackMessage = data.callbackMessage;
  record.hIcon = static_cast<HICON>(data.icon);
  std::memcpy(record.szTip, data.tip, sizeof data.tip);
  record.szTip[sizeof data.tip - 1] = '\0';
  return Shell_NotifyIconA(action, &record) != FALSE;
}

void* Win32NotificationArea::LoadIconResource(unsigned id) {
  return LoadIconA(ProgramModule(), MAKEINTRESOURCEA(id));
}

// The owner comes to the foreground first and gets a message afterwards, or
// the menu would stay open when the user clicks somewhere else.
bool Win32NotificationArea::TrackMenu(unsigned menuId, void* owner) {
  OwnedMenu menu(LoadMenuA(ProgramModule(), MAKEINTRESOURCEA(menuId)));
  if (!menu) return false;
  HMENU popup = GetSubMenu(menu.get(), 0);
  if (popup == nullptr) return false;
  SetMenuDefaultItem(popup, 0, TRUE);
  POINT cursor = {};
  GetCursorPos(&cursor);
  SetForegroundWindow(WindowOf(owner));
  TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, WindowOf(owner), nullptr);
  PostMessageA(WindowOf(owner), WM_USER, 0, 0);
  return true;
}

bool Win32NotificationArea::RunFirstItem(unsigned menuId, void* owner) {
  OwnedMenu menu(LoadMenuA(ProgramModule(), MAKEINTRESOURCEA(menuId)));
  if (!menu) return false;
  HMENU popup = GetSubMenu(menu.get(), 0);
  if (popup == nullptr) return false;
  SetForegroundWindow(WindowOf(owner));
  SendMessageA(WindowOf(owner), WM_COMMAND, GetMenuItemID(popup, 0), 0);
  return true;
}

}  // namespace vantrel
