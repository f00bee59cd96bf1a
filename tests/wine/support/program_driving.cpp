#include "program_driving.h"

#include <cstring>
#include <vector>

#include "menu_driving.h"
#include "watchdog.h"
#include "wine_test_support.h"

namespace vantrel::winetest {

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds, const char* file, int line) {
  const char* name = std::strrchr(file, '/');
  WaitNote note(std::string("the condition at ") + (name != nullptr ? name + 1 : file) + ":" + std::to_string(line) +
                " (up to " + std::to_string(milliseconds) + " ms)");
  const DWORD start = GetTickCount();
  do {
    if (condition()) return true;
    Sleep(10);
  } while (GetTickCount() - start < milliseconds);
  return condition();
}

bool OfThisTest(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == 0) return false;
  if (process == GetCurrentProcessId()) return true;
  HANDLE handle = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, process);
  if (handle == nullptr) return false;
  BOOL inJob = FALSE;
  const bool ours = IsProcessInJob(handle, TestJob(), &inJob) && inJob;
  CloseHandle(handle);
  return ours;
}

HWND FindTestWindow(const char* className, const char* title) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, className, title)) != nullptr) {
    if (OfThisTest(window)) return window;
  }
  return nullptr;
}

std::string TitleOf(HWND window) {
  wchar_t title[256] = {};
  const int length = InternalGetWindowText(window, title, 256);
  if (length <= 0) return std::string();
  std::string text(static_cast<std::size_t>(length) * 2, '\0');
  const int bytes = WideCharToMultiByte(CP_ACP, 0, title, length, text.data(), static_cast<int>(text.size()), nullptr,
                                        nullptr);
  text.resize(bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
  return text;
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

bool StartIsOver(HWND mainWindow) {
  return CentredOnScreen(mainWindow) && !TrayHasIcon(mainWindow, kTrayIconId);
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
  DWORD process;  // 0: any process of this test
  HWND found;
};

BOOL CALLBACK MessageBoxVisit(HWND window, LPARAM parameter) {
  auto& s = *reinterpret_cast<BoxSearch*>(parameter);
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (std::string(className) == "#32770" && (s.caption == nullptr || TitleOf(window) == s.caption) &&
      IsWindowVisible(window) && GetDlgItem(window, 0xFFFF) != nullptr &&
      (s.process == 0 ? OfThisTest(window) : s.process == process)) {
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
  if (created_) ForgetReportedWindowsVersion();
}

void ForgetReportedWindowsVersion() { RegDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults); }

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
