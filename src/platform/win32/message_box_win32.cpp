#include "platform/win32/message_box_win32.h"

namespace vantrel {

int Win32MessageBoxes::Show(const std::string& text, const std::string& caption, unsigned style) {
  return MessageBoxA(owner_, text.c_str(), caption.c_str(), style);
}

}  // namespace vantrel
