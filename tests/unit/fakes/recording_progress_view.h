#pragma once
// A progress view that records everything shown on it, in order, as lines
// such as "category.pos 250", "overall.range 0 1001", "step 휴지통",
// "count 1/3", "message 경고: ...".

#include <string>
#include <vector>

#include "fakes/recording_message_boxes.h"
#include "platform/progress_view.h"

namespace vantrel::testing {

class RecordingProgressView : public ProgressView {
 public:
  RecordingProgressView()
      : category_(events, "category"), overall_(events, "overall"),
        step_(events, "step"), count_(events, "count"), messages_(events) {}

  ProgressBarView& CategoryBar() override { return category_; }
  ProgressBarView& OverallBar() override { return overall_; }
  LabelView& StepLabel() override { return step_; }
  LabelView& CountLabel() override { return count_; }
  MessageBoxes& Messages() override { return messages_; }

  // Only the events whose line starts with prefix (e.g. "category.pos").
  std::vector<std::string> Events(const std::string& prefix) const {
    std::vector<std::string> matching;
    for (const auto& e : events) {
      if (e.rfind(prefix, 0) == 0) matching.push_back(e);
    }
    return matching;
  }
  const std::vector<RecordingMessageBoxes::Shown>& Shown() const { return messages_.shown; }

  std::vector<std::string> events;
  int categoryPos() const { return category_.pos; }
  int overallPos() const { return overall_.pos; }

 private:
  struct Bar : ProgressBarView {
    Bar(std::vector<std::string>& log, const char* name) : log(log), name(name) {}
    void SetRange(int lower, int upper) override {
      log.push_back(name + ".range " + std::to_string(lower) + " " + std::to_string(upper));
    }
    void SetPos(int position) override {
      pos = position;
      log.push_back(name + ".pos " + std::to_string(position));
    }
    std::vector<std::string>& log;
    std::string name;
    int pos = 0;
  };
  struct Label : LabelView {
    Label(std::vector<std::string>& log, const char* name) : log(log), name(name) {}
    void SetText(const std::string& text) override { log.push_back(name + " " + text); }
    std::vector<std::string>& log;
    std::string name;
  };
  struct Boxes : RecordingMessageBoxes {
    explicit Boxes(std::vector<std::string>& log) : log(log) {}
    int Show(const std::string& text, const std::string& caption, unsigned style) override {
      log.push_back("message " + caption + ": " + text);
      return RecordingMessageBoxes::Show(text, caption, style);
    }
    std::vector<std::string>& log;
  };
  Bar category_;
  Bar overall_;
  Label step_;
  Label count_;
  Boxes messages_;
};

}  // namespace vantrel::testing
