// The real Qorv.exe asks a real web server for the version file shortly
// after it starts: against nginx (the *WebServer* suite, run by
// scripts/web-test.sh) and against servers of this test's own, or none.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "web_test_support.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr char kTitle[] = "Vantrel V.ZEL";
constexpr char kQuestionCaption[] = "자동 업데이트";
constexpr char kVersionFile[] = "~kvq0417\\qorv\\QORV.RQ";
constexpr char kVersionRequestLine[] = "GET /%7ekvq0417/qorv/QORV.RQ HTTP/1.1";
constexpr char kExactVersionRequest[] =
    "GET /%7ekvq0417/qorv/QORV.RQ HTTP/1.1\r\n"
    "Accept: *//*\r\n"
    "Accept-Language: ko\r\n"
    "User-Agent: Mozilla/4.0 (Windows; U; 32.bit)\r\n"
    "Host: 127.0.0.1:80\r\n"
    "\r\n";

std::string Question(const char* newVersion) {
  return std::string("새로운 버전이 올라왔습니다. 자동 업데이트를 하시겠습니까?\n\n지금 버전: 1.2  새로운 버전: ") +
         newVersion;
}

class UpdateCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = MakeFolder(ScratchFolder() + "run_" + std::to_string(++runs));
    ASSERT_TRUE(CopyFileA(BuiltProgram("Qorv.exe").c_str(), (folder + "Qorv.exe").c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileA(TestBuildFile("stand_in_program.exe").c_str(), (folder + "QorvUpDate.exe").c_str(), FALSE));
  }

  void TearDown() override {
    if (HWND updater = StandInWindow("QorvUpDate")) PostMessageA(updater, WM_CLOSE, 0, 0);
  }

  void Start() {
    qorv = std::make_unique<RunningProgram>(folder + "Qorv.exe", "", folder);
    ASSERT_TRUE(qorv->Started());
    main = WaitForVisibleWindow(kTitle, 20000);
    ASSERT_NE(main, nullptr) << "Qorv.exe never showed its window";
  }

  HWND WaitForQuestion() {
    HWND box = nullptr;
    WaitUntil([&] { return (box = VisibleMessageBox(kQuestionCaption)) != nullptr; }, 20000);
    return box;
  }

  bool Running() const { return qorv->ExitCode() == STILL_ACTIVE; }

  // The window thread handles messages (and is not stuck behind the check).
  bool Answers() const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
  }

  void CloseAndExpectExit() {
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(qorv->WaitForExit(10000)) << "the program did not end after its window was closed";
  }

  static inline int runs = 0;
  std::string folder;
  std::unique_ptr<RunningProgram> qorv;
  HWND main = nullptr;
};

class UpdateCheckWebServerTest : public UpdateCheckTest {
 protected:
  void SetUp() override {
    UpdateCheckTest::SetUp();
    ServeFile("count.html", "<html>hit</html>");
  }

  static std::vector<std::string> VersionRequests() {
    std::vector<std::string> found;
    for (const std::string& entry : AccessLog()) {
      if (StartsWith(entry, kVersionRequestLine)) found.push_back(entry);
    }
    return found;
  }
};

TEST_F(UpdateCheckWebServerTest, AHigherVersionAsksAndNoKeepsTheProgramRunning) {
  ServeFile(kVersionFile, "VersionQorv13\r\n");
  const std::size_t requestsBefore = AccessLog().size();
  Start();
  ASSERT_FALSE(HasFatalFailure());

  HWND box = WaitForQuestion();
  ASSERT_NE(box, nullptr) << "no question for version 1.3";
  EXPECT_EQ(MessageBoxText(box), Question("1.3"));
  EXPECT_EQ(GetWindow(box, GW_OWNER), main);
  ShowAndPaint(box, 200, 200);
  EXPECT_TRUE(Capture(box).SaveBmp(ScratchFolder() + "update_question.bmp"));
  PressButton(box, IDNO);
  ASSERT_TRUE(WaitUntil([&] { return VisibleMessageBox(kQuestionCaption) == nullptr; }, 5000));

  Sleep(1000);
  EXPECT_TRUE(Running());
  EXPECT_TRUE(Answers());
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_TRUE(StandInStarts(folder, "QorvUpDate").empty()) << "the updater was started after \"no\"";

  // The counter first, then exactly one version request with exactly its headers.
  const std::vector<std::string> log = AccessLog();
  ASSERT_EQ(log.size(), requestsBefore + 2);
  EXPECT_TRUE(StartsWith(log[requestsBefore], "GET /count.html?id=417 HTTP/1.1|")) << log[requestsBefore];
  EXPECT_NE(log[requestsBefore].find("|AddCount|"), std::string::npos) << log[requestsBefore];
  EXPECT_EQ(log[requestsBefore + 1],
            std::string(kVersionRequestLine) + "|*//*|ko|Mozilla/4.0 (Windows; U; 32.bit)|127.0.0.1:80|-|-|200");
  CloseAndExpectExit();
}

TEST_F(UpdateCheckWebServerTest, YesStartsTheUpdaterInTheProgramFolderAndClosesAfterSaving) {
  ServeFile(kVersionFile, "VersionQorv 125");
  ASSERT_FALSE(FileExists(folder + "SetupData.Sav"));
  Start();
  ASSERT_FALSE(HasFatalFailure());

  HWND box = WaitForQuestion();
  ASSERT_NE(box, nullptr) << "no question for version 12.5";
  EXPECT_EQ(MessageBoxText(box), Question("12.5"));
  PressButton(box, IDYES);

  EXPECT_TRUE(qorv->WaitForExit(20000)) << "Qorv.exe did not close after \"yes\"";
  EXPECT_TRUE(FileExists(folder + "SetupData.Sav")) << "the settings were not saved on the way out";
  ASSERT_TRUE(WaitUntil([&] { return StandInStarts(folder, "QorvUpDate").size() == 2; }, 10000));
  EXPECT_EQ(StandInStarts(folder, "QorvUpDate"),
            (std::vector<std::string>{"R.Q.X", folder.substr(0, folder.size() - 1)}));
}

TEST_F(UpdateCheckWebServerTest, NoQuestionForTheSameVersionAnUnreadableOneOrAnErrorPage) {
  struct Case {
    const char* name;
    const char* versionFile;  // nullptr: not on the server, nginx answers 404
    const char* status;
  };
  const Case cases[] = {
      {"same version", "VersionQorv12\r\n", "|200"},
      {"equals sign before the number", "VersionQorv=13\r\n", "|200"},
      {"error page", nullptr, "|404"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.versionFile != nullptr) {
      ServeFile(kVersionFile, c.versionFile);
    } else {
      RemoveServedFile(kVersionFile);
    }
    const std::size_t before = VersionRequests().size();
    Start();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(WaitUntil([&] { return VersionRequests().size() == before + 1; }, 20000)) << "no version request";
    EXPECT_NE(VersionRequests().back().find(c.status), std::string::npos) << VersionRequests().back();
    Sleep(1500);
    EXPECT_EQ(VisibleMessageBox(kQuestionCaption), nullptr);
    EXPECT_TRUE(Running());
    EXPECT_TRUE(Answers());
    CloseAndExpectExit();
  }
}

TEST_F(UpdateCheckWebServerTest, YesDuringACleaningRunLetsTheRunFinishThenSavesAndCloses) {
  char temp[MAX_PATH] = {};
  ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
  const std::string seed = MakeFolder(std::string(temp) + "vantrel_update_during_run");
  constexpr int kSeeded = 4000;
  for (int i = 0; i < kSeeded; ++i) WriteBytes(seed + "f" + std::to_string(i) + ".tmp", "x");
  ServeFile(kVersionFile, "VersionQorv13");
  Start();
  ASSERT_FALSE(HasFatalFailure());
  HWND box = WaitForQuestion();
  ASSERT_NE(box, nullptr);

  // The question leaves the main window disabled; the command still arrives.
  PostMessageA(main, WM_COMMAND, MAKEWPARAM(1068, BN_CLICKED), 0);
  HWND progress = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (progress = VisibleOwnedWindowWith(main, 1056)) != nullptr; }, 10000));
  ASSERT_TRUE(WaitUntil([&] { return !FileExists(seed + "f0.tmp"); }, 60000)) << "the run did not reach the seed";
  ASSERT_TRUE(FileExists(seed + "f" + std::to_string(kSeeded - 1) + ".tmp")) << "the run ended too soon";
  PressButton(box, IDYES);

  EXPECT_TRUE(qorv->WaitForExit(120000)) << "Qorv.exe did not close after the run";
  for (int i = 0; i < kSeeded; ++i) {
    if (FileExists(seed + "f" + std::to_string(i) + ".tmp")) {
      ADD_FAILURE() << "the run was cut short at file " << i;
      break;
    }
  }
  EXPECT_TRUE(FileExists(folder + "SetupData.Sav"));
  EXPECT_TRUE(WaitUntil([&] { return StandInStarts(folder, "QorvUpDate").size() == 2; }, 10000));
}

class UpdateCheckOwnServerTest : public UpdateCheckTest {
 protected:
  static void AnswerCounter(SOCKET connection) {
    SendAll(connection, "HTTP/1.1 200 OK\r\nContent-Length: 3\r\nConnection: close\r\n\r\nhit");
  }
};

TEST_F(UpdateCheckOwnServerTest, WithoutAServerTheProgramStaysQuiet) {
  Start();
  ASSERT_FALSE(HasFatalFailure());
  Sleep(5000);
  EXPECT_EQ(VisibleMessageBox(kQuestionCaption), nullptr);
  EXPECT_TRUE(Running());
  EXPECT_TRUE(Answers());
  CloseAndExpectExit();
}

TEST_F(UpdateCheckOwnServerTest, AServerThatNeverAnswersLeavesTheProgramUsableAndEndingDoesNotWaitForIt) {
  // The version request is never answered: its connection stays open until
  // the server goes, and the program waits in its one receive meanwhile.
  HANDLE stop = nullptr;
  LoopbackServer server([&stop](SOCKET connection, const std::string& request) {
    if (StartsWith(request, "GET /count.html")) return AnswerCounter(connection);
    WaitForSingleObject(stop, INFINITE);
  });
  stop = server.StopEvent();
  ASSERT_TRUE(server.Listening()) << "port 80 is taken";
  Start();
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(WaitUntil([&] { return server.Requests().size() >= 2; }, 20000));
  const std::vector<std::string> requests = server.Requests();
  EXPECT_TRUE(StartsWith(requests[0], "GET /count.html?id=417 HTTP/1.1\r\n"));
  EXPECT_EQ(requests[1], kExactVersionRequest);
  Sleep(1000);
  EXPECT_EQ(VisibleMessageBox(kQuestionCaption), nullptr);
  EXPECT_TRUE(Answers());
  CloseAndExpectExit();
}

TEST_F(UpdateCheckOwnServerTest, EndingWhileTheQuestionIsOpenDoesNotWaitForIt) {
  LoopbackServer server([](SOCKET connection, const std::string& request) {
    if (StartsWith(request, "GET /count.html")) return AnswerCounter(connection);
    SendAll(connection, "HTTP/1.1 200 OK\r\nContent-Length: 13\r\n\r\nVersionQorv13");
  });
  ASSERT_TRUE(server.Listening()) << "port 80 is taken";
  Start();
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_NE(WaitForQuestion(), nullptr);
  EXPECT_TRUE(Answers()) << "the window thread waits for the question";
  CloseAndExpectExit();
  EXPECT_TRUE(StandInStarts(folder, "QorvUpDate").empty());
}

TEST_F(UpdateCheckOwnServerTest, AVersionReplyInTwoPiecesIsSeen) {
  LoopbackServer server([](SOCKET connection, const std::string& request) {
    if (StartsWith(request, "GET /count.html")) return AnswerCounter(connection);
    SendAll(connection, "HTTP/1.1 200 OK\r\nContent-Length: 13\r\n\r\n");
    Sleep(200);
    SendAll(connection, "VersionQorv13");
  });
  ASSERT_TRUE(server.Listening()) << "port 80 is taken";
  Start();
  ASSERT_FALSE(HasFatalFailure());
  HWND box = WaitForQuestion();
  ASSERT_NE(box, nullptr) << "the offer in the second piece was lost";
  EXPECT_EQ(MessageBoxText(box), Question("1.3"));
  PressButton(box, IDNO);
  CloseAndExpectExit();
}

TEST_F(UpdateCheckOwnServerTest, ACounterThatNeverAnswersDoesNotStopTheVersionRequest) {
  HANDLE stop = nullptr;
  LoopbackServer server([&stop](SOCKET connection, const std::string& request) {
    if (StartsWith(request, "GET /count.html")) {
      WaitForSingleObject(stop, INFINITE);
      return;
    }
    SendAll(connection, "HTTP/1.1 200 OK\r\nContent-Length: 13\r\nConnection: close\r\n\r\nVersionQorv13");
  });
  stop = server.StopEvent();
  ASSERT_TRUE(server.Listening()) << "port 80 is taken";
  Start();
  ASSERT_FALSE(HasFatalFailure());
  HWND box = WaitForQuestion();
  ASSERT_NE(box, nullptr) << "the silent counter held the version request up";
  PressButton(box, IDNO);
  CloseAndExpectExit();
}

TEST_F(UpdateCheckOwnServerTest, YesStartsOnlyTheUpdaterBesideTheProgram) {
  // Started from a shortcut whose "Start in" holds a QorvUpDate.exe, from a
  // folder without one.
  ASSERT_TRUE(DeleteFileA((folder + "QorvUpDate.exe").c_str()));
  const std::string elsewhere = MakeFolder(folder + "start_in");
  ASSERT_TRUE(
      CopyFileA(TestBuildFile("stand_in_program.exe").c_str(), (elsewhere + "QorvUpDate.exe").c_str(), FALSE));
  LoopbackServer server([](SOCKET connection, const std::string& request) {
    if (StartsWith(request, "GET /count.html")) return AnswerCounter(connection);
    SendAll(connection, "HTTP/1.1 200 OK\r\nContent-Length: 13\r\nConnection: close\r\n\r\nVersionQorv13");
  });
  ASSERT_TRUE(server.Listening()) << "port 80 is taken";
  qorv = std::make_unique<RunningProgram>(folder + "Qorv.exe", "", elsewhere);
  ASSERT_TRUE(qorv->Started());
  main = WaitForVisibleWindow(kTitle, 20000);
  ASSERT_NE(main, nullptr);
  HWND box = WaitForQuestion();
  ASSERT_NE(box, nullptr);
  PressButton(box, IDYES);
  Sleep(2000);
  EXPECT_TRUE(StandInStarts(elsewhere, "QorvUpDate").empty()) << "the updater of the current folder was started";
  EXPECT_TRUE(Running()) << "the program closed without an updater to hand over to";
  CloseAndExpectExit();
}

}  // namespace
}  // namespace vantrel
