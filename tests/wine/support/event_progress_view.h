#pragma once
// A progress view for Wine tests of the cleaning operations: no window, it
// records what would be shown as lines such as "category.pos 250",
// "overall.pos 90", "step 쿠키", "count 2/9".

#include <string>
#include <vector>

#include "platform/progress_view.h"

namespace vantrel::winetest {

class EventProgressView : public ProgressView {
 public:
  ProgressBarView& CategoryBar() override { return category_; }
  ProgressBarView& OverallBar() override { return overall_; }
  LabelView& StepLabel() override { return step_; }
  LabelView& CountLabel() override { return count_; }
  MessageBoxes& Messages() override { return messages_; }

  std::vector<std::string> events;

 private:
  struct Bar : ProgressBarView {
    Bar(std::vector<std::string>& log, const char* name) : log(log), name(name) {}
    void SetRange(int lower, int upper) override {
      log.push_back(name + ".range " + std::to_string(lower) + " " + std::to_string(upper));
    }
    void SetPos(int position) override { log.push_back(name + ".pos " + std::to_string(position)); }
    std::vector<std::string>& log;
    std::string name;
  };
  struct Label : LabelView {
    Label(std::vector<std::string>& log, const char* name) : log(log), name(name) {}
    void SetText(const std::string& text) override { log.push_back(name + " " + text); }
    std::vector<std::string>& log;
    std::string name;
  };
  struct Boxes : MessageBoxes {
    explicit Boxes(std::vector<std::string>& log) : log(log) {}
    int Show(const std::string& text, const std::string& caption, unsigned) override {
      log.push_back("message " + caption + ": " + text);
      return mb::kIdOk;
    }
    std::vector<std::string>& log;
  };
  Bar category_{events, "category"};
  Bar overall_{events, "overall"};
  Label step_{events, "step"};
  Label count_{events, "count"};
  Boxes messages_{events};
};

}  // namespace vantrel::winetest
