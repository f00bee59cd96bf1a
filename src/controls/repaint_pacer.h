#pragma once
// When progress bars repaint. A cleaning run moves its bars before every
// file, thousands of times a second, and under Wine every picture costs a
// paint and a copy to the screen, while a screen shows about sixty pictures
// a second. So the bars of a window repaint in frames at least one interval
// apart: a bar paints at most once a frame, a bar whose change comes just
// after another bar opened a frame joins that frame (one picture on the
// screen for both), a change held back is painted when the next frame is
// due, and a full bar is painted at once, so that the end of every step and
// of the run is always seen.
//
// The interval is 16 ms, longer when pictures are dear: where drawing a
// frame takes milliseconds (a slow or remote display), frames are spread so
// that they take about an eighth of the time, up to 100 ms apart.
// Times are in microseconds on a clock that may wrap.

namespace vantrel {

class RepaintPacer {
 public:
  static constexpr unsigned kIntervalUs = 16000;
  static constexpr unsigned kLongestIntervalUs = 100000;
  static constexpr unsigned kJoinUs = 2000;

  // A bar's change at now. lastFrame is what Painted returned for that bar's
  // last paint (0 before any). True: paint now; false: hold the change until
  // the next frame is due (an interval after the last one opened).
  bool PaintNow(unsigned now, bool full, unsigned lastFrame) const;
  // A bar painted at now; the frame the paint belongs to (never 0).
  unsigned Painted(unsigned now);
  // A bar of the frame opened last took us to draw; the frame's cost is
  // what its bars took together.
  void BarTook(unsigned us);
  unsigned Interval() const { return interval_; }

 private:
  unsigned frame_ = 0;  // 0: no frame yet
  unsigned frameStart_ = 0;
  unsigned frameCost_ = 0;
  unsigned interval_ = kIntervalUs;
};

}  // namespace vantrel
