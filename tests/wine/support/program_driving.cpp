#include "program_driving.h"

#include <cstring>
#include <vector>

namespace vantrel::winetest {

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    if (condition()) return true;
    Sleep(10);
  } while (GetTickCount() - start < milliseconds);
  return condition();
}

std::string TextOfWindow(HWND window) {
  std::vector<char> buffer(8192, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                           SMTO_ABORTIFHUNG, 5000, &copied)) {
    return "<no answer>";
  }
  return std::string(buffer.data(), copied);
}

RECT WindowRectOf(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

bool CentredOnScreen(HWND window) {
  const RECT r = WindowRectOf(window);
  return IsWindowVisible(window) && !IsIconic(window) &&
         r.left == (GetSystemMetrics(SM_CXMAXTRACK) - (r.right - r.left)) / 2 &&
         r.top == (GetSystemMetrics(SM_CYMAXTRACK) - (r.bottom - r.top)) / 2;
}

void PostKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

void PressButton(HWND window, int id) {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

namespace {

// Window enumeration callbacks are stdcall on 32-bit Windows, which a
// plain lambda is not.
struct OwnedSearch {
  HWND owner;
  const std::function<bool(HWND)>& fits;
  HWND found;
};

BOOL CALLBACK OwnedWindowVisit(HWND window, LPARAM parameter) {
  auto& s = *reinterpret_cast<OwnedSearch*>(parameter);
  if (GetWindow(window, GW_OWNER) == s.owner && IsWindowVisible(window) && s.fits(window)) {
    s.found = window;
    return FALSE;
  }
  return TRUE;
}

struct BoxSearch {
  const char* caption;
  DWORD process;
  HWND found;
};

BOOL CALLBACK MessageBoxVisit(HWND window, LPARAM parameter) {
  auto& s = *reinterpret_cast<BoxSearch*>(parameter);
  char className[16] = {};
  char title[64] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (std::string(className) == "#32770" && (s.caption == nullptr || std::string(title) == s.caption) && IsWindowVisible(window) &&
      GetDlgItem(window, 0xFFFF) != nullptr && (s.process == 0 || s.process == process)) {
    s.found = window;
    return FALSE;
  }
  return TRUE;
}

constexpr char kAppDefaults[] = "Software\\Wine\\AppDefaults\\Qorv.exe";

}  // namespace

HWND VisibleOwnedWindow(HWND owner, const std::function<bool(HWND)>& fits) {
  OwnedSearch search{owner, fits, nullptr};
  EnumWindows(&OwnedWindowVisit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND VisibleOwnedWindowWith(HWND owner, int controlId) {
  return VisibleOwnedWindow(owner, [controlId](HWND window) { return GetDlgItem(window, controlId) != nullptr; });
}

HWND VisibleMessageBox(const char* caption, HWND ofProcessOf) {
  BoxSearch search{caption, 0, nullptr};
  if (ofProcessOf != nullptr) GetWindowThreadProcessId(ofProcessOf, &search.process);
  EnumWindows(&MessageBoxVisit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string MessageBoxText(HWND box) { return TextOfWindow(GetDlgItem(box, 0xFFFF)); }

ReportedWindowsVersion::ReportedWindowsVersion(const char* version) {
  if (version == nullptr) return;
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  created_ = true;
  set_ = RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                        static_cast<DWORD>(std::strlen(version) + 1)) == ERROR_SUCCESS;
  RegCloseKey(key);
}

ReportedWindowsVersion::~ReportedWindowsVersion() {
  if (created_) RegDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults);
}

}  // namespace vantrel::winetest

#include <shlobj.h>

namespace vantrel::winetest {

std::string FallbackSettingsFolderOfUser() {
  char appData[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, FALSE);
  return std::string(appData) + "\\Vantrel";
}

std::string FallbackSettingsFileOfUser() { return FallbackSettingsFolderOfUser() + "\\SetupData.Sav"; }

void RemoveFallbackSettings() {
  const std::string folder = FallbackSettingsFolderOfUser();
  for (const char* name : {"\\SetupData.Sav", "\\SetupData.Sav.tmp", "\\SetupData.Sav.bad"}) {
    DeleteFileA((folder + name).c_str());
  }
  DeleteFileA(folder.c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace vantrel::winetest
