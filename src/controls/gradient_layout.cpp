#include "controls/gradient_layout.h"

#include <algorithm>
#include <cstdlib>

namespace vantrel {

int GradientFillWidth(int lower, int upper, int position, int clientWidth) {
  if (!(lower < position && position < upper)) return -1;
  const double width = static_cast<double>(position) / upper * clientWidth;
  // A negative position (negative lower bound) or an upper bound of 0 would
  // leave the range of int; such a bar fills nothing before its first band.
  return static_cast<int>(std::clamp(width, 0.0, static_cast<double>(std::max(clientWidth, 0))));
}

std::vector<GradientBand> GradientBands(int clientWidth, Colour start, Colour end) {
  std::vector<GradientBand> bands;
  if (clientWidth <= 0) return bands;
  const int dRed = RedOf(end) - RedOf(start);
  const int dGreen = GreenOf(end) - GreenOf(start);
  const int dBlue = BlueOf(end) - BlueOf(start);
  // One colour from start to end still needs one band to show the fill.
  const int steps = std::max({std::abs(dRed), std::abs(dGreen), std::abs(dBlue), 1});
  const double bandWidth = static_cast<double>(clientWidth) / steps;

  for (int i = 0; i < steps; ++i) {
    const int left = static_cast<int>(i * bandWidth);
    const int right = static_cast<int>((i + 1) * bandWidth);
    const int red = static_cast<int>(RedOf(start) + static_cast<double>(i) * dRed / steps);
    const int green = static_cast<int>(GreenOf(start) + static_cast<double>(i) * dGreen / steps);
    const int blue = static_cast<int>(BlueOf(start) + static_cast<double>(i) * dBlue / steps);
    bands.push_back({left, right, MakeColour(red, green, blue)});
  }
  return bands;
}

GradientLayout LayOutGradient(int lower, int upper, int position, int clientWidth, Colour start, Colour end) {
  GradientLayout layout;
  const int fill = GradientFillWidth(lower, upper, position, clientWidth);
  if (fill < 0 || clientWidth <= 0) return layout;

  for (const GradientBand& band : GradientBands(clientWidth, start, end)) {
    layout.bands.push_back(band);
    if (band.right > fill) {
      layout.backgroundLeft = band.right;
      return layout;
    }
  }
  // Rounding can leave the last band a pixel short of the edge.
  layout.backgroundLeft = layout.bands.back().right;
  return layout;
}

}  // namespace vantrel
