#pragma once
#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_clock.h"
#include "updater/updater_view.h"

namespace vantrel::testing {

// Records what the updater's window shows. Each wait for input moves the
// clock on and runs onWait (a test presses STOP there); the old program's
// window stays for windowPolls checks.
class RecordingUpdaterView : public UpdaterView {
 public:
  void SetStatus(const std::string& text) override { statuses.push_back(text); }
  void ResetBar() override {
    barResets++;
    positions.clear();
  }
  void SetBarPosition(int position) override { positions.push_back(position); }
  void StartTimer() override { timerRunning = true; }
  void StopTimer() override { timerRunning = false; }
  void WaitForInput(unsigned milliseconds) override {
    ++waits;
    waitedMs += milliseconds;
    if (clock != nullptr) clock->Sleep(milliseconds);
    if (onWait) onWait(waits);
  }
  bool WindowExists(const std::string& title) override {
    windowTitlesAsked.push_back(title);
    if (windowPolls == 0) return false;
    --windowPolls;
    return true;
  }
  void Close() override { ++closes; }

  std::vector<std::string> statuses;
  std::vector<int> positions;
  int barResets = 0;
  bool timerRunning = false;
  FakeClock* clock = nullptr;
  int waits = 0;
  std::function<void(int wait)> onWait;
  unsigned long long waitedMs = 0;
  int windowPolls = 0;
  std::vector<std::string> windowTitlesAsked;
  int closes = 0;
};

}  // namespace vantrel::testing
