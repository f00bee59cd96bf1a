#include "engine/window_docking.h"

#include <cstdlib>

namespace vantrel {

namespace {

// Edges dock when they are less than reach pixels apart. Some edges reach 9
// pixels, some 10.
bool Near(int a, int b, int reach) { return std::abs(a - b) < reach; }

ScreenRect MovedTo(const ScreenRect& rect, int left, int top) {
  return ScreenRect{left, top, left + rect.Width(), top + rect.Height()};
}

// After docking beside the owner: line the tops up, or else the bottoms.
ScreenRect AlignVertically(const ScreenRect& window, const ScreenRect& owner) {
  if (Near(window.top, owner.top, 10)) return MovedTo(window, window.left, owner.top);
  if (Near(window.bottom, owner.bottom, 10)) {
    return MovedTo(window, window.left, owner.bottom - window.Height());
  }
  return window;
}

}  // namespace

ScreenRect DockToOwner(const ScreenRect& window, const ScreenRect& owner) {
  if (Near(window.top, owner.bottom, 9)) {
    ScreenRect docked = MovedTo(window, window.left, owner.bottom);
    if (Near(docked.left, owner.left, 9)) docked = MovedTo(docked, owner.left, docked.top);
    return docked;
  }
  if (Near(window.right, owner.left, 10)) {
    return AlignVertically(MovedTo(window, owner.left - window.Width(), window.top), owner);
  }
  if (Near(window.left, owner.right, 10)) {
    return AlignVertically(MovedTo(window, owner.right, window.top), owner);
  }
  if (Near(window.bottom, owner.top, 9)) {
    ScreenRect docked = MovedTo(window, window.left, owner.top - window.Height());
    if (Near(docked.left, owner.left, 10)) docked = MovedTo(docked, owner.left, docked.top);
    return docked;
  }
  return window;
}

}  // namespace vantrel
