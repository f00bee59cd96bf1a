#pragma once
// What the settings window and the two entry windows share: their colours
// and reading a control's text.

#include <windows.h>

#include <string>

namespace vantrel {

constexpr COLORREF kSettingsPanelFill = RGB(0x66, 0x99, 0xFF);
constexpr COLORREF kSettingsButtonFace = RGB(0xEA, 0xED, 0xF4);
constexpr COLORREF kSettingsButtonText = RGB(0x00, 0x00, 0x00);
constexpr COLORREF kSettingsLabelText = RGB(0x00, 0x00, 0x00);
constexpr COLORREF kSettingsLabelBackground = RGB(0xF8, 0xFB, 0xFB);

// The text of control id of dialog (CP949).
inline std::string ItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  const int length = GetWindowTextLengthA(item);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(item, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace vantrel
