#include "controls/hover_button.h"

#include <windowsx.h>

#include <string>

#include "controls/mouse_tracking.h"
#include "framework/gdi_handles.h"

namespace vantrel {

void HoverButton::SetColours(COLORREF text, COLORREF face) {
  text_ = text;
  face_ = face;
  if (hwnd() == nullptr) return;
  Invalidate(true);
  UpdateWindow(hwnd());
}

bool HoverButton::PreTranslateMessage(MSG& message) {
  return message.hwnd == hwnd() && message.message == WM_LBUTTONUP && !pointerInside_;
}

void HoverButton::OnAttached() { MakeOwnerDrawn(hwnd()); }

std::optional<LRESULT> HoverButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      OnMouseMove(static_cast<UINT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
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
    case WM_CAPTURECHANGED:
      // Someone else took the mouse (a menu, a message box): start afresh.
      if (reinterpret_cast<HWND>(lParam) != hwnd()) captured_ = false;
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

void HoverButton::OnMouseMove(UINT keys, POINT point) {
  if (!captured_) {
    pointerInside_ = true;
    captured_ = true;
    SetCapture(hwnd());
    Invalidate(true);
  } else {
    RECT screenRect;
    GetWindowRect(hwnd(), &screenRect);
    POINT screen = point;
    ClientToScreen(hwnd(), &screen);
    if (PtInRect(&screenRect, screen)) {
      if (!pointerInside_) {
        pointerInside_ = true;
        Invalidate(true);
      }
    } else {
      if (pointerInside_) {
        pointerInside_ = false;
        Invalidate(true);
      }
      if ((keys & MK_LBUTTON) == 0) {
        captured_ = false;
        ReleaseCapture();
      }
    }
  }
  if (!tracking_) tracking_ = TrackHoverAndLeave(hwnd());
}

bool HoverButton::OnReflectedDrawItem(DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  Brush face = SolidBrush(face_);
  FillRect(dc, &rect, face.get());

  const bool pressed = pointerInside_ && (item.itemState & ODS_SELECTED) != 0;
  DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

  COLORREF caption = text_;
  if ((item.itemState & ODS_DISABLED) != 0) {
    caption = RGB(0x80, 0x80, 0x80);
  } else if (hovering_) {
    caption = hoverText_;
  }
  const int length = GetWindowTextLengthA(hwnd());
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(hwnd(), text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));

  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, caption);
  DrawTextA(dc, text.c_str(), length, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  return true;
}

}  // namespace vantrel
