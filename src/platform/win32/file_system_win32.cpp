#include "platform/win32/file_system_win32.h"

#include <windows.h>
#include <io.h>

#include <algorithm>
#include <cstdio>

#include "platform/win32/handles.h"
#include "platform/win32/wide_path_win32.h"

namespace vantrel {

namespace {

// Works in UTF-16 so that every name can be found and handed back; see
// wide_path_win32.h.
class Win32Finder : public DirectoryFinder {
 public:
  Win32Finder(HANDLE handle, const WIN32_FIND_DATAW& first) : handle_(handle), data_(first) {}
  ~Win32Finder() override { FindClose(handle_); }
  Win32Finder(const Win32Finder&) = delete;
  Win32Finder& operator=(const Win32Finder&) = delete;

  bool Next(DirEntry& entry) override {
    if (!pending_) return false;
    entry.name = NarrowName(data_.cFileName);
    entry.attributes = data_.dwFileAttributes;
    entry.isDirectory = (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isReparsePoint = (data_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entry.sizeLow = data_.nFileSizeLow;
    entry.sizeHigh = data_.nFileSizeHigh;
    pending_ = FindNextFileW(handle_, &data_) != FALSE;
    return true;
  }

 private:
  HANDLE handle_;
  WIN32_FIND_DATAW data_;
  bool pending_ = true;
};

std::wstring SystemPath(const std::string& path) { return ExactPathForm(WidePath(path)); }

// Windows XP 32-bit has no file-system redirection and lacks both.
using RedirectionOff = BOOL(WINAPI*)(PVOID*);
using RedirectionBack = BOOL(WINAPI*)(PVOID);

template <typename Function>
Function Kernel32Function(const char* name) {
  const HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
  if (kernel32 == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(kernel32, name)));
}

// While it lives, this thread sees the file system as a 64-bit program
// does, when it is a 32-bit program on 64-bit Windows.
class NativeView {
 public:
  NativeView()
      : disable_(Kernel32Function<RedirectionOff>("Wow64DisableWow64FsRedirection")),
        revert_(Kernel32Function<RedirectionBack>("Wow64RevertWow64FsRedirection")) {
    if (disable_ != nullptr && revert_ != nullptr) off_ = disable_(&previous_) != FALSE;
  }
  ~NativeView() {
    if (off_) revert_(previous_);
  }
  NativeView(const NativeView&) = delete;
  NativeView& operator=(const NativeView&) = delete;

 private:
  RedirectionOff disable_;
  RedirectionBack revert_;
  PVOID previous_ = nullptr;
  bool off_ = false;
};

// The path without the \\?\ (or \\?\UNC\) that ExactPathForm put before it.
std::wstring WithoutExactPrefix(const std::wstring& path) {
  if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\\\" + path.substr(8);
  if (path.compare(0, 4, L"\\\\?\\") == 0) return path.substr(4);
  return path;
}

// The folder itself, behind every link and junction on the way, for its
// information only.
FileHandle OpenFolder(const std::string& path) {
  return FileHandle(CreateFileW(SystemPath(path).c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

}  // namespace

std::unique_ptr<DirectoryFinder> Win32FileSystem::Find(const std::string& pattern) {
  WIN32_FIND_DATAW data;
  HANDLE handle = FindFirstFileW(SystemPath(pattern).c_str(), &data);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32Finder>(handle, data);
}

bool Win32FileSystem::Delete(const std::string& path) {
  return ::DeleteFileW(SystemPath(path).c_str()) != FALSE;
}

// RemoveDirectoryW is what _rmdir calls: it removes an empty folder only.
bool Win32FileSystem::RemoveEmptyFolder(const std::string& path) {
  return ::RemoveDirectoryW(SystemPath(path).c_str()) != FALSE;
}

bool Win32FileSystem::Exists(const std::string& path) { return _access(path.c_str(), 0) == 0; }

std::string Win32FileSystem::FullPath(const std::string& path) {
  if (path.empty()) return std::string();
  const std::wstring wide = WidePath(path);
  std::wstring full(MAX_PATH, L'\0');
  DWORD length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  if (length == 0 || length >= full.size()) return std::string();
  full.resize(length);

  // Wine expands no short names behind \\?\, so that form is kept for the
  // paths that need it.
  const std::wstring asked = full.size() < MAX_PATH ? full : ExactPathForm(full);
  std::wstring expanded(asked.size() + MAX_PATH, L'\0');
  const DWORD expandedLength =
      GetLongPathNameW(asked.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
  if (expandedLength == 0 || expandedLength >= expanded.size()) {
    // A path that does not exist keeps the names it was given. One that
    // exists but cannot be had in its long form might be a short name that
    // hides what it names, so it is not resolved at all, unless it holds no
    // short name: a folder the system shows to no search, such as the
    // Sysnative of a 32-bit program, has no other name.
    const bool exists = GetFileAttributesW(ExactPathForm(full).c_str()) != INVALID_FILE_ATTRIBUTES;
    const bool maybeShort = full.find(L'~') != std::wstring::npos;
    return exists && maybeShort ? std::string() : NarrowPath(full);
  }
  expanded.resize(expandedLength);
  return NarrowPath(WithoutExactPrefix(expanded));
}

// The volume and the file index, which the system keeps for the folder
// itself: opening goes through links and junctions to the folder behind.
std::string Win32FileSystem::FolderIdentity(const std::string& path) {
  const FileHandle folder = OpenFolder(path);
  BY_HANDLE_FILE_INFORMATION information;
  if (!folder || !GetFileInformationByHandle(folder.get(), &information)) return std::string();
  char identity[32];
  std::snprintf(identity, sizeof identity, "%08lX:%08lX%08lX",
                static_cast<unsigned long>(information.dwVolumeSerialNumber),
                static_cast<unsigned long>(information.nFileIndexHigh),
                static_cast<unsigned long>(information.nFileIndexLow));
  return identity;
}

std::string Win32FileSystem::NativeFolderIdentity(const std::string& path) {
  const NativeView native;
  return FolderIdentity(path);
}

// GetFinalPathNameByHandleW came with Windows Vista.
std::string Win32FileSystem::FinalFolderPath(const std::string& path) {
  using FinalPathQuery = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
  const auto query = Kernel32Function<FinalPathQuery>("GetFinalPathNameByHandleW");
  if (query == nullptr) return std::string();
  const FileHandle folder = OpenFolder(path);
  if (!folder) return std::string();
  constexpr DWORD kDosVolumeName = 0;
  std::wstring final(MAX_PATH, L'\0');
  DWORD length = query(folder.get(), final.data(), static_cast<DWORD>(final.size()), kDosVolumeName);
  if (length >= final.size()) {
    final.resize(length + 1);
    length = query(folder.get(), final.data(), static_cast<DWORD>(final.size()), kDosVolumeName);
  }
  if (length == 0 || length >= final.size()) return std::string();
  final.resize(length);
  final = WithoutExactPrefix(final);
  const bool onDrive = final.size() >= 3 && final[1] == L':' && final[2] == L'\\';
  const bool onShare = final.compare(0, 2, L"\\\\") == 0 && final.compare(0, 4, L"\\\\?\\") != 0;
  return onDrive || onShare ? NarrowPath(final) : std::string();
}

std::vector<std::string> Win32FileSystem::DriveRoots() {
  std::vector<std::string> roots;
  const DWORD drives = GetLogicalDrives();
  for (int letter = 0; letter < 26; ++letter) {
    if ((drives & (1u << letter)) == 0) continue;
    const std::string root = std::string(1, static_cast<char>('A' + letter)) + ":\\";
    // Removable and optical drives may have no medium to open, and a network
    // drive's server may keep every run waiting; a link to a share's root
    // is known by where it leads (FinalFolderPath) instead.
    const UINT type = GetDriveTypeA(root.c_str());
    if (type == DRIVE_FIXED || type == DRIVE_RAMDISK) roots.push_back(root);
  }
  return roots;
}

ReadResult Win32FileSystem::Read(const std::string& path, std::string& bytes) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::kMissing
                                                                           : ReadResult::kFailed;
  }
  bytes.clear();
  char buffer[4096];
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return ReadResult::kFailed;
    if (read == 0) return ReadResult::kOk;
    bytes.append(buffer, read);
  }
}

bool Win32FileSystem::Write(const std::string& path, const std::string& bytes) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    if (!::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return FlushFileBuffers(file.get()) != FALSE && file.Close();
}

bool Win32FileSystem::MoveReplacing(const std::string& from, const std::string& to) {
  // Windows refuses to replace a read-only file; Wine renames over it. Refuse
  // here too, so a file the user protected stays as it is everywhere.
  const DWORD attributes = GetFileAttributesA(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
         FALSE;
}

bool Win32FileSystem::Copy(const std::string& from, const std::string& to) {
  return ::CopyFileA(from.c_str(), to.c_str(), TRUE) != FALSE;
}

bool Win32FileSystem::LastWriteTime(const std::string& path, std::uint64_t& time) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return false;
  }
  time = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
  return true;
}

bool Win32FileSystem::MakeFolder(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace vantrel
