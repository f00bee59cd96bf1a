#include "cli/console_report.h"

#include <algorithm>

#include "engine/known_browsers.h"
#include "platform/message_box.h"

namespace vantrel {

namespace {

std::string Percent(int position) {
  const int clamped = std::clamp(position, 0, 1000);
  return std::to_string(clamped / 10) + "%";
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// A message on one line, as a log reads best.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n') c = ' ';
  }
  return text;
}

}  // namespace

std::string CutToWidth(const std::string& text, std::size_t limit) {
  std::size_t end = 0;
  while (end < text.size()) {
    const auto byte = static_cast<unsigned char>(text[end]);
    const std::size_t width = byte >= 0x81 && byte <= 0xFE && end + 1 < text.size() ? 2 : 1;
    if (end + width > limit) break;
    end += width;
  }
  return text.substr(0, end);
}

std::string DescribeTotals(const RemovalTally& total, bool preview) {
  std::string text = preview ? "미리 보기 합계 (아무것도 지우지 않았습니다)\n" : "청소 합계\n";
  text += std::string(preview ? "  지울 파일: " : "  지운 파일: ") + CountOf(total.files, "개") + ", " +
          ByteCount(total.bytes) + "\n";
  text += "  지울 수 없는 파일: " + CountOf(total.filesLeft, "개") + "\n";
  text += "  캐시 항목: " + CountOf(total.CacheEntries(), "개") + " (쿠키 " +
          CountOf(total.cookieEntries, "개") + ", 기록 " + CountOf(total.historyEntries, "개") +
          ", 캐시 " + CountOf(total.normalEntries, "개") + ")\n";
  text += "  레지스트리 값: " + CountOf(total.values, "개") + "\n";
  if (total.valuesLeft > 0) text += "  지울 수 없는 레지스트리 값: " + CountOf(total.valuesLeft, "개") + "\n";
  if (total.recycleBinVisited) {
    text += "  휴지통: " +
            (total.recycleBinKnown
                 ? CountOf(total.recycleBinItems, "개") + ", " +
                       ByteCount(static_cast<std::uint64_t>(total.recycleBinBytes))
                 : std::string("크기 모름")) +
            "\n";
  }
  text += "  거부된 폴더: " + CountOf(static_cast<std::int64_t>(total.refusedFolders.size()), "곳") + "\n";
  if (!total.skippedBrowsers.empty()) {
    std::string names;
    for (const std::string& browser : total.skippedBrowsers) names += (names.empty() ? "" : ", ") + browser;
    text += "  실행 중이라 건너뛴 브라우저: " + names + "\n";
  }
  return text;
}

ConsoleReport::ConsoleReport(ConsoleOutput& out, TallySink& sink, bool preview)
    : out_(out),
      steps_(sink),
      preview_(preview),
      console_(out.IsConsole()),
      categoryBar_(*this),
      overallBar_(*this),
      stepLabel_(*this, false),
      countLabel_(*this, true),
      messages_(*this) {
  categoryBar_.showsStep = true;
}

void ConsoleReport::Bar::SetPos(int position) {
  if (showsStep) report.OnProgress(position);
}

void ConsoleReport::Label::SetText(const std::string& text) {
  if (count) {
    report.OnCount(text);
  } else {
    report.OnStepLabel(text);
  }
}

int ConsoleReport::Boxes::Show(const std::string& text, const std::string& caption,
                               unsigned style) {
  report.OnMessage(text, caption, style);
  return mb::kIdOk;
}

void ConsoleReport::Begin() {
  WriteLine(preview_ ? "Vantrel 미리 보기: 지우지 않고 셉니다." : "Vantrel 청소");
}

void ConsoleReport::Finish() {
  if (auto closed = steps_.Close()) WriteStep(*closed);
  ClearLiveLine();
  out_.Write(DescribeTotals(total_, preview_));
}

void ConsoleReport::OnStepLabel(const std::string& text) { steps_.Label(text); }

void ConsoleReport::OnCount(const std::string& text) {
  RunSteps::Change change = steps_.Count(text);
  if (change.closed) WriteStep(*change.closed);
  if (!change.opened) return;
  stepPosition_ = 0;
  lastProgressMs_ = out_.Milliseconds();
}

void ConsoleReport::OnProgress(int position) {
  if (!steps_.Open()) return;
  stepPosition_ = position;
  const std::uint32_t now = out_.Milliseconds();
  if (console_) {
    if (now - lastProgressMs_ < kConsoleRedrawMs) return;
    const std::string line = CutToWidth(ProgressText(), kLiveLineWidth);
    std::string padded = "\r" + line;
    if (line.size() < liveWidth_) padded += std::string(liveWidth_ - line.size(), ' ');
    out_.Write(padded);
    liveWidth_ = std::max(liveWidth_, line.size());
  } else {
    if (now - lastProgressMs_ < kFileProgressMs) return;
    WriteLine(ProgressText());
  }
  lastProgressMs_ = now;
}

void ConsoleReport::OnMessage(const std::string& text, const std::string& caption,
                              unsigned style) {
  // The guard's warnings say the setting is switched off, which a preview
  // does not do.
  const bool guardWarning = (style & mb::kIconHand) != 0;
  if (preview_ && guardWarning) {
    WriteLine(caption + ": " + FirstLine(text) + " (미리 보기: 설정은 그대로 둡니다)");
  } else {
    WriteLine(caption + ": " + OneLine(text));
  }
}

void ConsoleReport::WriteStep(const StepTally& step) {
  const RemovalTally& tally = step.tally;
  total_.Add(tally);
  const std::string removals = DescribeRemovals(tally, RemovalWording::kWithSizesAndLeftovers);
  WriteLine("[" + step.count + "] " + step.name + ": " + removals);
  for (const auto& [key, count] : tally.valuesPerKey) {
    WriteLine("    " + key + ": 값 " + GroupedNumber(static_cast<std::uint64_t>(count)) + "개");
  }
  for (const RefusedFolder& refused : tally.refusedFolders) {
    WriteLine("    거부: " + refused.folder + " (" + refused.reason + ")");
  }
  for (const std::string& browser : tally.skippedBrowsers) {
    WriteLine("    " + RunningBrowserNote(browser));
  }
}

void ConsoleReport::ClearLiveLine() {
  if (liveWidth_ == 0) return;
  out_.Write("\r" + std::string(liveWidth_, ' ') + "\r");
  liveWidth_ = 0;
}

void ConsoleReport::WriteLine(const std::string& line) {
  ClearLiveLine();
  out_.Write(line + "\n");
}

std::string ConsoleReport::ProgressText() const {
  return "[" + steps_.CountText() + "] " + steps_.Name() + " " + Percent(stepPosition_);
}

}  // namespace vantrel
