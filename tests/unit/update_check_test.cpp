#include "online/update_check.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "fakes/fake_clock.h"
#include "fakes/fake_internet.h"
#include "fakes/fake_sockets.h"
#include "fakes/memory_update_files.h"
#include "fakes/recording_message_boxes.h"
#include "fakes/recording_program_starter.h"

namespace vantrel {
namespace {

using testing::FakeClock;
using testing::FakeInternet;
using testing::FakeSockets;
using testing::MemoryUpdateFiles;
using testing::Script;
using testing::RecordingMessageBoxes;
using testing::RecordingProgramStarter;

constexpr char kCounterPage[] = "http://count.example/count.html?id=417";
constexpr char kAppFolder[] = "C:\\Program Files\\Vantrel";
constexpr char kUpdater[] = "C:\\Program Files\\Vantrel\\QorvUpDate.exe";
constexpr char kVersionLine[] = "GET /%7ekvq0417/qorv/QORV.RQ HTTP/1.1";

TEST(VersionRequestTest, IsExactlyTheFiveHeaderLinesAndTheBlankLine) {
  EXPECT_EQ(VersionRequest("update.example.kr"),
            "GET /%7ekvq0417/qorv/QORV.RQ HTTP/1.1\r\n"
            "Accept: *//*\r\n"
            "Accept-Language: ko\r\n"
            "User-Agent: Mozilla/4.0 (Windows; U; 32.bit)\r\n"
            "Host: update.example.kr:80\r\n"
            "\r\n");
}

struct VersionCase {
  const char* name;
  std::string reply;
  long version;
};

std::string Http(const std::string& body) {
  return "HTTP/1.1 200 OK\r\nServer: nginx\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

class ServerVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(ServerVersionTest, ReadsTheNumberAfterTheKeyAsAtolDoes) {
  EXPECT_EQ(ServerVersion(GetParam().reply), GetParam().version);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ServerVersionTest,
    ::testing::Values(
        VersionCase{"KeyThen13", Http("VersionQorv13\r\n"), 13},
        VersionCase{"KeyBlank13", Http("VersionQorv 13\r\n"), 13},
        VersionCase{"KeyTabsAndNewlines13", Http("VersionQorv\t\r\n 13"), 13},
        VersionCase{"KeyEquals13", Http("VersionQorv=13\r\n"), 0},
        VersionCase{"KeyThen12", Http("VersionQorv12"), 12},
        VersionCase{"KeyThen125", Http("VersionQorv125 and more text"), 125},
        VersionCase{"KeyThenNothing", Http("VersionQorv"), 0},
        VersionCase{"KeyAtVeryEnd", "VersionQorv", 0},
        VersionCase{"NegativeNumber", Http("VersionQorv-14"), -14},
        VersionCase{"FirstKeyCounts", Http("VersionQorv11 VersionQorv99"), 11},
        VersionCase{"KeyIsCaseSensitive", Http("versionqorv13"), 0},
        VersionCase{"NoKey", Http("Version 13"), 0},
        VersionCase{"ErrorPage",
                    "HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\n\r\n<html><head><title>404 Not "
                    "Found</title></head><body><center><h1>404 Not Found</h1></center></body></html>",
                    0},
        VersionCase{"HeadersOnly", "HTTP/1.1 200 OK\r\nContent-Length: 13\r\n\r\n", 0},
        VersionCase{"Empty", "", 0},
        VersionCase{"TextEndsAtZeroByte", std::string("HTTP/1.1 200 OK\r\n\r\n\0VersionQorv13", 33), 0},
        VersionCase{"NumberEndsAtZeroByte", std::string("VersionQorv1\0" "3", 14), 1},
        VersionCase{"FullBufferWithoutTerminator", std::string(986, 'x') + "VersionQorv13", 13},
        VersionCase{"HugeNumber", Http("VersionQorv99999999999999999999999"), std::numeric_limits<long>::max()}),
    [](const ::testing::TestParamInfo<VersionCase>& info) { return std::string(info.param.name); });

TEST(UpdateQuestionTest, ShowsBothVersionsWithOneDecimal) {
  EXPECT_EQ(UpdateQuestion(13),
            "새로운 버전이 올라왔습니다. 자동 업데이트를 하시겠습니까?\n\n지금 버전: 1.2  새로운 버전: 1.3");
  EXPECT_EQ(UpdateQuestion(125),
            "새로운 버전이 올라왔습니다. 자동 업데이트를 하시겠습니까?\n\n지금 버전: 1.2  새로운 버전: 12.5");
}

class UpdateCheckTest : public ::testing::Test {
 protected:
  UpdateCheckTest() {
    internet.log = &journal;
    sockets.log = &journal;
    internet.Serve(kCounterPage, "<html>hit</html>");
    files.files[kUpdater] = "the updater";
  }

  void Reply(const std::string& reply, std::size_t chunkSize = 4096) { sockets.Answer(kVersionLine, reply, chunkSize); }

  void Run() {
    UpdateCheck check(UpdateCheckPorts{internet, sockets, clock, files, messages, starter,
                                       [this] { journal.push_back("WM_CLOSE"); }},
                      "update.example.kr", kCounterPage, kAppFolder);
    check.Run();
  }

  std::vector<std::string> journal;
  FakeInternet internet;
  FakeSockets sockets;
  FakeClock clock;
  MemoryUpdateFiles files;
  RecordingMessageBoxes messages;
  RecordingProgramStarter starter;
};

TEST_F(UpdateCheckTest, VisitsTheCounterFirstThenAsksOnceForTheVersionFile) {
  Reply(Http("VersionQorv12"));
  Run();
  EXPECT_EQ(journal, (std::vector<std::string>{"InternetOpen AddCount", std::string("Fetch ") + kCounterPage,
                                               std::string("Drop ") + kCounterPage, "InternetClose",
                                               "Exchange update.example.kr:80", "CloseSocket"}));
  ASSERT_EQ(sockets.sent.size(), 1u);
  EXPECT_EQ(sockets.sent[0], VersionRequest("update.example.kr"));
  EXPECT_EQ(sockets.replyLimits, std::vector<std::size_t>{1000});
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(starter.started.empty());
}

TEST_F(UpdateCheckTest, ASilentCounterIsLeftBehindAndTheVersionIsStillAsked) {
  Script silent;
  silent.status = 0;
  silent.end = Incoming::State::kWaiting;
  internet.replies[kCounterPage] = silent;
  Reply(Http("VersionQorv13"));
  Run();
  EXPECT_GE(clock.now - 1000, 5000u);
  EXPECT_LT(clock.now - 1000, 5100u);
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(UpdateCheckTest, TheReplyIsReadUntilItIsCompleteHoweverItIsSplit) {
  struct Case {
    const char* name;
    Script reply;
    bool asks;
  };
  Script split = Script::Of(Http("VersionQorv13"), 10);
  Script headersThenClose = Script::Of("HTTP/1.1 200 OK\r\n\r\nVersion", 100);
  headersThenClose.chunks.push_back("Qorv13");
  Script silentAfterBody = Script::Of("HTTP/1.1 200 OK\r\nConnection: keep-alive\r\n\r\nVersionQorv13", 7);
  silentAfterBody.end = Incoming::State::kWaiting;
  Script silentBeforeKey = Script::Of("HTTP/1.1 200 OK\r\n\r\nVersion", 100);
  silentBeforeKey.end = Incoming::State::kWaiting;
  Script endless;
  endless.endlessChunk = "VersionQorv";
  Script brokenAfterKey = Script::Of("HTTP/1.1 200 OK\r\n\r\nVersionQorv13\r\n", 100);
  brokenAfterKey.end = Incoming::State::kFailed;
  const Case cases[] = {
      {"ten bytes at a time", split, true},
      {"the body after the headers", headersThenClose, true},
      {"kept open after the body", silentAfterBody, true},
      {"silent before the key", silentBeforeKey, false},
      {"endless", endless, false},
      {"broken off after the key", brokenAfterKey, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sockets.replies[kVersionLine] = c.reply;
    messages.shown.clear();
    clock.now = 1000;
    Run();
    EXPECT_EQ(messages.shown.size(), c.asks ? 1u : 0u);
    EXPECT_LE(clock.now - 1000, 30000u) << "waited past the deadline";
  }
}

TEST_F(UpdateCheckTest, AHigherVersionAsksAndYesStartsTheUpdaterThenClosesTheMainWindow) {
  Reply(Http("VersionQorv13"));
  messages.answer = mb::kIdYes;
  Run();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, UpdateQuestion(13));
  EXPECT_EQ(messages.shown[0].caption, "자동 업데이트");
  EXPECT_EQ(messages.shown[0].style, mb::kYesNo);
  ASSERT_EQ(starter.started.size(), 1u);
  EXPECT_EQ(starter.started[0].verb, "open");
  EXPECT_EQ(starter.started[0].file, kUpdater);
  EXPECT_EQ(starter.started[0].parameters, "R.Q.X");
  EXPECT_EQ(starter.started[0].folder, kAppFolder);
  const std::vector<std::string> end(journal.end() - 2, journal.end());
  EXPECT_EQ(end, (std::vector<std::string>{"CloseSocket", "WM_CLOSE"}));
}

TEST_F(UpdateCheckTest, TheCloseIsSentEvenWhenTheUpdaterCannotStart) {
  Reply(Http("VersionQorv13"));
  messages.answer = mb::kIdYes;
  starter.succeeds = false;
  Run();
  EXPECT_EQ(journal.back(), "WM_CLOSE");
}

TEST_F(UpdateCheckTest, WithoutAnUpdaterBesideTheProgramNothingIsStartedAndTheProgramGoesOn) {
  files.files.clear();
  files.files["QorvUpDate.exe"] = "an updater in the current folder";
  Reply(Http("VersionQorv13"));
  messages.answer = mb::kIdYes;
  Run();
  EXPECT_TRUE(starter.started.empty());
  EXPECT_NE(journal.back(), "WM_CLOSE");
}

TEST_F(UpdateCheckTest, NoLeavesTheProgramAlone) {
  Reply(Http("VersionQorv13"));
  messages.answer = mb::kIdNo;
  Run();
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(starter.started.empty());
  EXPECT_EQ(journal.back(), "CloseSocket");
}

TEST_F(UpdateCheckTest, AKeyBeyondTheFirstThousandBytesIsNoUpdate) {
  Reply(std::string(995, 'x') + "VersionQorv13", 300);
  Run();
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(UpdateCheckTest, AFullBlockIsReadOnlyAsFarAsItArrived) {
  // The number would read 13 if the reader ran past the thousand bytes.
  Reply(std::string(988, 'x') + "VersionQorv1" + "3", 300);
  Run();
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(UpdateCheckTest, SilentFailures) {
  struct Case {
    const char* name;
    bool internetOpens;
    bool counterServed;
    bool resolves;
    std::string reply;
    bool asks;
  };
  const Case cases[] = {
      {"no Internet handle for the counter", false, true, true, Http("VersionQorv13"), true},
      {"counter page missing", true, false, true, Http("VersionQorv13"), true},
      {"name lookup fails", true, true, false, Http("VersionQorv13"), false},
      {"failed or empty receive", true, true, true, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeInternet freshInternet;
    FakeSockets freshSockets;
    FakeClock freshClock;
    RecordingMessageBoxes freshMessages;
    RecordingProgramStarter freshStarter;
    freshInternet.opens = c.internetOpens;
    if (c.counterServed) freshInternet.Serve(kCounterPage, "hit");
    freshSockets.resolves = c.resolves;
    freshSockets.Answer(kVersionLine, c.reply);
    int closes = 0;
    UpdateCheck check(
        UpdateCheckPorts{freshInternet, freshSockets, freshClock, files, freshMessages, freshStarter,
                         [&closes] { ++closes; }},
        "update.example.kr", kCounterPage, kAppFolder);
    check.Run();
    EXPECT_EQ(freshMessages.shown.size(), c.asks ? 1u : 0u);
    EXPECT_TRUE(freshStarter.started.empty());
    EXPECT_EQ(closes, 0);
    EXPECT_EQ(freshSockets.sent.size(), c.resolves ? 1u : 0u);
  }
}

}  // namespace
}  // namespace vantrel
