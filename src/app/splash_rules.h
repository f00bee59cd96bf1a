#pragma once
// What the start-up splash shows and when: the shaped window with the
// blinking word on the NT family, a rectangular picture with a miniature
// of the desktop elsewhere.

#include <string>

#include "controls/colour.h"

namespace vantrel {

struct PixelRect {
  int left, top, right, bottom;
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
};

namespace splash {
// The word's colour changes with every tick of this timer.
constexpr unsigned kBlinkTimer = 1;
constexpr unsigned kBlinkMs = 430;
// Filled with the word's colour; the region leaves only the letters of it.
constexpr PixelRect kWordRect{106, 101, 256, 160};
// Where the rectangular splash paints the desktop, scaled down.
constexpr PixelRect kMiniatureRect{6, 6, 325, 179};
constexpr int kColourCount = 5;
}  // namespace splash

// True on the systems that give the splash its outline from the region
// resource ("Windows NT 4.0", "Windows 2000", "Windows XP").
bool UsesRegion(const std::string& osName);

// The word's colour for colourIndex (0 to 4) and the index after it.
Colour BlinkColour(int colourIndex);
int NextColourIndex(int colourIndex);

}  // namespace vantrel
