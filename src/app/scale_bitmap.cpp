#include "app/scale_bitmap.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vantrel {

namespace {

// Weights closer to 0 than this count as 0.
constexpr float kNoWeight = 0.0001f;

bool EndsCell(const Weight& weight) { return std::fabs(weight.w1) > kNoWeight; }
bool SpillsOver(const Weight& weight) { return weight.w1 > kNoWeight; }

// Truncated; float rounding can take a full-weight 255 a hair above it.
std::uint8_t ToByte(float value) { return static_cast<std::uint8_t>(std::clamp(value, 0.0f, 255.0f)); }

DibPixels Reduce(const DibPixels& source, int newWidth, int newHeight) {
  const std::vector<Weight> columns = Weights(source.width, newWidth, true);
  const std::vector<Weight> rows = Weights(source.height, newHeight, true);
  DibPixels result(newWidth, newHeight);
  // The output row being filled and the one the spill of a source row
  // straddling two output rows goes into.
  std::vector<float> current(static_cast<std::size_t>(newWidth) * 3, 0.0f);
  std::vector<float> next(current.size(), 0.0f);
  int outputRow = 0;
  for (int y = 0; y < source.height && outputRow < newHeight; ++y) {
    const std::uint8_t* in = source.Row(y);
    const Weight& row = rows[y];
    int column = 0;
    for (int x = 0; x < source.width && column < newWidth; ++x) {
      const Weight& col = columns[x];
      for (int c = 0; c < 3; ++c) {
        const float value = in[x * 3 + c];
        const std::size_t here = static_cast<std::size_t>(column) * 3 + c;
        current[here] += value * (col.w0 * row.w0);
        if (SpillsOver(col)) current[here + 3] += value * (col.w1 * row.w0);
        if (SpillsOver(row)) next[here] += value * (col.w0 * row.w1);
        if (SpillsOver(col) && SpillsOver(row)) next[here + 3] += value * (col.w1 * row.w1);
      }
      if (EndsCell(col)) ++column;
    }
    if (EndsCell(row)) {
      std::uint8_t* out = result.Row(outputRow++);
      std::transform(current.begin(), current.end(), out, ToByte);
      std::fill(current.begin(), current.end(), 0.0f);
      std::swap(current, next);
    }
  }
  return result;
}

DibPixels Enlarge(const DibPixels& source, int newWidth, int newHeight) {
  const std::vector<Weight> columns = Weights(newWidth, source.width, false);
  const std::vector<Weight> rows = Weights(newHeight, source.height, false);
  DibPixels result(newWidth, newHeight);
  int sourceRow = 0;
  for (int y = 0; y < newHeight; ++y) {
    const Weight& row = rows[y];
    const std::uint8_t* in = source.Row(sourceRow);
    const std::uint8_t* below = SpillsOver(row) ? source.Row(sourceRow + 1) : nullptr;
    std::uint8_t* out = result.Row(y);
    int sourceColumn = 0;
    for (int x = 0; x < newWidth; ++x) {
      const Weight& col = columns[x];
      const int at = sourceColumn * 3;
      for (int c = 0; c < 3; ++c) {
        float value = col.w0 * row.w0 * in[at + c];
        if (SpillsOver(col)) value += col.w1 * row.w0 * in[at + 3 + c];
        if (SpillsOver(row)) value += col.w0 * row.w1 * below[at + c];
        if (SpillsOver(col) && SpillsOver(row)) value += col.w1 * row.w1 * below[at + 3 + c];
        out[x * 3 + c] = ToByte(value);
      }
      if (EndsCell(col)) ++sourceColumn;
    }
    if (EndsCell(row)) ++sourceRow;
  }
  return result;
}

}  // namespace

DibPixels::DibPixels(int width, int height)
    : width(width), height(height), bytes(static_cast<std::size_t>(Stride(width)) * height, 0) {}

// Both grids are laid on a common scale where a pixel of this grid is
// `other` units long and a cell of the other grid `count` units; the carry
// is how far the current cell is filled.
std::vector<Weight> Weights(int count, int other, bool perSource) {
  std::vector<Weight> weights(static_cast<std::size_t>(std::max(count, 0)));
  const float divisor = static_cast<float>(perSource ? count : other);
  int carry = 0;
  for (Weight& weight : weights) {
    const int end = other + carry;
    if (end > count) {
      weight.w0 = static_cast<float>(count - carry) / divisor;
      weight.w1 = static_cast<float>(end - count) / divisor;
      carry = end - count;
    } else {
      weight.w0 = perSource ? static_cast<float>(other) / static_cast<float>(count) : 1.0f;
      if (end == count) {
        weight.w1 = -1.0f;
        carry = 0;
      } else {
        carry = end;
      }
    }
  }
  return weights;
}

bool GrowsOneSideShrinksOther(int width, int height, int newWidth, int newHeight) {
  return (newWidth < width && newHeight > height) || (newWidth > width && newHeight < height);
}

std::optional<DibPixels> ScaleBitmap(const DibPixels& source, std::uint16_t newWidth, std::uint16_t newHeight) {
  if (source.width <= 0 || source.height <= 0) return std::nullopt;
  const int width = newWidth;
  const int height = newHeight;
  if (GrowsOneSideShrinksOther(source.width, source.height, width, height)) return std::nullopt;
  if (width > source.width || height > source.height) return Enlarge(source, width, height);
  return Reduce(source, width, height);
}

}  // namespace vantrel
