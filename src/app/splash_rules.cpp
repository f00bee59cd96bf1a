#include "app/splash_rules.h"

namespace vantrel {

namespace {

constexpr Colour kBlinkColours[splash::kColourCount] = {
    MakeColour(0x84, 0xFF, 0xFF), MakeColour(0x00, 0xFF, 0x99), MakeColour(0x66, 0x33, 0xFF),
    MakeColour(0x00, 0x99, 0xCC), MakeColour(0xFF, 0x00, 0x00),
};

}  // namespace

bool UsesRegion(const std::string& osName) {
  return osName == "Windows NT 4.0" || osName == "Windows 2000" || osName == "Windows XP";
}

Colour BlinkColour(int colourIndex) {
  return kBlinkColours[colourIndex >= 0 && colourIndex < splash::kColourCount ? colourIndex : 0];
}

int NextColourIndex(int colourIndex) { return colourIndex >= splash::kColourCount - 1 ? 0 : colourIndex + 1; }

}  // namespace vantrel
