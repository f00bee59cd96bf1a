#pragma once
// When progress bars repaint. A cleaning run moves its bars before every
// file, thousands of times a second, and under Wine every picture costs a
// paint and a copy to the screen, while a screen shows about sixty pictures
// a second. So the bars of a window repaint in frames at most one interval
// apart: a bar paints at most once a frame, a bar whose change comes just
// after another bar opened a frame joins that frame (one picture on the
// screen for both), a change held back is painted when the next frame is
// due, and a full bar is painted at once, so that the end of every step and
// of the run is always seen.

namespace vantrel {

class RepaintPacer {
 public:
  static constexpr unsigned kIntervalMs = 16;
  static constexpr unsigned kJoinMs = 2;

  // A bar's change at now (a millisecond clock that may wrap). lastFrame is
  // what Painted returned for that bar's last paint (0 before any). True:
  // paint now; false: hold the change until DueIn has passed.
  bool PaintNow(unsigned now, bool full, unsigned lastFrame) const;
  // A bar painted at now; the frame the paint belongs to (never 0).
  unsigned Painted(unsigned now);
  // Milliseconds until the next frame is due (at least 1).
  unsigned DueIn(unsigned now) const;

 private:
  unsigned frame_ = 0;  // 0: no frame yet
  unsigned frameStart_ = 0;
};

}  // namespace vantrel
