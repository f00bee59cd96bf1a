#include "controls/gradient_progress.h"

#include <commctrl.h>

namespace vantrel {

namespace {
void FillColour(HDC dc, const RECT& rect, COLORREF colour) {
  Brush brush = SolidBrush(colour);
  FillRect(dc, &rect, brush.get());
}

// Microseconds, wrapping (GetTickCount moves in steps of up to 16 ms).
unsigned NowUs() {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<unsigned>(now.QuadPart / frequency * 1000000 +
                               now.QuadPart % frequency * 1000000 / frequency);
}

UINT MillisecondsOf(unsigned us) { return (us + 999) / 1000; }
}  // namespace

GradientProgress::GradientProgress() : background_(GetSysColor(COLOR_BTNFACE)) {}

GradientLayout GradientProgress::Layout() const {
  RECT client = {};
  if (hwnd() != nullptr) GetClientRect(hwnd(), &client);
  return LayOutGradient(lower_, upper_, position_, client.right - client.left, start_, end_);
}

int GradientProgress::PaintedWidth() const {
  RECT client = {};
  if (hwnd() != nullptr) GetClientRect(hwnd(), &client);
  return GradientPaintedWidth(lower_, upper_, position_, client.right - client.left, start_, end_);
}

template <class Change>
void GradientProgress::Update(Change change) {
  if (hwnd() == nullptr) {
    change();
    return;
  }
  const int shownBefore = shownWidth_;
  const bool pendingBefore = GetUpdateRect(hwnd(), nullptr, FALSE) != FALSE;
  change();
  shownWidth_ = PaintedWidth();
  if (shownWidth_ != shownBefore) {
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
  position_ = position;
  if (hwnd() == nullptr) return;
  const int painted = PaintedWidth();
  if (painted == shownWidth_) return;
  const bool full = upper_ > lower_ && position_ >= upper_ - 1;
  if (pacer_->PaintNow(NowUs(), full, lastFrame_)) {
    Repaint();
  } else if (!timerArmed_) {
    ArmPaceTimer();
  }
}

// One timer a bar while it has changes to show: it ticks once an interval
// and ends at the first tick that finds nothing held, so a run that moves
// the bar all the time sets it once rather than once a frame.
void GradientProgress::ArmPaceTimer() {
  timerArmed_ = SetTimer(hwnd(), kPaceTimer, MillisecondsOf(pacer_->Interval()), nullptr) != 0;
}

// A change that no SetPos has painted since is painted here, when its frame
// is due.
void GradientProgress::OnPaceTimer() {
  if (PaintedWidth() == shownWidth_) {
    KillTimer(hwnd(), kPaceTimer);
    timerArmed_ = false;
  } else if (pacer_->PaintNow(NowUs(), false, lastFrame_)) {
    Repaint();
  }
}

// A run sets a new position for every file, and most of them draw the same
// bar. A frame is drawn at once through the window's DC: the way through an
// invalidation and WM_PAINT costs the system several round trips (under Wine
// about 0.4 ms a bar, against 0.01 ms for the DC), and so would telling the
// system control, which repaints itself inside PBM_SETPOS. The control
// answers PBM_GETPOS from position_ instead.
void GradientProgress::Repaint() {
  const unsigned start = NowUs();
  shownWidth_ = PaintedWidth();
  lastFrame_ = pacer_->Painted(start);
  {
    ClientDC dc(hwnd());
    if (dc.get() != nullptr) Paint(dc.get());
  }
  ++framesDrawn_;
  pacer_->BarTook(NowUs() - start);
}

void GradientProgress::SetBackgroundColour(COLORREF colour) {
  background_ = colour;
  Invalidate(false);
}

void GradientProgress::SetColours(COLORREF start, COLORREF end) {
  start_ = start;
  end_ = end;
  fullBar_.Reset();
  Invalidate(false);
}

std::optional<LRESULT> GradientProgress::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_ERASEBKGND:
      return TRUE;
    case WM_PAINT: {
      PaintDC dc(hwnd());
      shownWidth_ = PaintedWidth();
      Paint(dc.get());
      return 0;
    }
    case PBM_GETPOS:
      return position_;
    case WM_TIMER:
      if (wParam != kPaceTimer) return std::nullopt;
      OnPaceTimer();
      return 0;
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

// A run repaints its bars up to sixty times a second each, so a paint
// copies the bands from the full bar drawn once (one BitBlt) instead of
// drawing them one by one; each pixel is written once, so nothing flickers.
void GradientProgress::Paint(HDC dc) {
  RECT client;
  GetClientRect(hwnd(), &client);
  RECT clip;
  if (GetClipBox(dc, &clip) == NULLREGION || clip.right <= clip.left || clip.bottom <= clip.top) return;

  const int painted = PaintedWidth();
  if (painted > 0) {
    const HDC full = FullBar(dc, client);
    if (full == nullptr) {
      DrawGradient(dc, client);
      return;
    }
    BitBlt(dc, client.left, client.top, painted, client.bottom - client.top, full, 0, 0, SRCCOPY);
  }
  const RECT rest{client.left + painted, client.top, client.right, client.bottom};
  FillColour(dc, rest, background_);
}

HDC GradientProgress::FullBar(HDC dc, const RECT& client) {
  const SIZE size{client.right - client.left, client.bottom - client.top};
  if (fullBar_ && size.cx == fullBar_.size().cx && size.cy == fullBar_.size().cy) return fullBar_.dc();
  if (!fullBar_.Create(dc, size)) return nullptr;
  for (const GradientBand& band : GradientBands(size.cx, start_, end_)) {
    const RECT rect{band.left, 0, band.right, size.cy};
    FillColour(fullBar_.dc(), rect, band.colour);
  }
  return fullBar_.dc();
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
