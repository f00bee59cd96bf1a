#pragma once
// What the updater's window does for the update: its status text, its bar,
// its timer, its messages while a transfer runs, and its close.

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
  // Dispatches the thread's pending messages (WM_QUIT is dropped), first
  // waiting at most this long for one to come.
  virtual void WaitForInput(unsigned milliseconds) = 0;
  // True while a window with this title exists.
  virtual bool WindowExists(const std::string& title) = 0;
  // Sends WM_CLOSE to the window: the updater ends.
  virtual void Close() = 0;
};

}  // namespace vantrel
