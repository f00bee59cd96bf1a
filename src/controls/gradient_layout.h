#pragma once
// What a gradient progress bar paints for a range, a position and a client
// width: colour bands from the start to the end colour up to the band that
// crosses the fill width, then the background.

#include <vector>

#include "controls/colour.h"

namespace vantrel {

struct GradientBand {
  int left;
  int right;  // exclusive
  Colour colour;
};

struct GradientLayout {
  std::vector<GradientBand> bands;  // left to right
  int backgroundLeft = 0;           // background from here to the client's right edge

  // Where the gradient ends: 0 for an empty bar.
  int PaintedWidth() const { return backgroundLeft; }
};

// The fill width, or -1 when the bar shows empty: it is empty unless
// lower < position < upper. The lower bound takes no part in the width.
int GradientFillWidth(int lower, int upper, int position, int clientWidth);

GradientLayout LayOutGradient(int lower, int upper, int position, int clientWidth, Colour start, Colour end);

// LayOutGradient(...).PaintedWidth() without laying out the bands: a run
// asks for it at every new position.
int GradientPaintedWidth(int lower, int upper, int position, int clientWidth, Colour start, Colour end);

// Every band of a full bar: what LayOutGradient gives when the fill width
// reaches the client's right edge. The bands of any position are its first
// ones.
std::vector<GradientBand> GradientBands(int clientWidth, Colour start, Colour end);

}  // namespace vantrel
