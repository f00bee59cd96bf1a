#pragma once
// The framed panel the windows paint as their background: four frame
// rectangles shading from light grey to near black, a band of the fill
// colour, and a light inner area with a thin border.

#include <array>

#include "controls/colour.h"

namespace vantrel {

struct PanelRect {
  int left;
  int top;
  int right;
  int bottom;
};

struct PanelInsets {
  int left;
  int top;
  int right;
  int bottom;
};

struct PanelLook {
  Colour fill;         // the band inside the frame
  PanelInsets inner;   // where the inner area starts, from the client edges
  Colour innerPen;     // its border
  Colour innerBrush;   // its surface
};

// The look of most windows: fill band, inner area inset 20 with a blue
// border on RGB(0xF8, 0xFB, 0xFB).
PanelLook StandardPanelLook(Colour fill);
// The side windows' look: the standard panel with a magenta inner border,
// inset 22 at top and bottom.
PanelLook SideWindowPanelLook(Colour fill);

struct PanelStep {
  PanelRect rect;  // drawn with Rectangle: pen outline, brush inside
  Colour pen;
  Colour brush;
};

std::array<PanelStep, 6> PanelSteps(const PanelRect& client, const PanelLook& look);

}  // namespace vantrel
