// Times the area resampling that the rectangular splash runs on every paint:
// a desktop snapshot of common screen sizes down to the 319 by 173 miniature
// (and one enlargement for comparison). Prints one line per size.
//
//   scale_bitmap_bench.exe [ROUNDS]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/scale_bitmap.h"

namespace {

using vantrel::DibPixels;

DibPixels Desktop(int width, int height) {
  DibPixels picture(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < width * 3; ++x) row[x] = static_cast<std::uint8_t>(x * 7 + y * 13);
  }
  return picture;
}

void Time(int width, int height, int newWidth, int newHeight, int rounds) {
  const DibPixels source = Desktop(width, height);
  double best = 1e30;
  unsigned checksum = 0;
  for (int round = 0; round < rounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    const auto result = vantrel::ScaleBitmap(source, static_cast<std::uint16_t>(newWidth),
                                             static_cast<std::uint16_t>(newHeight));
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (ms < best) best = ms;
    if (result) checksum += result->bytes[result->bytes.size() / 2];
  }
  const double megapixels = static_cast<double>(width) * height / 1e6;
  std::printf("%5dx%-5d -> %4dx%-4d  best %8.2f ms  %6.1f source Mpixel/s  (check %u)\n", width, height, newWidth,
              newHeight, best, megapixels / (best / 1000.0), checksum);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  const int sizes[][2] = {{800, 600}, {1024, 768}, {1280, 1024}, {1920, 1080}, {2560, 1440}};
  for (const auto& size : sizes) Time(size[0], size[1], 319, 173, rounds);
  Time(1024, 768, 2048, 1536, rounds);
  return 0;
}
