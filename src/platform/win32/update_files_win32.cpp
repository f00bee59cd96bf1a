#include "platform/win32/update_files_win32.h"

#include <io.h>
#include <windows.h>

#include <cstdio>
#include <vector>

#include "platform/win32/handles.h"

namespace vantrel {

namespace {

class Win32OutputFile : public OutputFile {
 public:
  explicit Win32OutputFile(HANDLE handle) : handle_(handle) {}

  WriteResult Write(const char* bytes, std::size_t size) override {
    while (size > 0) {
      DWORD written = 0;
      if (!WriteFile(handle_.get(), bytes, static_cast<DWORD>(size), &written, nullptr)) {
        const DWORD error = GetLastError();
        return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? WriteResult::kDiskFull
                                                                           : WriteResult::kFailed;
      }
      // A write that stops short without an error ran out of room.
      if (written == 0) return WriteResult::kDiskFull;
      bytes += written;
      size -= written;
    }
    return WriteResult::kWritten;
  }

  bool Close() override { return handle_.Close(); }

 private:
  FileHandle handle_;
};

}  // namespace

std::string Win32UpdateFiles::CurrentFolder() {
  // Asked for its length first: a deep folder must not come back empty.
  const DWORD needed = GetCurrentDirectoryA(0, nullptr);
  if (needed == 0) return std::string();
  std::vector<char> buffer(needed + 1, '\0');
  const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
  if (length == 0 || length >= buffer.size()) return std::string();
  return std::string(buffer.data(), length);
}

bool Win32UpdateFiles::Exists(const std::string& path) { return _access(path.c_str(), 0) == 0; }

bool Win32UpdateFiles::Remove(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool Win32UpdateFiles::Rename(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

std::unique_ptr<OutputFile> Win32UpdateFiles::Create(const std::string& path) {
  HANDLE handle =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32OutputFile>(handle);
}

}  // namespace vantrel
