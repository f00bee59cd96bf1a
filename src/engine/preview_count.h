#pragma once
// A preview: the cleaning run on a copy of the settings, with a sink that
// only counts and a view that keeps every step with what it would remove.
// It runs on a thread of its own while its window stays free: the window's
// thread makes it (which copies the settings), another thread calls Run and
// then reads Steps; any thread may read Now and call Stop, which ends the
// count before its next file, cache entry or step.

#include <atomic>
#include <memory>
#include <vector>

#include "engine/cleaning_run.h"
#include "engine/removal_tally.h"
#include "engine/run_steps.h"
#include "platform/message_pump.h"
#include "platform/progress_view.h"

namespace vantrel {

class DeletionProbe;

class PreviewCount : private ProgressView, private MessagePump {
 public:
  struct Ports {
    FileSystem& files;
    UrlCache& cache;
    Registry& registry;
    Shell& shell;
    DeletionProbe& probe;
    Environment& environment;
    RunningPrograms& programs;
  };
  enum class Outcome { kCounted, kStopped, kNothingSelected };
  struct Progress {
    int step = 0;      // the step being counted, from 1; 0 before the first
    int steps = 0;     // of so many
    int position = 0;  // inside the step, 0 to 1000
    // How far the whole count is, 0 to 1000.
    int Overall() const {
      if (steps <= 0 || step <= 0) return 0;
      const int clamped = position < 0 ? 0 : position > 1000 ? 1000 : position;
      return static_cast<int>((static_cast<long long>(step - 1) * 1000 + clamped) / steps);
    }
  };

  // Counts by a copy of settings, which stays as it is.
  PreviewCount(Ports ports, SystemFolders systemFolders, const SetupData& settings);
  ~PreviewCount() override;

  // Counts what a run would remove; once.
  Outcome Run();
  void Stop() { stopping_ = true; }
  Progress Now() const;
  const std::vector<StepTally>& Steps() const { return steps_; }

 private:
  struct Bar : ProgressBarView {
    explicit Bar(std::atomic<int>* position) : position(position) {}
    void SetRange(int, int) override {}
    void SetPos(int pos) override {
      if (position != nullptr) *position = pos;
    }
    std::atomic<int>* position;
  };
  struct Label : LabelView {
    Label(PreviewCount& count, bool counter) : count(count), counter(counter) {}
    void SetText(const std::string& text) override;
    PreviewCount& count;
    bool counter;
  };
  // The guard's warnings say a switch goes off, which a preview does not
  // do; its refusals reach the sink with their reason instead.
  struct Silence : MessageBoxes {
    int Show(const std::string&, const std::string&, unsigned) override { return mb::kIdOk; }
  };

  ProgressBarView& CategoryBar() override { return categoryBar_; }
  ProgressBarView& OverallBar() override { return overallBar_; }
  LabelView& StepLabel() override { return stepLabel_; }
  LabelView& CountLabel() override { return countLabel_; }
  MessageBoxes& Messages() override { return silence_; }
  void DrainPending() override {}
  bool Stopping() const override { return stopping_; }

  void OnCount(const std::string& text);

  Ports ports_;
  SystemFolders systemFolders_;
  std::unique_ptr<SetupData> settings_;
  CountingSink sink_;
  RunSteps runSteps_;
  std::vector<StepTally> steps_;
  std::atomic<bool> stopping_{false};
  std::atomic<int> step_{0};
  std::atomic<int> stepCount_{0};
  std::atomic<int> position_{0};
  Bar categoryBar_{&position_};
  Bar overallBar_{nullptr};
  Label stepLabel_{*this, false};
  Label countLabel_{*this, true};
  Silence silence_;
};

// What the window says while it counts ("세는 중... 3/11 단계") and when the
// count has ended.
std::string CountingText(const PreviewCount::Progress& progress);
std::string OutcomeText(PreviewCount::Outcome outcome);

}  // namespace vantrel
