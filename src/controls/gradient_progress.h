#pragma once
// A progress bar (msctls_progress32 item) that draws itself as a colour
// gradient from the start to the end colour. The system control keeps the
// range; the position lives here (PBM_GETPOS answers it), and the bar shows
// it at most once a RepaintPacer frame (a full bar at once).

#include <windows.h>

#include "controls/gradient_layout.h"
#include "controls/repaint_pacer.h"
#include "framework/control.h"
#include "framework/gdi_handles.h"
#include "platform/progress_view.h"

namespace vantrel {

class GradientProgress : public Control, public ProgressBarView {
 public:
  GradientProgress();

  // Sets the position to lower as well (PBM_SETRANGE, 16-bit bounds).
  void SetRange(int lower, int upper) override;
  // The bar is drawn again only when what it shows changes, and then at most
  // once an interval; PBM_GETPOS always answers the position set last.
  void SetPos(int position) override;

  // Repaints in the same frames as other (see RepaintPacer), so that the
  // bars of one window reach the screen together.
  void PaceWith(GradientProgress& other) { pacer_ = other.pacer_; }

  void SetBackgroundColour(COLORREF colour);
  void SetColours(COLORREF start, COLORREF end);

  int Lower() const { return lower_; }
  int Upper() const { return upper_; }
  int Position() const { return position_; }
  COLORREF BackgroundColour() const { return background_; }

  // How many frames SetPos and its timer have drawn (paints that the system
  // asks for, when the window is shown or uncovered, are not frames).
  int FramesDrawn() const { return framesDrawn_; }

  // The bands and background for the current state and client width.
  GradientLayout Layout() const;
  // Layout().PaintedWidth(), without laying out the bands.
  int PaintedWidth() const;

 protected:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  void DrawGradient(HDC dc, const RECT& client) const;
  // The full bar, drawn once for the client size and colours, of which a
  // paint copies the part the position fills (a memory DC that holds it).
  HDC FullBar(HDC dc, const RECT& client);
  // Runs a change and keeps the system control's invalidation only when the
  // painted width changed.
  template <class Change>
  void Update(Change change);
  // Draws the bar as it is now, at once, as one frame of the pacer.
  void Repaint();
  void ArmPaceTimer();
  void OnPaceTimer();

  // The timer that paints a held change.
  static constexpr UINT_PTR kPaceTimer = 0x5650;

  int lower_ = 0;
  int upper_ = 100;
  int position_ = 0;
  COLORREF start_ = RGB(0xFF, 0x00, 0x00);
  COLORREF end_ = RGB(0x00, 0x00, 0xFF);
  COLORREF background_;
  RepaintPacer ownPacer_;
  RepaintPacer* pacer_ = &ownPacer_;
  unsigned lastFrame_ = 0;
  OffscreenImage fullBar_;
  int shownWidth_ = 0;  // the painted width on screen, or about to be
  bool timerArmed_ = false;
  int framesDrawn_ = 0;
};

}  // namespace vantrel
