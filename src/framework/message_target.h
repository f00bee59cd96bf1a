#pragma once
// The part of our window objects that the message loops see: an object is
// found again from its window handle, and it can look at a message before
// it is translated and dispatched.

#include <windows.h>

namespace vantrel {

class MessageTarget {
 public:
  MessageTarget() = default;
  virtual ~MessageTarget() = default;
  MessageTarget(const MessageTarget&) = delete;
  MessageTarget& operator=(const MessageTarget&) = delete;

  // Every queued message for this window or one of its children passes
  // here first (innermost window first); true swallows the message.
  virtual bool PreTranslateMessage(MSG& message);

  // The object bound to a window by Register, or null.
  static MessageTarget* FromHandle(HWND window);

 protected:
  static void Register(HWND window, MessageTarget* target);
  static void Unregister(HWND window);

  // Keyboard navigation of a dialog (IsDialogMessage); only dialogs do it.
  virtual bool TranslateDialogKeys(MSG& message);

  friend bool PreTranslate(MSG& message);
};

// One queued message through PreTranslateMessage of its window and each
// parent up to the top-level window, then that window's dialog keys. True
// when the message was used up and must not be dispatched.
bool PreTranslate(MSG& message);

}  // namespace vantrel
