#include "platform/win32/file_system_win32.h"

#include <windows.h>
#include <direct.h>
#include <io.h>

#include <algorithm>

#include "platform/win32/handles.h"

namespace vantrel {

namespace {

class Win32Finder : public DirectoryFinder {
 public:
  Win32Finder(HANDLE handle, const WIN32_FIND_DATAA& first) : handle_(handle), data_(first) {}
  ~Win32Finder() override { FindClose(handle_); }
  Win32Finder(const Win32Finder&) = delete;
  Win32Finder& operator=(const Win32Finder&) = delete;

  bool Next(DirEntry& entry) override {
    if (!pending_) return false;
    entry.name = data_.cFileName;
    entry.attributes = data_.dwFileAttributes;
    entry.isDirectory = (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isReparsePoint = (data_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entry.sizeLow = data_.nFileSizeLow;
    entry.sizeHigh = data_.nFileSizeHigh;
    pending_ = FindNextFileA(handle_, &data_) != FALSE;
    return true;
  }

 private:
  HANDLE handle_;
  WIN32_FIND_DATAA data_;
  bool pending_ = true;
};

}  // namespace

std::unique_ptr<DirectoryFinder> Win32FileSystem::Find(const std::string& pattern) {
  WIN32_FIND_DATAA data;
  HANDLE handle = FindFirstFileA(pattern.c_str(), &data);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32Finder>(handle, data);
}

bool Win32FileSystem::Delete(const std::string& path) {
  return ::DeleteFileA(path.c_str()) != FALSE;
}

bool Win32FileSystem::RemoveEmptyFolder(const std::string& path) { return _rmdir(path.c_str()) == 0; }

bool Win32FileSystem::Exists(const std::string& path) { return _access(path.c_str(), 0) == 0; }

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
  return ::CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

}  // namespace vantrel
