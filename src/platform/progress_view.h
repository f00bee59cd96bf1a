#pragma once
// What a cleaning operation shows while it works: the progress window's two
// bars and two labels, and message boxes owned by that window.

#include <string>

#include "platform/message_box.h"

namespace vantrel {

class ProgressBarView {
 public:
  virtual ~ProgressBarView() = default;
  virtual void SetRange(int lower, int upper) = 0;
  virtual void SetPos(int position) = 0;
};

class LabelView {
 public:
  virtual ~LabelView() = default;
  virtual void SetText(const std::string& text) = 0;
};

class ProgressView {
 public:
  virtual ~ProgressView() = default;
  virtual ProgressBarView& CategoryBar() = 0;  // progress inside the current step (1056)
  virtual ProgressBarView& OverallBar() = 0;   // progress of the whole run (1090)
  virtual LabelView& StepLabel() = 0;          // name of the current step (1043)
  virtual LabelView& CountLabel() = 0;         // "%d/%d" (1095)
  virtual MessageBoxes& Messages() = 0;        // owned by the progress window
};

}  // namespace vantrel
