#pragma once
// What the updater's window does for the update: its status text, its bar,
// its timer, one message at a time during a transfer, and its close.

#include <string>

namespace vantrel {

class UpdaterView {
 public:
  virtual ~UpdaterView() = default;
  virtual void SetStatus(const std::string& text) = 0;
  // Range 0 to 100, step 1, position 0.
  virtual void ResetBar() = 0;
  virtual void SetBarPosition(int position) = 0;
  virtual void StartTimer() = 0;
  virtual void StopTimer() = 0;
  // Takes at most one pending message of the thread and dispatches it,
  // unless it is WM_QUIT or WM_CLOSE, which are dropped.
  virtual void PumpOneMessage() = 0;
  // Keeps the window alive for about this long.
  virtual void PumpFor(unsigned milliseconds) = 0;
  // True while a window with this title exists.
  virtual bool WindowExists(const std::string& title) = 0;
  // Sends WM_CLOSE to the window: the updater ends.
  virtual void Close() = 0;
};

}  // namespace vantrel
