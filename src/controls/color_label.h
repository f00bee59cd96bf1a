#pragma once
// A static text or check box drawn in chosen colours: it answers the colour
// request its parent reflects to it (static and edit kinds only) with a
// transparent text background and a brush of the background colour.

#include <windows.h>

#include <string>

#include "controls/coloured_control.h"
#include "platform/progress_view.h"

namespace vantrel {

class ColorLabel : public ColouredControl, public LabelView {
 public:
  // The window text (CP949).
  void SetText(const std::string& text) override;

 protected:
  HBRUSH OnReflectedCtlColor(HDC dc, int kind) override;
};

}  // namespace vantrel
