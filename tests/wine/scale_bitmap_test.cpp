// The resampling through real bitmaps: the pixels go out of and back into
// screen-compatible bitmaps as the splash's paint hands them over.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "app/scale_bitmap.h"
#include "app/scale_bitmap_win32.h"

namespace vantrel {
namespace {

BITMAPINFO Header(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

DibPixels Pattern(int width, int height) {
  DibPixels picture(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < width; ++x) {
      row[x * 3 + 0] = static_cast<std::uint8_t>(x * 7 + y);
      row[x * 3 + 1] = static_cast<std::uint8_t>(y * 5);
      row[x * 3 + 2] = static_cast<std::uint8_t>(x ^ y);
    }
  }
  return picture;
}

HBITMAP ToBitmap(const DibPixels& picture) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, picture.width, picture.height);
  BITMAPINFO info = Header(picture.width, picture.height);
  SetDIBits(screen, bitmap, 0, static_cast<UINT>(picture.height), picture.bytes.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

DibPixels FromBitmap(HBITMAP bitmap) {
  BITMAP size = {};
  GetObjectA(bitmap, sizeof size, &size);
  DibPixels picture(size.bmWidth, size.bmHeight);
  HDC screen = GetDC(nullptr);
  BITMAPINFO info = Header(size.bmWidth, size.bmHeight);
  GetDIBits(screen, bitmap, 0, static_cast<UINT>(size.bmHeight), picture.bytes.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return picture;
}

struct SizeCase {
  int width, height;
};

TEST(ScaleBitmapWin32Test, GivesTheSamePixelsAsTheResamplingItself) {
  const DibPixels source = Pattern(1024, 768);
  HBITMAP bitmap = ToBitmap(source);
  ASSERT_NE(bitmap, nullptr);
  ASSERT_EQ(FromBitmap(bitmap).bytes, source.bytes) << "the screen does not keep 24-bit colour";
  for (const SizeCase& c : {SizeCase{319, 173}, SizeCase{2048, 1536}, SizeCase{1024, 768}, SizeCase{1, 1}}) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    HBITMAP scaled = ScaleBitmap(bitmap, c.width, c.height);
    ASSERT_NE(scaled, nullptr);
    const DibPixels result = FromBitmap(scaled);
    EXPECT_EQ(result.width, c.width);
    EXPECT_EQ(result.height, c.height);
    const std::optional<DibPixels> expected =
        ScaleBitmap(source, static_cast<std::uint16_t>(c.width), static_cast<std::uint16_t>(c.height));
    ASSERT_TRUE(expected);
    EXPECT_TRUE(result.bytes == expected->bytes);
    DeleteObject(scaled);
  }
  EXPECT_EQ(ScaleBitmap(bitmap, 2048, 100), nullptr);
  EXPECT_EQ(ScaleBitmap(bitmap, 100, 2048), nullptr);
  DeleteObject(bitmap);
}

TEST(ScaleBitmapWin32Test, SizesAreTakenAsSixteenBits) {
  HBITMAP bitmap = ToBitmap(Pattern(40, 30));
  // 65536 + 20 is 20, 65536 + 15 is 15: a plain reduction.
  HBITMAP scaled = ScaleBitmap(bitmap, 65536 + 20, 65536 + 15);
  ASSERT_NE(scaled, nullptr);
  BITMAP size = {};
  GetObjectA(scaled, sizeof size, &size);
  EXPECT_EQ(size.bmWidth, 20);
  EXPECT_EQ(size.bmHeight, 15);
  DeleteObject(scaled);
  EXPECT_EQ(ScaleBitmap(nullptr, 10, 10), nullptr);
  DeleteObject(bitmap);
}

}  // namespace
}  // namespace vantrel
