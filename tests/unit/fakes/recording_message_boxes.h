#pragma once
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace vantrel::testing {

// Records every message box and answers with a chosen button.
class RecordingMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::string text;
    std::string caption;
    unsigned style;
  };
  int Show(const std::string& text, const std::string& caption, unsigned style) override {
    shown.push_back(Shown{text, caption, style});
    return answer;
  }
  std::vector<Shown> shown;
  int answer = mb::kIdOk;
};

}  // namespace vantrel::testing
