#pragma once
// An edit field in chosen colours (opaque text background).

#include <windows.h>

#include "controls/coloured_control.h"

namespace vantrel {

class ColorEdit : public ColouredControl {
 protected:
  HBRUSH OnReflectedCtlColor(HDC dc, int kind) override;
};

}  // namespace vantrel
