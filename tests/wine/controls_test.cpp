// The program's controls as the screen shows them: the gallery dialog is
// shown and painted, and its pixels are read back from the window's DC.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "control_gallery.h"
#include "controls/gradient_layout.h"
#include "resource.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

RECT ClientOf(HWND window) {
  RECT rect;
  GetClientRect(window, &rect);
  return rect;
}

RECT Interior(HWND window) {  // inside the 2-pixel button edge
  RECT rect = ClientOf(window);
  InflateRect(&rect, -2, -2);
  return rect;
}

// The pixels of a bitmap resource, top row first.
std::vector<COLORREF> BitmapPixels(int id, int& width, int& height) {
  HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
  BITMAP info = {};
  GetObjectA(bitmap, sizeof info, &info);
  width = info.bmWidth;
  height = info.bmHeight;
  BITMAPINFO header = {};
  header.bmiHeader.biSize = sizeof header.bmiHeader;
  header.bmiHeader.biWidth = width;
  header.bmiHeader.biHeight = -height;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  std::vector<unsigned char> bits(static_cast<std::size_t>(width) * height * 4);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, height, bits.data(), &header, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(bitmap);
  std::vector<COLORREF> pixels;
  for (std::size_t i = 0; i < bits.size(); i += 4) pixels.push_back(RGB(bits[i + 2], bits[i + 1], bits[i]));
  return pixels;
}

// Pixels of the control that differ from the bitmap drawn at its top-left.
int DifferencesFromBitmap(const Capture& capture, HWND control, int bitmapId) {
  int width = 0, height = 0;
  const std::vector<COLORREF> expected = BitmapPixels(bitmapId, width, height);
  int differences = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (capture.At(control, x, y) != expected[static_cast<std::size_t>(y) * width + x]) ++differences;
    }
  }
  return differences;
}

// Counts the clicks of the first hover button.
class CountingGallery : public ControlGallery {
 public:
  int clicks = 0;

 protected:
  bool OnClicked(int id) override {
    if (id != IDC_GALLERY_HOVER_NORMAL) return false;
    ++clicks;
    return true;
  }
};

// Dispatches this thread's messages, timers included, for about ms.
void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    PumpPending();
  }
}

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(1270, 1010);  // the real pointer stays away from the windows
    gallery = std::make_unique<CountingGallery>();
    ASSERT_TRUE(gallery->Create());
    gallery->ShowStates();
    ShowAndPaint(gallery->hwnd());
  }
  void TearDown() override { gallery.reset(); }

  // Every column of a bar at mid-height against the bar's own layout.
  void ExpectBarMatchesLayout(const Capture& capture, GradientProgress& bar) {
    const GradientLayout layout = bar.Layout();
    const RECT client = ClientOf(bar.hwnd());
    const int y = client.bottom / 2;
    for (int x = 0; x < client.right; ++x) {
      COLORREF expected = bar.BackgroundColour();
      for (const GradientBand& band : layout.bands) {
        if (x >= band.left && x < band.right) expected = band.colour;
      }
      ASSERT_EQ(capture.At(bar.hwnd(), x, y), expected) << "column " << x;
    }
  }

  std::unique_ptr<CountingGallery> gallery;
};

TEST_F(ControlsTest, PanelShadesFromTheEdgeToTheInnerArea) {
  Capture capture(gallery->hwnd());
  capture.SaveBmp(ScratchFolder() + "gallery.bmp");
  struct Spot {
    int at;
    COLORREF colour;
  } spots[] = {{0, RGB(0xCD, 0xCD, 0xCD)}, {1, RGB(0x9A, 0x9A, 0x9A)}, {2, RGB(0x66, 0x66, 0x66)},
               {3, RGB(0x33, 0x33, 0x33)}, {4, RGB(0x06, 0x06, 0x06)}, {5, ControlGallery::kPanelFill},
               {19, ControlGallery::kPanelFill}, {20, RGB(0x00, 0x00, 0xFF)}, {21, RGB(0xF8, 0xFB, 0xFB)}};
  for (const Spot& spot : spots) {
    EXPECT_EQ(capture.At(spot.at, spot.at), spot.colour) << "at " << spot.at;
    EXPECT_EQ(capture.At(capture.Width() - 1 - spot.at, capture.Height() - 1 - spot.at), spot.colour)
        << "from the bottom right at " << spot.at;
  }
}

TEST_F(ControlsTest, GradientBarsDrawTheirLayout) {
  Capture capture(gallery->hwnd());
  for (GradientProgress* bar : {&gallery->barEmpty, &gallery->barHalf, &gallery->barFull, &gallery->barAtUpper}) {
    ExpectBarMatchesLayout(capture, *bar);
  }
  const int width = ClientOf(gallery->barHalf.hwnd()).right;
  // Empty at 0 and at the upper bound; red at the start of a filled bar.
  EXPECT_EQ(capture.At(gallery->barEmpty.hwnd(), 0, 2), ControlGallery::kBarBackground);
  EXPECT_EQ(capture.At(gallery->barAtUpper.hwnd(), 0, 2), ControlGallery::kBarBackground);
  EXPECT_EQ(capture.At(gallery->barAtUpper.hwnd(), width - 1, 2), ControlGallery::kBarBackground);
  // Bands are narrower than a pixel here (the first one is empty): the
  // first column shows the second band, next to pure red.
  EXPECT_EQ(capture.At(gallery->barHalf.hwnd(), 0, 2), RGB(0xFE, 0x00, 0x01));
  EXPECT_EQ(capture.At(gallery->barHalf.hwnd(), width - 1, 2), ControlGallery::kBarBackground);
  // 1000 of 1001: the gradient reaches the last column, nearly blue.
  const COLORREF last = capture.At(gallery->barFull.hwnd(), width - 1, 2);
  EXPECT_LE(GetRValue(last), 2);
  EXPECT_GE(GetBValue(last), 253);
  // Full height, top to bottom row.
  const int height = ClientOf(gallery->barHalf.hwnd()).bottom;
  EXPECT_EQ(capture.At(gallery->barHalf.hwnd(), 0, 0), RGB(0xFE, 0x00, 0x01));
  EXPECT_EQ(capture.At(gallery->barHalf.hwnd(), 0, height - 1), RGB(0xFE, 0x00, 0x01));
}

TEST_F(ControlsTest, GradientBarRepaintsOnlyWhenItsPaintedWidthChanges) {
  GradientProgress& bar = gallery->barHalf;
  ASSERT_EQ(GetUpdateRect(bar.hwnd(), nullptr, FALSE), FALSE);
  const int painted = bar.Layout().PaintedWidth();

  bar.SetPos(500);
  EXPECT_EQ(GetUpdateRect(bar.hwnd(), nullptr, FALSE), FALSE) << "same position";
  EXPECT_EQ(SendMessageA(bar.hwnd(), PBM_GETPOS, 0, 0), 500);

  int samePicture = 501;
  while (bar.SetPos(samePicture), bar.Layout().PaintedWidth() == painted && samePicture < 600) {
    EXPECT_EQ(GetUpdateRect(bar.hwnd(), nullptr, FALSE), FALSE) << "position " << samePicture;
    ++samePicture;
  }
  EXPECT_GT(samePicture, 501) << "some positions share the painted width";
  EXPECT_EQ(SendMessageA(bar.hwnd(), PBM_GETPOS, 0, 0), samePicture) << "the system control follows";
  // The width changed: the bar is repainted, at once or within its interval.
  PumpFor(100);
  ExpectBarMatchesLayout(Capture(gallery->hwnd()), bar);

  ShowAndPaint(gallery->hwnd());
  ExpectBarMatchesLayout(Capture(gallery->hwnd()), bar);
}

TEST_F(ControlsTest, GradientBarRepaintsAtDisplayRateAndEndsOnItsLastPosition) {
  GradientProgress& bar = gallery->barHalf;
  bar.SetRange(0, 1001);
  ShowAndPaint(gallery->hwnd());
  const int framesBefore = bar.FramesDrawn();
  const DWORD start = GetTickCount();
  for (int position = 1; position < 1000; ++position) {
    bar.SetPos(position);
    PumpPending();
  }
  const DWORD elapsed = GetTickCount() - start;
  const int frames = bar.FramesDrawn() - framesBefore;
  EXPECT_GE(frames, 1);
  EXPECT_LE(frames, static_cast<int>(elapsed / 16) + 2) << elapsed << " ms";
  EXPECT_EQ(GetUpdateRect(bar.hwnd(), nullptr, FALSE), FALSE) << "frames need no paint message";

  // A change held back is painted once its interval is over.
  bar.SetPos(400);
  PumpFor(100);
  ExpectBarMatchesLayout(Capture(gallery->hwnd()), bar);

  // A full bar, the end of a step, is painted at once.
  bar.SetPos(401);
  bar.SetPos(1000);
  PumpPending();
  EXPECT_EQ(GetUpdateRect(bar.hwnd(), nullptr, FALSE), FALSE);
  ExpectBarMatchesLayout(Capture(gallery->hwnd()), bar);
  EXPECT_EQ(SendMessageA(bar.hwnd(), PBM_GETPOS, 0, 0), 1000);
}

TEST_F(ControlsTest, GradientBarRangeResetsThePosition) {
  GradientProgress& bar = gallery->barHalf;
  bar.SetRange(0, 1001);
  EXPECT_EQ(bar.Position(), 0);
  EXPECT_EQ(SendMessageA(bar.hwnd(), PBM_GETRANGE, TRUE, 0), 0);
  EXPECT_EQ(SendMessageA(bar.hwnd(), PBM_GETRANGE, FALSE, 0), 1001);
  ShowAndPaint(gallery->hwnd());
  EXPECT_EQ(Capture(gallery->hwnd()).At(bar.hwnd(), 0, 2), ControlGallery::kBarBackground);
}

TEST_F(ControlsTest, HoverButtonsShowFaceEdgeAndCaptionColour) {
  Capture capture(gallery->hwnd());
  const COLORREF face = RGB(0xEA, 0xED, 0xF4);
  struct Case {
    HoverButton* button;
    COLORREF caption;
    bool sunken;
  } cases[] = {
      {&gallery->hoverNormal, RGB(0x00, 0x00, 0x00), false},
      {&gallery->hoverHovered, RGB(0xFF, 0x66, 0x00), false},
      {&gallery->hoverPressed, RGB(0x00, 0x00, 0x00), true},
      {&gallery->hoverDisabled, RGB(0x80, 0x80, 0x80), false},  // grey even while hovered
  };
  const COLORREF captions[] = {RGB(0x00, 0x00, 0x00), RGB(0xFF, 0x66, 0x00), RGB(0x80, 0x80, 0x80)};
  for (const Case& c : cases) {
    HWND button = c.button->hwnd();
    const RECT client = ClientOf(button);
    SCOPED_TRACE(GetDlgCtrlID(button));
    EXPECT_EQ(capture.At(button, 3, 3), face);
    EXPECT_EQ(capture.At(button, 0, 0), GetSysColor(c.sunken ? COLOR_3DSHADOW : COLOR_3DLIGHT));
    EXPECT_EQ(capture.At(button, client.right - 1, client.bottom - 1),
              GetSysColor(c.sunken ? COLOR_3DHILIGHT : COLOR_3DDKSHADOW));
    for (COLORREF caption : captions) {
      const int count = capture.Count(button, Interior(button), caption);
      if (caption == c.caption) {
        EXPECT_GT(count, 10) << "caption colour " << std::hex << caption;
      } else {
        EXPECT_EQ(count, 0) << "no pixel of caption colour " << std::hex << caption;
      }
    }
  }
}

TEST_F(ControlsTest, HoverButtonReleasedOutsideDoesNotClick) {
  HoverButton& button = gallery->hoverNormal;
  HWND window = button.hwnd();
  const RECT client = ClientOf(window);
  auto post = [&](UINT message, WPARAM keys, int x, int y) {
    PostMessageA(window, message, keys, MAKELPARAM(x, y));
    PumpPending();
  };
  post(WM_MOUSEMOVE, 0, 5, 5);
  EXPECT_TRUE(button.Captured());
  EXPECT_TRUE(button.PointerInside());
  post(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  post(WM_MOUSEMOVE, MK_LBUTTON, client.right + 30, 5);
  EXPECT_FALSE(button.PointerInside());
  EXPECT_TRUE(button.Captured()) << "the left button is still held";
  ShowAndPaint(gallery->hwnd());
  EXPECT_EQ(Capture(gallery->hwnd()).At(window, 0, 0), GetSysColor(COLOR_3DLIGHT)) << "raised outside";

  post(WM_LBUTTONUP, 0, client.right + 30, 5);
  post(WM_MOUSEMOVE, 0, client.right + 30, 5);
  EXPECT_FALSE(button.Captured());
  EXPECT_EQ(gallery->clicks, 0);

  // The same press released inside clicks.
  post(WM_MOUSEMOVE, 0, 5, 5);
  post(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  post(WM_LBUTTONUP, 0, 5, 5);
  EXPECT_EQ(gallery->clicks, 1);
}

TEST_F(ControlsTest, HoverButtonLeaveRestoresTheCaption) {
  HoverButton& button = gallery->hoverHovered;
  SendMessageA(button.hwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(button.Hovering());
  ShowAndPaint(gallery->hwnd());
  Capture capture(gallery->hwnd());
  EXPECT_EQ(capture.Count(button.hwnd(), Interior(button.hwnd()), RGB(0xFF, 0x66, 0x00)), 0);
  EXPECT_GT(capture.Count(button.hwnd(), Interior(button.hwnd()), RGB(0x00, 0x00, 0x00)), 10);
}

TEST_F(ControlsTest, ImageButtonsShowTheirBitmaps) {
  RECT rect;
  GetWindowRect(gallery->closeNormal.hwnd(), &rect);
  EXPECT_EQ(rect.right - rect.left, 9) << "sized to the bitmap";
  EXPECT_EQ(rect.bottom - rect.top, 9);
  GetWindowRect(gallery->clean.hwnd(), &rect);
  EXPECT_EQ(rect.right - rect.left, 80);
  EXPECT_EQ(rect.bottom - rect.top, 70);

  Capture capture(gallery->hwnd());
  EXPECT_EQ(DifferencesFromBitmap(capture, gallery->closeNormal.hwnd(), IDB_CLOSE_NORMAL), 0);
  EXPECT_EQ(DifferencesFromBitmap(capture, gallery->closeHovered.hwnd(), IDB_CLOSE_HOVER), 0);
  EXPECT_EQ(DifferencesFromBitmap(capture, gallery->clean.hwnd(), IDB_CLEAN_NORMAL), 0);
  EXPECT_EQ(DifferencesFromBitmap(capture, gallery->menu.hwnd(), IDB_MENU_NORMAL), 0);
  EXPECT_EQ(DifferencesFromBitmap(capture, gallery->settings.hwnd(), IDB_SETTINGS_NORMAL), 0);
  EXPECT_NE(DifferencesFromBitmap(capture, gallery->closeNormal.hwnd(), IDB_CLOSE_HOVER), 0)
      << "the bitmaps differ, so the checks above mean something";
}

TEST_F(ControlsTest, ImageButtonPressedShowsThePressedBitmapEvenWhileHovered) {
  HWND button = gallery->closeHovered.hwnd();
  SendMessageA(button, BM_SETSTATE, TRUE, 0);
  ShowAndPaint(gallery->hwnd());
  EXPECT_EQ(DifferencesFromBitmap(Capture(gallery->hwnd()), button, IDB_CLOSE_PRESSED), 0);

  SendMessageA(button, BM_SETSTATE, FALSE, 0);
  SendMessageA(button, WM_MOUSELEAVE, 0, 0);
  ShowAndPaint(gallery->hwnd());
  EXPECT_EQ(DifferencesFromBitmap(Capture(gallery->hwnd()), button, IDB_CLOSE_NORMAL), 0);
}

TEST_F(ControlsTest, LabelsAndEditTakeTheirColours) {
  Capture capture(gallery->hwnd());
  HWND label = gallery->label.hwnd();
  const RECT labelRect = ClientOf(label);
  EXPECT_EQ(capture.At(label, labelRect.right - 2, labelRect.bottom - 2), RGB(0xFF, 0xFF, 0xFF));
  EXPECT_GT(capture.Count(label, labelRect, ControlGallery::kLabelText), 10);

  HWND check = gallery->check.hwnd();
  const RECT checkRect = ClientOf(check);
  EXPECT_EQ(capture.At(check, checkRect.right - 2, checkRect.bottom - 2), ControlGallery::kCheckBackground);
  EXPECT_GT(capture.Count(check, checkRect, ControlGallery::kLabelText), 10);

  HWND edit = gallery->edit.hwnd();
  const RECT editRect = ClientOf(edit);
  EXPECT_EQ(capture.At(edit, editRect.right - 3, editRect.bottom - 3), ControlGallery::kEditBackground);
  EXPECT_GT(capture.Count(edit, editRect, ControlGallery::kEditText), 10);

  // New colours show at the next repaint, with a new brush.
  gallery->label.SetColours(RGB(0xFF, 0x00, 0xFF), RGB(0xEA, 0xED, 0xF4));
  ShowAndPaint(gallery->hwnd());
  Capture after(gallery->hwnd());
  EXPECT_EQ(after.At(label, labelRect.right - 2, labelRect.bottom - 2), RGB(0xEA, 0xED, 0xF4));
  EXPECT_GT(after.Count(label, labelRect, RGB(0xFF, 0x00, 0xFF)), 10);
}

TEST_F(ControlsTest, LabelTextComesThroughTheLabelPort) {
  LabelView& view = gallery->label;
  view.SetText("청소 끝.");
  char text[32] = {};
  GetWindowTextA(gallery->label.hwnd(), text, sizeof text);
  EXPECT_STREQ(text, "청소 끝.");
}

}  // namespace
}  // namespace vantrel
