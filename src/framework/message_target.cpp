#include "framework/message_target.h"

namespace vantrel {

namespace {
constexpr char kTargetProperty[] = "Vantrel.MessageTarget";
}

bool MessageTarget::PreTranslateMessage(MSG&) { return false; }

bool MessageTarget::TranslateDialogKeys(MSG&) { return false; }

MessageTarget* MessageTarget::FromHandle(HWND window) {
  if (window == nullptr) return nullptr;
  return static_cast<MessageTarget*>(GetPropA(window, kTargetProperty));
}

void MessageTarget::Register(HWND window, MessageTarget* target) { SetPropA(window, kTargetProperty, target); }

void MessageTarget::Unregister(HWND window) { RemovePropA(window, kTargetProperty); }

bool PreTranslate(MSG& message) {
  HWND window = message.hwnd;
  if (window == nullptr) return false;
  for (;;) {
    if (MessageTarget* target = MessageTarget::FromHandle(window)) {
      if (target->PreTranslateMessage(message)) return true;
    }
    if ((GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) == 0) break;
    HWND parent = GetParent(window);
    if (parent == nullptr) break;
    window = parent;
  }
  MessageTarget* top = MessageTarget::FromHandle(window);
  return top != nullptr && top->TranslateDialogKeys(message);
}

}  // namespace vantrel
