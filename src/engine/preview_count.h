#pragma once
// A preview: the cleaning run on a copy of the settings, with a sink that
// only counts and a view that keeps every step with what it would remove.
// It runs on a thread of its own while its window stays free: that thread
// calls Run and then reads Steps; any thread may read Now and call Stop,
// which ends the count before its next file, cache entry or step.

#include <atomic>
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
  };
  enum class Outcome { kCounted, kStopped, kNothingSelected };
  struct Progress {
    int step = 0;      // the step being counted, from 1; 0 before the first
    int steps = 0;     // of so many
    int position = 0;  // inside the step, 0 to 1000
  };

  PreviewCount(Ports ports, SystemFolders systemFolders);

  // Counts what a run by settings would remove; settings stays as it is.
  Outcome Run(const SetupData& settings);
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

}  // namespace vantrel
