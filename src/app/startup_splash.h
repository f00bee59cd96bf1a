#pragma once
// The picture shown in the middle of the screen while the program starts:
// a plain rectangular window with the splash bitmap.

#include <windows.h>

#include "framework/gdi_handles.h"
#include "framework/window_handles.h"

namespace vantrel {

class StartupSplash {
 public:
  // Shows the splash centred on the screen; it goes with the object.
  StartupSplash();

  HWND hwnd() const { return window_.get(); }

 private:
  Bitmap picture_;
  OwnedWindow window_;  // after picture_: the window goes before its bitmap
};

}  // namespace vantrel
