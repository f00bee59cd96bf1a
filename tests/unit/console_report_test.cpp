// The console's progress view: where steps begin and end, the live line on a
// console and the plain lines in a file, and the wording of a step.
#include <gtest/gtest.h>

#include "cli/console_report.h"
#include "fakes/recording_console.h"

namespace vantrel {
namespace {

using testing::RecordingConsole;

// A sink whose tally the test fills directly.
class SettableSink : public TallySink {
 public:
  RemovalTally& Tally() { return tally_; }
};

TEST(ConsoleReportFormatTest, GroupedNumbers) {
  const std::pair<std::uint64_t, const char*> cases[] = {
      {0, "0"},
      {999, "999"},
      {1000, "1,000"},
      {1234567, "1,234,567"},
      {18446744073709551615u, "18,446,744,073,709,551,615"},
  };
  for (const auto& [number, text] : cases) EXPECT_EQ(GroupedNumber(number), text);
}

TEST(ConsoleReportFormatTest, CuttingNeverSplitsAKoreanCharacter) {
  const std::string text = "[1/2] 가나";  // six single bytes, then two characters of two bytes
  EXPECT_EQ(CutToWidth(text, 100), text);
  EXPECT_EQ(CutToWidth(text, 10), text);
  EXPECT_EQ(CutToWidth(text, 9), "[1/2] 가");
  EXPECT_EQ(CutToWidth(text, 7), "[1/2] ");
  EXPECT_EQ(CutToWidth(text, 0), "");
}

TEST(ConsoleReportFormatTest, StepDescriptions) {
  auto describe = [](const RemovalTally& tally) {
    return DescribeRemovals(tally, RemovalWording::kWithSizesAndLeftovers);
  };
  RemovalTally nothing;
  EXPECT_EQ(describe(nothing), "없음");

  RemovalTally folder;
  folder.files = 1234;
  folder.bytes = 5678901;
  folder.filesLeft = 2;
  EXPECT_EQ(describe(folder), "파일 1,234개 (5,678,901 바이트), 지울 수 없는 파일 2개");

  RemovalTally cookies;
  cookies.cookieEntries = 4;
  cookies.files = 1;
  cookies.bytes = 10;
  EXPECT_EQ(describe(cookies), "파일 1개 (10 바이트), 쿠키 항목 4개");

  RemovalTally bin;
  bin.recycleBinVisited = true;
  EXPECT_EQ(describe(bin), "휴지통 크기 모름");
  bin.recycleBinKnown = true;
  bin.recycleBinItems = 3;
  bin.recycleBinBytes = 4096;
  EXPECT_EQ(describe(bin), "휴지통 3개 (4,096 바이트)");

  RemovalTally refused;
  refused.refusedFolders = {{"C:\\WINDOWS\\", "윈도우 폴더"}};
  refused.CountValue("HKEY_CURRENT_USER\\X");
  EXPECT_EQ(describe(refused), "레지스트리 값 1개, 거부된 폴더 1곳");
}

TEST(ConsoleReportFormatTest, TalliesAddUpKeyByKey) {
  RemovalTally total;
  RemovalTally first;
  first.CountValue("A");
  first.CountValue("B");
  first.CountValue("A");
  RemovalTally second;
  second.CountValue("B");
  second.files = 2;
  second.bytes = 7;
  total.Add(first);
  total.Add(second);
  EXPECT_EQ(total.values, 4);
  const std::vector<std::pair<std::string, std::int64_t>> perKey = {{"A", 2}, {"B", 2}};
  EXPECT_EQ(total.valuesPerKey, perKey);
  EXPECT_EQ(total.files, 2);
  EXPECT_EQ(total.bytes, 7u);
}

class ConsoleReportTest : public ::testing::Test {
 protected:
  // What the run shows for a step: its label, then its count text.
  void OpenStep(ConsoleReport& report, const std::string& label, const std::string& count) {
    report.StepLabel().SetText(label);
    report.CountLabel().SetText(count);
  }

  RecordingConsole out;
  SettableSink sink;
};

TEST_F(ConsoleReportTest, AStepEndsWhenTheNextOpensAndShowsWhatWasRemovedInIt) {
  ConsoleReport report(out, sink, false);
  report.Begin();
  report.CountLabel().SetText("1/3");  // the run's start, before any step has a name
  OpenStep(report, "캐시", "1/3");
  sink.Tally().files = 2;
  sink.Tally().bytes = 30;
  OpenStep(report, "Url 주소", "2/3");
  sink.Tally().CountValue("HKEY_CURRENT_USER\\Software\\Typed");
  report.StepLabel().SetText("빈 항목");  // a user entry without directories or keys
  OpenStep(report, "내 항목", "3/3");
  sink.Tally().refusedFolders = {{"D:\\바탕 화면\\", "보호된 폴더"}};
  report.StepLabel().SetText("청소 끝.");
  report.Finish();

  const std::vector<std::string> expected = {
      "Vantrel 청소",
      "[1/3] 캐시: 파일 2개 (30 바이트)",
      "[2/3] Url 주소: 레지스트리 값 1개",
      "    HKEY_CURRENT_USER\\Software\\Typed: 값 1개",
      "[3/3] 내 항목: 거부된 폴더 1곳",
      "    거부: D:\\바탕 화면\\ (보호된 폴더)",
      "청소 합계",
      "  지운 파일: 2개, 30 바이트",
      "  지울 수 없는 파일: 0개",
      "  캐시 항목: 0개 (쿠키 0개, 기록 0개, 캐시 0개)",
      "  레지스트리 값: 1개",
      "  거부된 폴더: 1곳",
  };
  EXPECT_EQ(out.Lines(), expected);
  EXPECT_EQ(report.Total().files, 2);
}

TEST_F(ConsoleReportTest, OnAConsoleOneLineFollowsTheStepAndGoesBeforeTheNextLine) {
  out.console = true;
  ConsoleReport report(out, sink, true);
  OpenStep(report, "템프", "1/2");
  out.now = 50;
  report.CategoryBar().SetPos(100);
  EXPECT_EQ(out.out, "") << "a step shorter than a redraw shows no live line";
  out.now = 150;
  report.CategoryBar().SetPos(456);
  EXPECT_EQ(out.out, "\r[1/2] 템프 45%");
  out.now = 200;
  report.CategoryBar().SetPos(999);
  EXPECT_EQ(out.out, "\r[1/2] 템프 45%") << "redrawn at most every 100 ms";
  out.now = 300;
  report.CategoryBar().SetPos(2000);
  report.OverallBar().SetPos(900);
  EXPECT_EQ(out.out, "\r[1/2] 템프 45%\r[1/2] 템프 100%");
  out.out.clear();
  OpenStep(report, "휴지통", "2/2");
  const std::string blank(std::string("[1/2] 템프 100%").size(), ' ');
  EXPECT_EQ(out.out, "\r" + blank + "\r[1/2] 템프: 없음\n");
}

TEST_F(ConsoleReportTest, InAFileLongStepsGetAPlainProgressLineEveryTenSeconds) {
  ConsoleReport report(out, sink, true);
  OpenStep(report, "캐시", "1/1");
  for (std::uint32_t ms = 0; ms <= 25000; ms += 500) {
    out.now = ms;
    report.CategoryBar().SetPos(static_cast<int>(ms / 25));
  }
  report.Finish();
  EXPECT_EQ(out.out.find('\r'), std::string::npos);
  const std::vector<std::string> progress = {"[1/1] 캐시 40%", "[1/1] 캐시 80%"};
  EXPECT_EQ(out.LinesStartingWith("[1/1] 캐시 "), progress);
}

TEST_F(ConsoleReportTest, AGuardWarningSaysAPreviewSwitchesNothingOff) {
  const std::string warning =
      "경로가 윈도우 폴더로 설정되어 있습니다. 더이상 진행할수 없습니다.\n해당 삭제 설정을 해제합니다.";
  ConsoleReport preview(out, sink, true);
  EXPECT_EQ(preview.Messages().Show(warning, "경고", mb::kIconHand), mb::kIdOk);
  EXPECT_EQ(out.out,
            "경고: 경로가 윈도우 폴더로 설정되어 있습니다. 더이상 진행할수 없습니다. "
            "(미리 보기: 설정은 그대로 둡니다)\n");

  out.out.clear();
  ConsoleReport clean(out, sink, false);
  clean.Messages().Show(warning, "경고", mb::kIconHand);
  EXPECT_EQ(out.out,
            "경고: 경로가 윈도우 폴더로 설정되어 있습니다. 더이상 진행할수 없습니다. "
            "해당 삭제 설정을 해제합니다.\n");
}

}  // namespace
}  // namespace vantrel
