#pragma once
#include <windows.h>

#include "platform/message_box.h"

namespace vantrel {

// MessageBoxA owned by one window (or none).
class Win32MessageBoxes : public MessageBoxes {
 public:
  explicit Win32MessageBoxes(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  int Show(const std::string& text, const std::string& caption, unsigned style) override;

 private:
  HWND owner_;
};

}  // namespace vantrel
