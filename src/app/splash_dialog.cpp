#include "app/splash_dialog.h"

#include <cstdio>
#include "app/main_window_layout.h"
#include "app/scale_bitmap_win32.h"
#include "app/splash_rules.h"
#include "app/windows_name_win32.h"

namespace vantrel {

namespace {

// Posted by a paint whose miniature failed: the message box comes after the
// paint has ended, or the window, still invalid, would paint (and ask) again
// from inside the box.
constexpr UINT kShowRefusalMessage = WM_APP + 1;

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  GetObjectA(bitmap, sizeof info, &info);
  return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace

bool SplashDialog::Open(HWND parent) {
  if (!Create(parent)) return false;
  Hide();
  RECT r;
  GetWindowRect(hwnd(), &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  const ScreenPoint corner =
      CentredPosition(GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK), width, height);
  MoveWindow(hwnd(), corner.x, corner.y, width, height, TRUE);
  Show(SW_SHOW);
  return true;
}

BOOL SplashDialog::OnInitDialog() {
  osName = GetWindowsName();
  colourIndex = 0;
  regionMode = UsesRegion(osName) ? 1 : 0;
  image.Reset(LoadBitmapA(GetModuleHandleA(nullptr),
                          MAKEINTRESOURCEA(regionMode ? IDB_SPLASH_SHAPED : IDB_SPLASH_FRAMED)));
  const SIZE size = BitmapSize(image.get());
  MoveWindow(hwnd(), 0, 0, size.cx, size.cy, TRUE);
  // Still hidden here: a region set on a shown window can drop it below
  // the windows around it.
  if (regionMode) {
    ApplyRegion();
    SetTimer(hwnd(), splash::kBlinkTimer, splash::kBlinkMs, nullptr);
  }
  return TRUE;
}

void SplashDialog::ShowMessage(const char* text) { MessageBoxA(hwnd(), text, "", MB_OK); }

// The byte count given is the whole resource's: the system reads as many
// rectangles as the header names and leaves the padding after them alone.
void SplashDialog::ApplyRegion() {
  HMODULE instance = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDR_SPLASH_REGION), "Region");
  if (found == nullptr) {
    ShowMessage("리소스 로드 실패.");
    return;
  }
  HGLOBAL loaded = LoadResource(instance, found);
  if (loaded == nullptr) {
    ShowMessage("리소스 변환 실패.");
    return;
  }
  const auto* data = static_cast<const RGNDATA*>(LockResource(loaded));
  HRGN region = data != nullptr ? ExtCreateRegion(nullptr, SizeofResource(instance, found), data) : nullptr;
  if (region == nullptr) {
    ShowMessage("Region 만들기 실패.");
    return;
  }
  // The window owns the region from here on.
  SetWindowRgn(hwnd(), region, TRUE);
}

// The desktop is captured and resampled before the window draws anything,
// and the picture is put together off the screen and goes onto the window
// in one piece: the screen never shows the frame with an empty inner area.
bool SplashDialog::OnPaint() {
  Bitmap miniature;
  if (!regionMode) miniature = DesktopMiniature();
  {
    PaintDC dc(hwnd());
    SIZE size = BitmapSize(image.get());
    if (!regionMode) {
      RECT r;
      GetWindowRect(hwnd(), &r);
      size = SIZE{r.right - r.left, r.bottom - r.top};
    }
    MemoryDC canvas(dc.get());
    Bitmap picture(CreateCompatibleBitmap(dc.get(), size.cx, size.cy));
    if (picture) {
      SelectedObject onCanvas(canvas.get(), picture.get());
      DrawPicture(canvas.get(), size, miniature.get());
      BitBlt(dc.get(), 0, 0, size.cx, size.cy, canvas.get(), 0, 0, SRCCOPY);
    } else {
      DrawPicture(dc.get(), size, miniature.get());
    }
  }
  if (!regionMode && !miniature) PostMessageA(hwnd(), kShowRefusalMessage, 0, 0);
  return true;
}

void SplashDialog::DrawPicture(HDC target, SIZE size, HBITMAP miniature) {
  MemoryDC memory(target);
  {
    SelectedObject frame(memory.get(), image.get());
    BitBlt(target, 0, 0, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
  }
  if (miniature == nullptr) return;
  const PixelRect& inner = splash::kMiniatureRect;
  SelectedObject scaled(memory.get(), miniature);
  BitBlt(target, inner.left, inner.top, inner.Width(), inner.Height(), memory.get(), 0, 0, SRCCOPY);
}

Bitmap SplashDialog::DesktopMiniature() {
  HWND desktop = GetDesktopWindow();
  RECT screen;
  GetWindowRect(desktop, &screen);
  const int width = screen.right - screen.left;
  const int height = screen.bottom - screen.top;
  WindowDC desktopDC(desktop);
  MemoryDC memory(desktopDC.get());
  Bitmap snapshot(CreateCompatibleBitmap(desktopDC.get(), width, height));
  {
    SelectedObject target(memory.get(), snapshot.get());
    BitBlt(memory.get(), 0, 0, width, height, desktopDC.get(), 0, 0, SRCCOPY);
  }
  const PixelRect& inner = splash::kMiniatureRect;
  return Bitmap(ScaleBitmap(snapshot.get(), inner.Width(), inner.Height()));
}

// The main window may destroy the splash, and this object with it, while
// the box is up: nothing of the object is touched once the window is gone.
void SplashDialog::ShowRefusal() {
  if (refusalShowing) return;
  refusalShowing = true;
  HWND window = hwnd();
  MessageBoxA(window, "1919191918181881", "", MB_OK);
  if (IsWindow(window)) refusalShowing = false;
}

// The region leaves only the letters of the word inside the filled rectangle.
bool SplashDialog::OnTimer(UINT_PTR id) {
  if (id != splash::kBlinkTimer) return false;
  const Colour colour = BlinkColour(colourIndex);
  colourIndex = NextColourIndex(colourIndex);
  ClientDC dc(hwnd());
  const PixelRect& word = splash::kWordRect;
  const RECT fill = {word.left, word.top, word.right, word.bottom};
  SetBkColor(dc.get(), colour);
  ExtTextOutA(dc.get(), 0, 0, ETO_OPAQUE, &fill, nullptr, 0, nullptr);
  return true;
}

void SplashDialog::OnDestroy() { KillTimer(hwnd(), splash::kBlinkTimer); }

bool SplashDialog::PreTranslateMessage(MSG& message) {
  return message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE);
}

std::optional<LRESULT> SplashDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kShowRefusalMessage) {
    ShowRefusal();
    return std::nullopt;
  }
  return Dialog::OnMessage(message, wParam, lParam);
}

}  // namespace vantrel
