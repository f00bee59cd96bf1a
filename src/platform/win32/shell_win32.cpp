#include "platform/win32/shell_win32.h"

#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/wide_path_win32.h"

namespace vantrel {

namespace {

// Known folders that have no CSIDL; the shell names them from Windows Vista
// on, with SHGetKnownFolderPath, which Windows XP lacks.
constexpr GUID kUserProfilesFolder = {0x0762D272, 0xC50A, 0x4BB0, {0xA3, 0x82, 0x69, 0x7D, 0xCD, 0x72, 0x9B, 0x80}};
constexpr GUID kLocalAppDataLowFolder = {0xA520A1A4, 0x1780, 0x4FF6, {0xBD, 0x18, 0x16, 0x73, 0x43, 0xC5, 0xAF, 0x16}};
constexpr GUID kPublicFolder = {0xDFDF76A2, 0xC82A, 0x4D63, {0x90, 0x6A, 0x56, 0x44, 0xAC, 0x45, 0x73, 0x85}};

using KnownFolderLookup = HRESULT(WINAPI*)(const GUID&, DWORD, HANDLE, PWSTR*);

std::string KnownFolder(const GUID& folder) {
  const HMODULE shell32 = GetModuleHandleA("shell32.dll");
  const auto lookup = shell32 == nullptr ? nullptr
                                         : reinterpret_cast<KnownFolderLookup>(reinterpret_cast<void (*)()>(
                                               GetProcAddress(shell32, "SHGetKnownFolderPath")));
  if (lookup == nullptr) return std::string();
  PWSTR path = nullptr;
  std::string narrow;
  if (SUCCEEDED(lookup(folder, 0, nullptr, &path)) && path != nullptr) narrow = NarrowPath(path);
  CoTaskMemFree(path);
  return narrow;
}

// Where Windows XP keeps the profiles: "%SystemDrive%\Documents and
// Settings" in the profile list's settings.
std::string ProfilesDirectoryOfProfileList() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList", 0,
                    KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return std::string();
  }
  wchar_t stored[MAX_PATH] = {};
  DWORD size = sizeof stored - sizeof(wchar_t);
  DWORD type = 0;
  const LONG result = RegQueryValueExW(key, L"ProfilesDirectory", nullptr, &type,
                                       reinterpret_cast<BYTE*>(stored), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::string();
  wchar_t expanded[MAX_PATH] = {};
  const DWORD length = ExpandEnvironmentStringsW(stored, expanded, MAX_PATH);
  return length == 0 || length > MAX_PATH ? std::string() : NarrowPath(expanded);
}

}  // namespace

bool Win32Shell::SpecialFolderPath(int folder, char* buffer) {
  return SHGetSpecialFolderPathA(owner_, buffer, folder, FALSE) != FALSE;
}

std::size_t Win32Shell::TempPath(std::size_t size, char* buffer) {
  return GetTempPathA(static_cast<DWORD>(size), buffer);
}

RecycleBinInfo Win32Shell::QueryRecycleBin() {
  // 20 bytes on 32-bit Windows, where the record is packed; 24 on 64-bit.
  SHQUERYRBINFO query = {};
  query.cbSize = sizeof(query);
  RecycleBinInfo info;
  info.ok = SHQueryRecycleBinA(nullptr, &query) == S_OK;
  if (info.ok) {
    info.size = query.i64Size;
    info.items = query.i64NumItems;
  }
  return info;
}

bool Win32Shell::EmptyRecycleBin(unsigned flags) {
  return SHEmptyRecycleBinA(nullptr, nullptr, flags) == S_OK;
}

std::vector<std::string> Win32Shell::ImportantFolders() {
  static const int kFolders[] = {
      CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_STARTMENU,
      CSIDL_COMMON_STARTMENU, CSIDL_PROGRAMS,                CSIDL_COMMON_PROGRAMS,
      CSIDL_PROFILE,          CSIDL_PERSONAL,                CSIDL_APPDATA,
      CSIDL_LOCAL_APPDATA,    CSIDL_COMMON_APPDATA,          CSIDL_PROGRAM_FILES,
      CSIDL_PROGRAM_FILESX86, CSIDL_WINDOWS,                 CSIDL_SYSTEM,
      CSIDL_SYSTEMX86};
  // Asked in UTF-16 and spelt as the file adapter spells names, so that a
  // folder whose name the code page cannot hold is still recognised.
  std::vector<std::string> folders;
  for (const int folder : kFolders) {
    wchar_t buffer[MAX_PATH] = {};
    if (SHGetSpecialFolderPathW(owner_, buffer, folder, FALSE) && buffer[0] != L'\0') {
      folders.push_back(NarrowPath(buffer));
    }
  }
  // A 32-bit program on 64-bit Windows is shown "Program Files (x86)" for
  // both Program Files folders; the 64-bit one is named only here.
  wchar_t native[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"ProgramW6432", native, MAX_PATH);
  if (length > 0 && length < MAX_PATH) folders.push_back(NarrowPath(std::wstring(native, length)));
  for (const GUID* known : {&kLocalAppDataLowFolder, &kPublicFolder}) {
    std::string folder = KnownFolder(*known);
    if (!folder.empty()) folders.push_back(std::move(folder));
  }
  return folders;
}

std::string Win32Shell::ProfilesFolder() {
  const std::string known = KnownFolder(kUserProfilesFolder);
  return known.empty() ? ProfilesDirectoryOfProfileList() : known;
}

}  // namespace vantrel
