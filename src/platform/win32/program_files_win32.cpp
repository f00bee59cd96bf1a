#include "platform/win32/program_files_win32.h"

#include <windows.h>

#include <vector>

#include "platform/program_header.h"
#include "platform/win32/handles.h"

namespace vantrel {

namespace {

bool ReadVersion(const std::string& path, ProgramVersion& version) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return false;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return false;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || fixed == nullptr ||
      length < sizeof *fixed || fixed->dwSignature != VS_FFI_SIGNATURE) {
    return false;
  }
  version = {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
             LOWORD(fixed->dwFileVersionLS)};
  return true;
}

}  // namespace

ProgramFacts Win32ProgramFiles::Inspect(const std::string& path) {
  ProgramFacts facts;
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return facts;
  DWORD sizeHigh = 0;
  const DWORD sizeLow = GetFileSize(file.get(), &sizeHigh);
  if (sizeLow == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return facts;
  std::vector<char> head(kProgramHeaderBytes);
  DWORD read = 0;
  if (!ReadFile(file.get(), head.data(), static_cast<DWORD>(head.size()), &read, nullptr)) return facts;
  file.Close();
  const ProgramHeader header = ReadProgramHeader(std::string_view(head.data(), read),
                                                 (static_cast<std::uint64_t>(sizeHigh) << 32) | sizeLow);
  facts.whole = header.whole;
  facts.machine = header.machine;
  facts.hasVersion = header.whole && ReadVersion(path, facts.version);
  return facts;
}

}  // namespace vantrel
