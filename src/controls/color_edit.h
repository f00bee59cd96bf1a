#pragma once
// An edit field in chosen colours (opaque text background).

#include <windows.h>

#include "framework/control.h"
#include "framework/gdi_handles.h"

namespace vantrel {

class ColorEdit : public Control {
 public:
  // Taken at the next repaint.
  void SetColours(COLORREF text, COLORREF background);

  COLORREF TextColour() const { return text_; }
  COLORREF BackgroundColour() const { return background_; }

 protected:
  HBRUSH OnReflectedCtlColor(HDC dc, int kind) override;

 private:
  COLORREF background_ = RGB(0xFF, 0xFF, 0xFF);
  COLORREF text_ = RGB(0x00, 0x00, 0x00);
  Brush brush_;  // of background_, renewed when it changes
};

}  // namespace vantrel
