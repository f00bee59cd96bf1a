#include "platform/win32/wide_path_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>

namespace vantrel {

namespace {

constexpr char kWideNameMark = '\xFF';
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsAscii(const std::wstring& text) {
  return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; });
}

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string EncodedName(const std::wstring& name) {
  std::string encoded(1, kWideNameMark);
  for (const wchar_t unit : name) {
    const auto value = static_cast<unsigned>(unit) & 0xFFFFu;
    for (int shift = 12; shift >= 0; shift -= 4) encoded += kHexDigits[(value >> shift) & 0xF];
  }
  return encoded;
}

int HexValue(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  return -1;
}

// The name an encoded name stands for; false when name is not one.
bool DecodedName(const std::string& name, std::wstring& decoded) {
  if (name.size() < 5 || name[0] != kWideNameMark || (name.size() - 1) % 4 != 0) return false;
  decoded.clear();
  for (std::size_t i = 1; i < name.size(); i += 4) {
    unsigned value = 0;
    for (std::size_t j = i; j < i + 4; ++j) {
      const int digit = HexValue(name[j]);
      if (digit < 0) return false;
      value = value * 16 + static_cast<unsigned>(digit);
    }
    decoded += static_cast<wchar_t>(value);
  }
  return true;
}

std::wstring WideFromAnsi(const std::string& text) {
  if (IsAscii(text)) return std::wstring(text.begin(), text.end());
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), needed);
  return wide;
}

bool StartsWith(const std::wstring& text, const wchar_t* head) {
  return text.compare(0, wcslen(head), head) == 0;
}

bool IsCanonical(const std::wstring& rest) {
  std::size_t start = 0;
  while (start < rest.size()) {
    std::size_t end = rest.find(L'\\', start);
    if (end == std::wstring::npos) end = rest.size();
    const std::wstring name = rest.substr(start, end - start);
    if (name.empty() && end != rest.size()) return false;
    if (name == L"." || name == L"..") return false;
    start = end + 1;
  }
  return rest.find(L'/') == std::wstring::npos;
}

}  // namespace

// Most names are plain ASCII, which the code page holds as it is; they skip
// the conversions, which a walk would otherwise pay for every entry.
std::string NarrowName(const std::wstring& name) {
  if (IsAscii(name)) return std::string(name.begin(), name.end());
  const int length = static_cast<int>(name.size());
  BOOL lost = FALSE;
  const int needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), length, nullptr,
                                         0, nullptr, &lost);
  if (needed <= 0 || lost) return EncodedName(name);
  std::string narrow(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), length, narrow.data(), needed,
                      nullptr, &lost);
  if (lost || narrow[0] == kWideNameMark || WideFromAnsi(narrow) != name) return EncodedName(name);
  return narrow;
}

std::string NarrowPath(const std::wstring& path) {
  std::string narrow;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = path.find(L'\\', start);
    narrow += NarrowName(path.substr(start, end == std::wstring::npos ? end : end - start));
    if (end == std::wstring::npos) return narrow;
    narrow += '\\';
    start = end + 1;
  }
}

std::wstring WideName(const std::string& name) {
  std::wstring decoded;
  return DecodedName(name, decoded) ? decoded : WideFromAnsi(name);
}

std::wstring WidePath(const std::string& path) {
  std::wstring wide;
  std::size_t start = 0;
  for (;;) {
    // A backslash is never the trail byte of a CP949 character.
    const std::size_t end = path.find('\\', start);
    wide += WideName(path.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) return wide;
    wide += L'\\';
    start = end + 1;
  }
}

std::wstring ExactPathForm(const std::wstring& path) {
  if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\' && IsCanonical(path.substr(3))) {
    return L"\\\\?\\" + path;
  }
  if (StartsWith(path, L"\\\\") && !StartsWith(path, L"\\\\?\\") && !StartsWith(path, L"\\\\.\\") &&
      IsCanonical(path.substr(2))) {
    return L"\\\\?\\UNC\\" + path.substr(2);
  }
  return path;
}

}  // namespace vantrel
