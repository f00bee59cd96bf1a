#include "framework/tooltip.h"

#include <commctrl.h>

namespace vantrel {

bool ToolTip::Create(HWND parent) {
  if (window_) return true;
  parent_ = parent;
  window_.Reset(CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, GetModuleHandleA(nullptr),
                                nullptr));
  return static_cast<bool>(window_);
}

bool ToolTip::AddTool(HWND control, const std::string& text) {
  if (!window_ || control == nullptr) return false;
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = parent_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<char*>(text.c_str());
  return SendMessageA(window_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

void ToolTip::RelayEvent(const MSG& message) {
  if (!window_) return;
  MSG copy = message;
  SendMessageA(window_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
}

}  // namespace vantrel
