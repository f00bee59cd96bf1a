#include "controls/image_button.h"

#include "controls/mouse_tracking.h"

namespace vantrel {

namespace {
HBITMAP LoadProgramBitmap(int id) {
  if (id == 0) return nullptr;
  return LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
}

void Blit(HDC target, int x, int y, int width, int height, HBITMAP bitmap) {
  MemoryDC memory(target);
  SelectedObject withBitmap(memory.get(), bitmap);
  BitBlt(target, x, y, width, height, memory.get(), 0, 0, SRCCOPY);
}
}  // namespace

bool ImageButton::LoadBitmaps(int normalId, int pressedId, int hoverId) {
  normal_.Reset(LoadProgramBitmap(normalId));
  pressed_.Reset(LoadProgramBitmap(pressedId));
  hover_.Reset(LoadProgramBitmap(hoverId));
  Invalidate(false);
  return static_cast<bool>(normal_);
}

void ImageButton::SizeToContent() {
  if (hwnd() == nullptr || !normal_) return;
  BITMAP info = {};
  GetObjectA(normal_.get(), sizeof info, &info);
  SetWindowPos(hwnd(), nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ImageButton::OnAttached() { MakeOwnerDrawn(hwnd()); }

std::optional<LRESULT> ImageButton::OnMessage(UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!tracking_) tracking_ = TrackHoverAndLeave(hwnd());
      return std::nullopt;
    case WM_MOUSEHOVER:
      hovering_ = true;
      Invalidate(false);
      return 0;
    case WM_MOUSELEAVE:
      hovering_ = false;
      tracking_ = false;
      Invalidate(false);
      return 0;
    default:
      return std::nullopt;
  }
}

bool ImageButton::OnReflectedDrawItem(DRAWITEMSTRUCT& item) {
  const RECT& rect = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  if (!selected && hovering_ && hover_) {
    RECT client;
    GetClientRect(hwnd(), &client);
    Blit(item.hDC, 0, 0, client.right, client.bottom, hover_.get());
    return true;
  }
  // No focus or disabled bitmaps: those states show the normal one.
  HBITMAP bitmap = selected && pressed_ ? pressed_.get() : normal_.get();
  if (bitmap == nullptr) return false;
  Blit(item.hDC, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, bitmap);
  return true;
}

}  // namespace vantrel
