#pragma once
// Colours as the system keeps them (COLORREF layout 0x00BBGGRR), for the
// portable drawing arithmetic.

#include <cstdint>

namespace vantrel {

using Colour = std::uint32_t;

constexpr Colour MakeColour(int red, int green, int blue) {
  return static_cast<Colour>(red & 0xFF) | (static_cast<Colour>(green & 0xFF) << 8) |
         (static_cast<Colour>(blue & 0xFF) << 16);
}
constexpr int RedOf(Colour colour) { return static_cast<int>(colour & 0xFF); }
constexpr int GreenOf(Colour colour) { return static_cast<int>((colour >> 8) & 0xFF); }
constexpr int BlueOf(Colour colour) { return static_cast<int>((colour >> 16) & 0xFF); }

}  // namespace vantrel
