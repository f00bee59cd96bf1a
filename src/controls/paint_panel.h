#pragma once
// The framed background of the program's windows, painted from their
// WM_PAINT handlers with the paint DC and the client rectangle.

#include <windows.h>

#include "controls/panel_layout.h"

namespace vantrel {

// The standard panel: fill band in fill, inner area inset 20.
void PaintPanel(HDC dc, const RECT& client, COLORREF fill);
// The same frame with another inner area (inset, border and surface).
void PaintPanel(HDC dc, const RECT& client, const PanelLook& look);

}  // namespace vantrel
