#include "controls/gradient_progress.h"

#include <commctrl.h>

#include "framework/gdi_handles.h"

namespace vantrel {

namespace {
void FillColour(HDC dc, const RECT& rect, COLORREF colour) {
  Brush brush = SolidBrush(colour);
  FillRect(dc, &rect, brush.get());
}
}  // namespace

GradientProgress::GradientProgress() : background_(GetSysColor(COLOR_BTNFACE)) {}

GradientLayout GradientProgress::Layout() const {
  RECT client = {};
  if (hwnd() != nullptr) GetClientRect(hwnd(), &client);
  return LayOutGradient(lower_, upper_, position_, client.right - client.left, start_, end_);
}

template <class Change>
void GradientProgress::Update(Change change) {
  if (hwnd() == nullptr) {
    change();
    return;
  }
  const int paintedBefore = Layout().PaintedWidth();
  const bool pendingBefore = GetUpdateRect(hwnd(), nullptr, FALSE) != FALSE;
  change();
  if (Layout().PaintedWidth() != paintedBefore) {
    InvalidateRect(hwnd(), nullptr, FALSE);
  } else if (!pendingBefore) {
    // The system control invalidates on every new position; what we draw
    // has not changed, so that paint would only cost time.
    ValidateRect(hwnd(), nullptr);
  }
}

void GradientProgress::SetRange(int lower, int upper) {
  Update([&] {
    lower_ = lower;
    upper_ = upper;
    position_ = lower;
    if (hwnd() != nullptr) SendMessageA(hwnd(), PBM_SETRANGE, 0, MAKELPARAM(lower, upper));
  });
}

void GradientProgress::SetPos(int position) {
  if (position == position_) return;
  if (hwnd() == nullptr) {
    position_ = position;
    return;
  }
  const int paintedBefore = Layout().PaintedWidth();
  position_ = position;
  if (Layout().PaintedWidth() == paintedBefore) return;
  // A run sets a new position for every file, and most of them draw the same
  // bar. The system control hears only of those that change it (it answers
  // PBM_GETPOS from position_ below), because it paints at once inside
  // PBM_SETPOS (Wine's does, over the part it would fill itself) and even an
  // empty paint costs. The whole bar is marked first, so that one paint does.
  InvalidateRect(hwnd(), nullptr, FALSE);
  SendMessageA(hwnd(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void GradientProgress::SetBackgroundColour(COLORREF colour) {
  background_ = colour;
  Invalidate(false);
}

void GradientProgress::SetColours(COLORREF start, COLORREF end) {
  start_ = start;
  end_ = end;
  Invalidate(false);
}

std::optional<LRESULT> GradientProgress::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_ERASEBKGND:
      return TRUE;
    case WM_PAINT: {
      PaintDC dc(hwnd());
      Paint(dc.get());
      return 0;
    }
    case PBM_GETPOS:
      return position_;
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(hwnd(), &client);
      DrawGradient(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    default:
      return std::nullopt;
  }
}

void GradientProgress::Paint(HDC dc) const {
  RECT client;
  GetClientRect(hwnd(), &client);
  RECT clip;
  if (GetClipBox(dc, &clip) == NULLREGION || clip.right <= clip.left || clip.bottom <= clip.top) return;

  // Off-screen first, so the bar does not flicker band by band.
  MemoryDC memory(dc);
  Bitmap bitmap(CreateCompatibleBitmap(dc, clip.right - clip.left, clip.bottom - clip.top));
  if (memory.get() == nullptr || !bitmap) {
    DrawGradient(dc, client);
    return;
  }
  SelectedObject withBitmap(memory.get(), bitmap.get());
  SetViewportOrgEx(memory.get(), -clip.left, -clip.top, nullptr);
  DrawGradient(memory.get(), client);
  SetViewportOrgEx(memory.get(), 0, 0, nullptr);
  BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, memory.get(), 0, 0, SRCCOPY);
}

void GradientProgress::DrawGradient(HDC dc, const RECT& client) const {
  const GradientLayout layout =
      LayOutGradient(lower_, upper_, position_, client.right - client.left, start_, end_);
  for (const GradientBand& band : layout.bands) {
    const RECT rect{client.left + band.left, client.top, client.left + band.right, client.bottom + 1};
    FillColour(dc, rect, band.colour);
  }
  const RECT rest{client.left + layout.backgroundLeft, client.top, client.right, client.bottom};
  FillColour(dc, rest, background_);
}

}  // namespace vantrel
