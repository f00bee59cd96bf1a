#pragma once
// The steps of a cleaning run as a progress view sees them. The run opens a
// step by showing a new count text ("3/11") and shows the same text again
// when it names the open step; what the sink counted in between belongs to
// the step that the next one (or the end) closes.

#include <optional>
#include <string>

#include "engine/removal_tally.h"

namespace vantrel {

struct StepTally {
  std::string count;  // "3/11"
  std::string name;
  RemovalTally tally;
};

class RunSteps {
 public:
  struct Change {
    bool opened = false;              // the count text opened a new step
    std::optional<StepTally> closed;  // the step it closed, if one was open
  };

  explicit RunSteps(TallySink& sink) : sink_(sink) {}

  // The run's step label.
  void Label(const std::string& text) { label_ = text; }
  // The run's count text.
  Change Count(const std::string& text);
  // The open step, closed at the end of the run.
  std::optional<StepTally> Close();

  bool Open() const { return open_; }
  const std::string& CountText() const { return count_; }
  const std::string& Name() const { return name_; }

 private:
  TallySink& sink_;
  std::string label_;  // as last set
  std::string count_;  // of the open step; empty before the first
  std::string name_;
  bool open_ = false;
};

}  // namespace vantrel
