#include "app/scale_bitmap_win32.h"

#include <cstdint>

#include "app/scale_bitmap.h"
#include "framework/gdi_handles.h"

namespace vantrel {

namespace {

BITMAPINFO DibHeader(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(DibPixels::Stride(width)) * height;
  return info;
}

}  // namespace

HBITMAP ScaleBitmap(HBITMAP bitmap, int newWidth, int newHeight) {
  BITMAP size = {};
  if (GetObjectA(bitmap, sizeof size, &size) == 0) return nullptr;
  const auto width = static_cast<std::uint16_t>(newWidth);
  const auto height = static_cast<std::uint16_t>(newHeight);
  if (GrowsOneSideShrinksOther(size.bmWidth, size.bmHeight, width, height)) return nullptr;

  ClientDC screen(nullptr);
  DibPixels source(size.bmWidth, size.bmHeight);
  BITMAPINFO sourceHeader = DibHeader(size.bmWidth, size.bmHeight);
  if (GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(size.bmHeight), source.bytes.data(), &sourceHeader,
                DIB_RGB_COLORS) == 0) {
    return nullptr;
  }
  const std::optional<DibPixels> scaled = ScaleBitmap(source, width, height);
  if (!scaled) return nullptr;

  HBITMAP result = CreateCompatibleBitmap(screen.get(), width, height);
  if (result == nullptr) return nullptr;
  BITMAPINFO resultHeader = DibHeader(width, height);
  SetDIBits(screen.get(), result, 0, height, scaled->bytes.data(), &resultHeader, DIB_RGB_COLORS);
  return result;
}

}  // namespace vantrel
