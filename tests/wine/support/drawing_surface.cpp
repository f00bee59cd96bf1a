#include "drawing_surface.h"

#include <cstddef>

namespace vantrel::winetest {

DrawingSurface::DrawingSurface(int width, int height) : width_(width), height_(height) {
  HDC screen = GetDC(nullptr);
  dc_ = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
  oldBitmap_ = SelectObject(dc_, bitmap_);
  ReleaseDC(nullptr, screen);
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  font_ = CreateFontIndirectA(&metrics.lfMenuFont);
  oldFont_ = SelectObject(dc_, font_);
  RECT all{0, 0, width, height};
  HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(dc_, &all, magenta);
  DeleteObject(magenta);
}

DrawingSurface::~DrawingSurface() {
  SelectObject(dc_, oldFont_);
  SelectObject(dc_, oldBitmap_);
  DeleteObject(font_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

COLORREF DrawingSurface::At(int x, int y) const {
  if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  GdiFlush();
  const unsigned char* p = bits_ + (static_cast<std::size_t>(y) * width_ + x) * 4;
  return RGB(p[2], p[1], p[0]);
}

int DrawingSurface::Count(const RECT& area, COLORREF colour) const {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) count += At(x, y) == colour ? 1 : 0;
  }
  return count;
}

COLORREF Lightened(COLORREF colour, double factor) {
  auto channel = [factor](int c) { return static_cast<int>(c + factor * (255 - c)); };
  return RGB(channel(GetRValue(colour)), channel(GetGValue(colour)), channel(GetBValue(colour)));
}

}  // namespace vantrel::winetest
