#include "engine/run_steps.h"

namespace vantrel {

RunSteps::Change RunSteps::Count(const std::string& text) {
  Change change;
  if (open_ && text == count_) {
    name_ = label_;
    return change;
  }
  change.closed = Close();
  change.opened = true;
  open_ = true;
  count_ = text;
  name_ = label_;
  return change;
}

std::optional<StepTally> RunSteps::Close() {
  if (!open_) return std::nullopt;
  open_ = false;
  return StepTally{count_, name_, sink_.TakeTally()};
}

}  // namespace vantrel
