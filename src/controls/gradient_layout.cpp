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

namespace {

// One colour from start to end still needs one band to show the fill.
int StepsBetween(Colour start, Colour end) {
  return std::max({std::abs(RedOf(end) - RedOf(start)), std::abs(GreenOf(end) - GreenOf(start)),
                   std::abs(BlueOf(end) - BlueOf(start)), 1});
}

}  // namespace

int GradientPaintedWidth(int lower, int upper, int position, int clientWidth, Colour start, Colour end) {
  const int fill = GradientFillWidth(lower, upper, position, clientWidth);
  if (fill < 0 || clientWidth <= 0) return 0;
  const int steps = StepsBetween(start, end);
  const double bandWidth = static_cast<double>(clientWidth) / steps;
  // The band that crosses the fill width, found from an estimate one short.
  int band = std::max(0, static_cast<int>(fill / bandWidth) - 1);
  while (band < steps && static_cast<int>((band + 1) * bandWidth) <= fill) ++band;
  if (band == steps) return static_cast<int>(steps * bandWidth);
  return static_cast<int>((band + 1) * bandWidth);
}

std::vector<GradientBand> GradientBands(int clientWidth, Colour start, Colour end) {
  std::vector<GradientBand> bands;
  if (clientWidth <= 0) return bands;
  const int dRed = RedOf(end) - RedOf(start);
  const int dGreen = GreenOf(end) - GreenOf(start);
  const int dBlue = BlueOf(end) - BlueOf(start);
  const int steps = StepsBetween(start, end);
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
