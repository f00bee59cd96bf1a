#pragma once
// A 32-bit bitmap with a DC, filled with magenta, for drawing code to draw
// into and the test to read pixel by pixel. The system's menu font is
// selected, as in the DC a menu item is drawn with. And the lighter shades
// a menu's look is made of.

#include <windows.h>

namespace vantrel::winetest {

class DrawingSurface {
 public:
  DrawingSurface(int width, int height);
  ~DrawingSurface();
  DrawingSurface(const DrawingSurface&) = delete;
  DrawingSurface& operator=(const DrawingSurface&) = delete;

  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const;
  int Count(const RECT& area, COLORREF colour) const;

 private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  unsigned char* bits_ = nullptr;
  HGDIOBJ oldBitmap_;
  HFONT font_;
  HGDIOBJ oldFont_;
};

// colour moved towards white by factor (0: unchanged, 1: white).
COLORREF Lightened(COLORREF colour, double factor);

}  // namespace vantrel::winetest
