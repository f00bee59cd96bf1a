#include "platform/win32/console_output_win32.h"

#include <vector>

namespace vantrel {

namespace {

std::wstring Wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string InCodePage(const std::string& text, UINT codePage) {
  if (codePage == GetACP() || text.empty()) return text;
  const std::wstring wide = Wide(text);
  const int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  if (length <= 0) return text;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(),
                      length, nullptr, nullptr);
  return bytes;
}

std::string WithWindowsLineEnds(const std::string& text) {
  std::string lines;
  lines.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') lines += '\r';
    lines += c;
  }
  return lines;
}

}  // namespace

Win32ConsoleOutput::Win32ConsoleOutput()
    : out_(Open(STD_OUTPUT_HANDLE)), err_(Open(STD_ERROR_HANDLE)), codePage_(GetConsoleOutputCP()) {
  if (codePage_ == 0) codePage_ = GetACP();
}

Win32ConsoleOutput::Stream Win32ConsoleOutput::Open(DWORD which) {
  Stream stream;
  stream.handle = GetStdHandle(which);
  if (stream.handle == INVALID_HANDLE_VALUE) stream.handle = nullptr;
  DWORD mode = 0;
  stream.console = stream.handle != nullptr && GetConsoleMode(stream.handle, &mode) != FALSE;
  return stream;
}

void Win32ConsoleOutput::WriteTo(const Stream& stream, const std::string& text) {
  // A scheduled task may run without any standard handles at all.
  if (stream.handle == nullptr || text.empty()) return;
  if (stream.console) {
    const std::wstring wide = Wide(text);
    DWORD written = 0;
    WriteConsoleW(stream.handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  const std::string bytes = InCodePage(WithWindowsLineEnds(text), codePage_);
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    if (!WriteFile(stream.handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                   &written, nullptr) ||
        written == 0) {
      return;
    }
    done += written;
  }
}

}  // namespace vantrel
