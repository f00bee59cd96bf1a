#pragma once
// What the program's coloured text controls share: a text and a background
// colour, and the brush of the background colour they answer colour requests
// with.

#include <windows.h>

#include "framework/control.h"
#include "framework/gdi_handles.h"

namespace vantrel {

class ColouredControl : public Control {
 public:
  // Taken at the next repaint.
  void SetColours(COLORREF text, COLORREF background);

  COLORREF TextColour() const { return text_; }
  COLORREF BackgroundColour() const { return background_; }

 protected:
  // Made once, renewed when the background colour changes.
  HBRUSH BackgroundBrush();

 private:
  COLORREF background_ = RGB(0xFF, 0xFF, 0xFF);
  COLORREF text_ = RGB(0x00, 0x00, 0x00);
  Brush brush_;
};

}  // namespace vantrel
