#pragma once
// Area resampling of 24-bit pictures, as the splash uses it to shrink a
// snapshot of the desktop into its inner area.

#include <cstdint>
#include <optional>
#include <vector>

namespace vantrel {

// Pixels of a 24-bit bottom-up device-independent bitmap: rows of blue,
// green, red bytes, the last row of the picture first, each row padded to
// a multiple of four bytes.
struct DibPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bytes;

  static int Stride(int width) { return (width * 3 + 3) & ~3; }
  DibPixels() = default;
  DibPixels(int width, int height);
  std::uint8_t* Row(int row) { return bytes.data() + static_cast<std::size_t>(row) * Stride(width); }
  const std::uint8_t* Row(int row) const { return bytes.data() + static_cast<std::size_t>(row) * Stride(width); }
};

// How one grid of pixels lies on another along one axis: a pair per pixel
// of the counted grid. w0 is the share that falls in the current cell of
// the other grid; a w1 other than 0 ends that cell (-1: exactly at this
// pixel's end; positive: the rest, which falls in the next cell).
struct Weight {
  float w0 = 0;
  float w1 = 0;
};
// perSource: the weights are shares of the other grid's cells (reducing);
// otherwise shares of this grid's pixels (enlarging).
std::vector<Weight> Weights(int count, int other, bool perSource);

// True when one side would grow while the other shrinks: resampling
// refuses that.
bool GrowsOneSideShrinksOther(int width, int height, int newWidth, int newHeight);

// The picture resampled to newWidth by newHeight; nothing when it refuses.
// Equal sizes give an equal copy.
std::optional<DibPixels> ScaleBitmap(const DibPixels& source, std::uint16_t newWidth, std::uint16_t newHeight);

}  // namespace vantrel
