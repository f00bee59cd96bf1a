#pragma once
// A static text or check box drawn in chosen colours: it answers the colour
// request its parent reflects to it (static and edit kinds only) with a
// transparent text background and a brush of the background colour.

#include <windows.h>

#include <string>

#include "framework/control.h"
#include "framework/gdi_handles.h"
#include "platform/progress_view.h"

namespace vantrel {

class ColorLabel : public Control, public LabelView {
 public:
  // Taken at the next repaint.
  void SetColours(COLORREF text, COLORREF background);
  // The window text (CP949).
  void SetText(const std::string& text) override;

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
