#pragma once
// Tooltips for the controls of one window. The window relays its mouse
// messages from PreTranslateMessage (RelayEvent), as the tooltip does not
// subclass the controls itself.

#include <windows.h>

#include <string>

#include "framework/window_handles.h"

namespace vantrel {

class ToolTip {
 public:
  ToolTip() = default;

  // Creates the tooltip window for parent (style 0 besides WS_POPUP).
  bool Create(HWND parent);
  // Shows text (CP949) while the pointer rests on control.
  bool AddTool(HWND control, const std::string& text);
  // Passes a queued message on to the tooltip (TTM_RELAYEVENT).
  void RelayEvent(const MSG& message);

  HWND hwnd() const { return window_.get(); }

 private:
  HWND parent_ = nullptr;
  OwnedWindow window_;
};

}  // namespace vantrel
