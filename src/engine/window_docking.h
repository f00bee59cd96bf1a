#pragma once
// Where the folder-information window goes when it is moved close to the
// outside of its owner window: it docks to the owner's edges.

namespace vantrel {

// A screen rectangle as Windows gives it (right and bottom exclusive).
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
  friend bool operator!=(const ScreenRect& a, const ScreenRect& b) { return !(a == b); }
};

// The rectangle window should move to, given the owner's; the same size as
// window, and equal to window when it stays where it is. The first of these
// that applies decides: below the owner, left of it, right of it, above it.
ScreenRect DockToOwner(const ScreenRect& window, const ScreenRect& owner);

}  // namespace vantrel
