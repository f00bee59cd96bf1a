#pragma once
// When a progress bar repaints. A cleaning run moves its bars before every
// file, thousands of times a second, and under Wine a paint costs about a
// millisecond, while a screen shows about sixty pictures a second. So a bar
// repaints at most once an interval; a change held back is painted when the
// interval is over, and a full bar is painted at once, so that the end of
// every step and of the run is always seen.

namespace vantrel {

class RepaintPacer {
 public:
  static constexpr unsigned kIntervalMs = 16;

  // The drawn bar changed at now (a millisecond clock that may wrap). True:
  // paint now. False: the change is held; paint it once Due.
  bool PaintNow(unsigned now, bool full);
  // The bar was painted at now, with whatever it shows at that moment.
  void Painted(unsigned now);

  bool Holding() const { return holding_; }
  // A held change whose interval is over.
  bool Due(unsigned now) const { return holding_ && now - lastPaint_ >= kIntervalMs; }
  // Milliseconds until a held change is due (at least 1).
  unsigned DueIn(unsigned now) const;

 private:
  bool paintedOnce_ = false;
  bool holding_ = false;
  unsigned lastPaint_ = 0;
};

}  // namespace vantrel
