#pragma once
// The console's view of a cleaning run: one more implementation of the
// progress view. It writes a line for every finished step with what the
// step removed (or would remove), a live progress line while a step runs on
// a console (plain lines now and then when the output goes to a file), and
// the totals at the end.

#include <cstdint>
#include <string>

#include "engine/removal_tally.h"
#include "engine/run_steps.h"
#include "platform/console_output.h"
#include "platform/progress_view.h"

namespace vantrel {

// The lines of the totals at the end of a run.
std::string DescribeTotals(const RemovalTally& total, bool preview);
// text cut to at most limit bytes, never between the two bytes of a
// Korean character.
std::string CutToWidth(const std::string& text, std::size_t limit);

class ConsoleReport : public ProgressView {
 public:
  // A live line on a console is redrawn at most this often.
  static constexpr std::uint32_t kConsoleRedrawMs = 100;
  // Output to a file gets a progress line after a step has run this long,
  // and again each time as long.
  static constexpr std::uint32_t kFileProgressMs = 10000;
  static constexpr std::size_t kLiveLineWidth = 78;

  ConsoleReport(ConsoleOutput& out, TallySink& sink, bool preview);

  ProgressBarView& CategoryBar() override { return categoryBar_; }
  ProgressBarView& OverallBar() override { return overallBar_; }
  LabelView& StepLabel() override { return stepLabel_; }
  LabelView& CountLabel() override { return countLabel_; }
  MessageBoxes& Messages() override { return messages_; }

  // The first line, before the run.
  void Begin();
  // Writes the last step and the totals.
  void Finish();
  const RemovalTally& Total() const { return total_; }

 private:
  struct Bar : ProgressBarView {
    explicit Bar(ConsoleReport& report) : report(report) {}
    void SetRange(int, int) override {}
    void SetPos(int position) override;
    ConsoleReport& report;
    bool showsStep = false;  // the inner bar: progress of the step
  };
  struct Label : LabelView {
    Label(ConsoleReport& report, bool count) : report(report), count(count) {}
    void SetText(const std::string& text) override;
    ConsoleReport& report;
    bool count;
  };
  struct Boxes : MessageBoxes {
    explicit Boxes(ConsoleReport& report) : report(report) {}
    int Show(const std::string& text, const std::string& caption, unsigned style) override;
    ConsoleReport& report;
  };

  void OnStepLabel(const std::string& text);
  void OnCount(const std::string& text);
  void OnProgress(int position);
  void OnMessage(const std::string& text, const std::string& caption, unsigned style);
  void WriteStep(const StepTally& step);
  void ClearLiveLine();
  void WriteLine(const std::string& line);
  std::string ProgressText() const;

  ConsoleOutput& out_;
  RunSteps steps_;
  const bool preview_;
  const bool console_;
  Bar categoryBar_;
  Bar overallBar_;
  Label stepLabel_;
  Label countLabel_;
  Boxes messages_;

  int stepPosition_ = 0;
  std::uint32_t lastProgressMs_ = 0;
  std::size_t liveWidth_ = 0;  // bytes of the live line on screen
  RemovalTally total_;
};

}  // namespace vantrel
