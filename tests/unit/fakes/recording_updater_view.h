#pragma once
#include <functional>
#include <string>
#include <vector>

#include "updater/updater_view.h"

namespace vantrel::testing {

// Records what the updater's window shows. onPump runs at each pumped
// message (a test presses STOP there); the old program's window stays for
// windowPolls checks.
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
  void PumpOneMessage() override {
    ++pumps;
    if (onPump) onPump(pumps);
  }
  void PumpFor(unsigned milliseconds) override { waitedMs += milliseconds; }
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
  int pumps = 0;
  std::function<void(int pump)> onPump;
  unsigned waitedMs = 0;
  int windowPolls = 0;
  std::vector<std::string> windowTitlesAsked;
  int closes = 0;
};

}  // namespace vantrel::testing
