#pragma once
// Owning wrappers for window and menu handles.

#include <windows.h>

namespace vantrel {

// A window destroyed with the wrapper (unless the system destroyed it first).
class OwnedWindow {
 public:
  explicit OwnedWindow(HWND window = nullptr) : window_(window) {}
  ~OwnedWindow() { Reset(); }
  OwnedWindow(const OwnedWindow&) = delete;
  OwnedWindow& operator=(const OwnedWindow&) = delete;
  OwnedWindow(OwnedWindow&& other) noexcept : window_(other.Release()) {}
  OwnedWindow& operator=(OwnedWindow&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  explicit operator bool() const { return window_ != nullptr; }
  HWND get() const { return window_; }

  void Reset(HWND window = nullptr) {
    if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
    window_ = window;
  }
  HWND Release() {
    HWND window = window_;
    window_ = nullptr;
    return window;
  }

 private:
  HWND window_;
};

// A loaded or created menu, destroyed with the wrapper.
class OwnedMenu {
 public:
  explicit OwnedMenu(HMENU menu = nullptr) : menu_(menu) {}
  ~OwnedMenu() { Reset(); }
  OwnedMenu(const OwnedMenu&) = delete;
  OwnedMenu& operator=(const OwnedMenu&) = delete;
  OwnedMenu(OwnedMenu&& other) noexcept : menu_(other.Release()) {}
  OwnedMenu& operator=(OwnedMenu&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  explicit operator bool() const { return menu_ != nullptr; }
  HMENU get() const { return menu_; }

  void Reset(HMENU menu = nullptr) {
    if (menu_ != nullptr) DestroyMenu(menu_);
    menu_ = menu;
  }
  HMENU Release() {
    HMENU menu = menu_;
    menu_ = nullptr;
    return menu;
  }

 private:
  HMENU menu_;
};

}  // namespace vantrel
