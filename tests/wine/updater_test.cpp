// The real QorvUpDate.exe replaces a Qorv.exe (a stand-in program) from a
// real web server: nginx (the *WebServer* suite, run by scripts/web-test.sh)
// and servers of this test's own that misbehave on purpose.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "web_test_support.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr char kUpdaterTitle[] = "Vantrel 업데이트 v0.2";
constexpr char kServedProgram[] = "~kvq0417\\qorv\\Qorv.exe";
constexpr char kServedSignature[] = "~kvq0417\\qorv\\Qorv.exe.sig";
constexpr char kServedNotes[] = "~kvq0417\\qorv\\UpDateInf.txt";
constexpr char kBrokenDownload[] = "연결을할 수 없습니다\n홈페이지에 가셔서 직접 받으세요..";
constexpr char kNotes[] = "Vantrel 1.3\r\n- faster cleaning\r\n";

class UpdaterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = MakeFolder(ScratchFolder() + "run_" + std::to_string(++runs));
    ASSERT_TRUE(CopyFileA(BuiltProgram("QorvUpDate.exe").c_str(), (folder + "QorvUpDate.exe").c_str(), FALSE));
    const std::string standIn = ReadBytes(TestBuildFile("stand_in_program.exe"));
    ASSERT_FALSE(standIn.empty());
    // Both run; the bytes at the end tell them apart. The new one comes
    // signed with the test key, which the test build's updater trusts.
    oldProgram = standIn + "old release 1.2";
    newProgram = ReadBytes(TestBuildFile("signed_update\\Qorv.exe"));
    signature = ReadBytes(TestBuildFile("signed_update\\Qorv.exe.sig"));
    ASSERT_EQ(newProgram.compare(0, standIn.size() + 15, standIn + "new release 1.3"), 0);
    ASSERT_EQ(signature.size(), 256u);
    WriteBytes(folder + "Qorv.exe", oldProgram);
  }

  void TearDown() override {
    if (HWND standIn = StandInWindow("Qorv")) PostMessageA(standIn, WM_CLOSE, 0, 0);
  }

  void StartUpdater(const std::string& commandLine = "R.Q.X") {
    updater = std::make_unique<RunningProgram>(folder + "QorvUpDate.exe", commandLine, folder);
    ASSERT_TRUE(updater->Started());
  }

  // Presses OK on the message box with this caption and returns its text.
  static std::string AnswerMessage(const char* caption, int button = IDOK) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = VisibleMessageBox(caption)) != nullptr; }, 30000)) return "<no message>";
    const std::string text = MessageBoxText(box);
    PressButton(box, button);
    WaitUntil([&] { return !IsWindow(box); }, 5000);
    return text;
  }

  void ExpectOldProgramBackAndNothingStarted() {
    EXPECT_TRUE(updater->WaitForExit(30000)) << "the updater did not end";
    EXPECT_TRUE(ReadBytes(folder + "Qorv.exe") == oldProgram) << "Qorv.exe is not the old program";
    EXPECT_FALSE(FileExists(folder + "Qorv.bak"));
    Sleep(500);
    EXPECT_TRUE(StandInStarts(folder, "Qorv").empty()) << "a program was started";
  }

  void ExpectNewProgramInstalledAndRunning() {
    EXPECT_TRUE(updater->WaitForExit(30000)) << "the updater did not end";
    EXPECT_TRUE(ReadBytes(folder + "Qorv.exe") == newProgram) << "Qorv.exe is not the new program";
    EXPECT_FALSE(FileExists(folder + "Qorv.bak"));
    ASSERT_TRUE(WaitUntil([&] { return StandInStarts(folder, "Qorv").size() == 2; }, 10000)) << "not started";
    EXPECT_EQ(StandInStarts(folder, "Qorv"), (std::vector<std::string>{"", folder.substr(0, folder.size() - 1)}));
    Sleep(500);
    EXPECT_NE(StandInWindow("Qorv"), nullptr) << "the new program did not stay running";
  }

  static int BarPosition() {
    HWND window = FindTestWindow(nullptr, kUpdaterTitle);
    DWORD_PTR position = 0;
    if (window == nullptr || !SendMessageTimeoutA(GetDlgItem(window, 1001), PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG,
                                                  5000, &position)) {
      return -1;
    }
    return static_cast<int>(position);
  }

  static inline int runs = 0;
  std::string folder;
  std::string oldProgram;
  std::string newProgram;
  std::string signature;
  std::unique_ptr<RunningProgram> updater;
};

void SetRegistryText(const std::string& key, const std::string& value) {
  HKEY opened = nullptr;
  if (RegCreateKeyA(HKEY_CLASSES_ROOT, key.c_str(), &opened) != ERROR_SUCCESS) return;
  RegSetValueExA(opened, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(opened);
}

class UpdaterWebServerTest : public UpdaterTest {
 protected:
  // Text files open in a stand-in viewer for the test, which notes each
  // file it was asked to show. The prefix's own .txt files point nowhere.
  void SetUp() override {
    UpdaterTest::SetUp();
    ASSERT_TRUE(CopyFileA(TestBuildFile("stand_in_program.exe").c_str(), (folder + "NotesViewer.exe").c_str(), FALSE));
    SetRegistryText(".txt", "VantrelTestText");
    SetRegistryText("VantrelTestText\\shell\\open\\command",
                    "\"" + folder + "NotesViewer.exe\" \"%1\"");
  }

  void TearDown() override {
    if (HWND viewer = StandInWindow("NotesViewer")) PostMessageA(viewer, WM_CLOSE, 0, 0);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "VantrelTestText\\shell\\open\\command");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "VantrelTestText\\shell\\open");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "VantrelTestText\\shell");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "VantrelTestText");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".txt");
    UpdaterTest::TearDown();
  }
};

TEST_F(UpdaterWebServerTest, InstallsTheNewProgramShowsTheNotesAndStartsIt) {
  ServeFile(kServedProgram, newProgram);
  ServeFile(kServedSignature, signature);
  ServeFile(kServedNotes, kNotes);
  WriteBytes(folder + "Qorv.bak", "stale backup");
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());

  HWND window = WaitForVisibleWindow(kUpdaterTitle, 10000);
  ASSERT_NE(window, nullptr);
  ShowAndPaint(window, 300, 300);
  EXPECT_TRUE(Capture(window).SaveBmp(ScratchFolder() + "updater.bmp"));

  ExpectNewProgramInstalledAndRunning();
  EXPECT_EQ(ReadBytes(folder + "UpDateInf.Txt"), kNotes);
  ASSERT_TRUE(WaitUntil([&] { return StandInStarts(folder, "NotesViewer").size() == 2; }, 10000))
      << "the release notes were not shown";
  EXPECT_EQ(StandInStarts(folder, "NotesViewer")[0], "\"" + folder + "UpDateInf.Txt\"");

  std::vector<std::string> requests;
  for (const std::string& entry : AccessLog()) {
    if (entry.find("kvq0417") != std::string::npos) requests.push_back(entry);
  }
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_TRUE(StartsWith(requests[0], "GET /~kvq0417/qorv/Qorv.exe HTTP/1.1|")) << requests[0];
  EXPECT_NE(requests[0].find("|QorvVersionUp|"), std::string::npos) << requests[0];
  EXPECT_EQ(requests[1],
            "GET /%7ekvq0417/qorv/Qorv.exe HTTP/1.1|*/*|ko|Mozilla/4.0(Windows; U; 32.bit)|127.0.0.1:80|bytes=-0|-|416");
  EXPECT_TRUE(StartsWith(requests[2], "GET /~kvq0417/qorv/Qorv.exe.sig HTTP/1.1|")) << requests[2];
  EXPECT_TRUE(StartsWith(requests[3], "GET /~kvq0417/qorv/UpDateInf.txt HTTP/1.1|")) << requests[3];
}

TEST_F(UpdaterWebServerTest, InstallsOnlyAProgramSignedWithTheBuiltInKey) {
  std::string changed = newProgram;
  changed[changed.size() / 2] ^= 0x01;
  struct Case {
    const char* name;
    std::string program;
    std::string signature;  // empty: no signature on the server
  };
  const Case cases[] = {
      {"unsigned", newProgram, ""},
      {"one byte changed after signing", changed, signature},
      {"signed with another key", newProgram, ReadBytes(TestBuildFile("signed_update\\Qorv.exe.other-key.sig"))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(folder + "Qorv.exe", oldProgram);
    ServeFile(kServedProgram, c.program);
    if (c.signature.empty()) {
      RemoveServedFile(kServedSignature);
    } else {
      ServeFile(kServedSignature, c.signature);
    }
    ServeFile(kServedNotes, kNotes);
    StartUpdater();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(AnswerMessage("ERROR"), kBrokenDownload);
    ExpectOldProgramBackAndNothingStarted();
    EXPECT_FALSE(FileExists(folder + "UpDateInf.Txt"));
  }
}

TEST_F(UpdaterWebServerTest, AProgramMissingOnTheServerLeavesTheOldOneInPlace) {
  RemoveServedFile(kServedProgram);
  ServeFile(kServedNotes, kNotes);
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(AnswerMessage("ERROR"), kBrokenDownload);
  ExpectOldProgramBackAndNothingStarted();
  EXPECT_FALSE(FileExists(folder + "UpDateInf.Txt"));
}

class UpdaterOwnServerTest : public UpdaterTest {
 protected:
  // How the test's server hands out the program file.
  struct Plan {
    std::string sizeReply;            // the reply to the size request
    HANDLE answerSize = nullptr;      // when set, the size request waits for it
    std::size_t bodyBytes = 0;        // how much of the program is sent (0: all)
    std::size_t slowAfter = 0;        // after this many bytes, one byte every 50 ms...
    HANDLE resume = nullptr;          // ...until this is signalled
    HANDLE slowStarted = nullptr;     // signalled when the slow part begins
  };

  static std::string RangeReply(std::size_t total) {
    return "HTTP/1.1 416 Requested Range Not Satisfiable\r\nContent-Length: 0\r\nContent-Range: bytes */" +
           std::to_string(total) + "\r\nConnection: close\r\n\r\n";
  }

  void Serve(const Plan& plan) {
    server = std::make_unique<LoopbackServer>([this, plan](SOCKET connection, const std::string& request) {
      if (StartsWith(request, "GET /%7ekvq0417/qorv/Qorv.exe") &&
          request.find("Range: bytes=-0") != std::string::npos) {
        if (plan.answerSize != nullptr) WaitForSingleObject(plan.answerSize, INFINITE);
        return SendAll(connection, plan.sizeReply);
      }
      if (StartsWith(request, "GET /~kvq0417/qorv/Qorv.exe.sig")) {
        return SendAll(connection, "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(signature.size()) +
                                       "\r\nConnection: close\r\n\r\n" + signature);
      }
      if (StartsWith(request, "GET /~kvq0417/qorv/UpDateInf.txt")) {
        return SendAll(connection, "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(std::string(kNotes).size()) +
                                       "\r\nConnection: close\r\n\r\n" + kNotes);
      }
      if (!StartsWith(request, "GET /~kvq0417/qorv/Qorv.exe")) {
        return SendAll(connection, "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
      }
      const std::string body = newProgram.substr(0, plan.bodyBytes == 0 ? newProgram.size() : plan.bodyBytes);
      SendAll(connection, "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(newProgram.size()) +
                              "\r\nConnection: close\r\n\r\n");
      if (plan.slowAfter == 0) return SendAll(connection, body);
      SendAll(connection, body.substr(0, plan.slowAfter));
      SetEvent(plan.slowStarted);
      std::size_t at = plan.slowAfter;
      while (at < body.size() && WaitForSingleObject(plan.resume, 50) == WAIT_TIMEOUT) {
        SendAll(connection, body.substr(at++, 1));
      }
      if (at < body.size()) SendAll(connection, body.substr(at));
    });
    ASSERT_TRUE(server->Listening()) << "port 80 is taken";
  }

  // The slow transfer: STOP pressed while bytes trickle in; returns the
  // bar's position while the question is open, then answers it.
  int StopDuringTheTransfer(Plan& plan, int answer) {
    if (WaitForSingleObject(plan.slowStarted, 30000) != WAIT_OBJECT_0) return -2;
    HWND window = FindTestWindow(nullptr, kUpdaterTitle);
    if (window == nullptr) return -3;
    Sleep(1000);
    PostMessageA(GetDlgItem(window, 1002), BM_CLICK, 0, 0);
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = VisibleMessageBox("중지")) != nullptr; }, 20000)) return -4;
    EXPECT_EQ(MessageBoxText(box), "중지합니까?");
    const int position = BarPosition();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(Capture(window).SaveBmp(ScratchFolder() + "updater_stop_" + std::to_string(position) + ".bmp"));
    PressButton(box, answer);
    SetEvent(plan.resume);
    return position;
  }

  void TearDown() override {
    UpdaterTest::TearDown();
    // An updater still running (a question left open) is ended here.
    updater.reset();
    server.reset();
  }

  std::unique_ptr<LoopbackServer> server;
};

TEST_F(UpdaterOwnServerTest, AWrongCommandLineTouchesNothing) {
  for (const char* commandLine : {"", "r.q.x", "R.Q.XX"}) {
    SCOPED_TRACE(commandLine);
    StartUpdater(commandLine);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(AnswerMessage("QorvUpDate"), "이 업데이트는 락(Lock)이 걸렸습니다.");
    EXPECT_TRUE(updater->WaitForExit(10000));
    EXPECT_TRUE(ReadBytes(folder + "Qorv.exe") == oldProgram);
    EXPECT_FALSE(FileExists(folder + "Qorv.bak"));
  }
}

TEST_F(UpdaterOwnServerTest, AProgramThatCannotBeMovedAsideKeepsEverythingAsItWas) {
  // Held open without sharing, as a folder without write rights would, the
  // file cannot be renamed.
  HANDLE held = CreateFileA((folder + "Qorv.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(AnswerMessage("ERROR"),
            "Qorv.exe 파일을 바꿀 수 없습니다.\n폴더에 쓰기 권한이 있는지 확인하거나 홈페이지에 가셔서 직접 받으세요.");
  CloseHandle(held);
  ExpectOldProgramBackAndNothingStarted();
}

TEST_F(UpdaterOwnServerTest, ATruncatedBodyOrAWrongSizeLeavesTheOldProgram) {
  struct Case {
    const char* name;
    bool truncated;
    std::size_t namedSize;
  };
  const Case cases[] = {{"truncated body", true, 0}, {"wrong size", false, 1000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(folder + "Qorv.exe", oldProgram);
    Plan plan;
    plan.sizeReply = RangeReply(newProgram.size() + c.namedSize);
    plan.bodyBytes = c.truncated ? newProgram.size() / 2 : 0;
    Serve(plan);
    ASSERT_FALSE(HasFatalFailure());
    StartUpdater();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(AnswerMessage("ERROR"), kBrokenDownload);
    ExpectOldProgramBackAndNothingStarted();
    server.reset();
  }
}

TEST_F(UpdaterOwnServerTest, WithoutASizeTheBarIsScaledTo390000AndStopAnsweredNoCompletes) {
  Plan plan;
  plan.sizeReply = "HTTP/1.1 416 Requested Range Not Satisfiable\r\nContent-Length: 197\r\nConnection: close\r\n\r\n";
  plan.slowAfter = 195000;
  plan.resume = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  plan.slowStarted = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  Serve(plan);
  ASSERT_FALSE(HasFatalFailure());
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());
  // 195000 bytes and a few more of 390000.
  EXPECT_EQ(StopDuringTheTransfer(plan, IDNO), 50);
  ExpectNewProgramInstalledAndRunning();
  EXPECT_EQ(ReadBytes(folder + "UpDateInf.Txt"), kNotes);
  CloseHandle(plan.resume);
  CloseHandle(plan.slowStarted);
}

TEST_F(UpdaterOwnServerTest, StopAnsweredYesPutsTheOldProgramBack) {
  Plan plan;
  plan.sizeReply = RangeReply(newProgram.size());
  plan.slowAfter = 195000;
  plan.resume = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  plan.slowStarted = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  Serve(plan);
  ASSERT_FALSE(HasFatalFailure());
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(StopDuringTheTransfer(plan, IDYES), static_cast<int>(195000 * 100 / newProgram.size()));
  ExpectOldProgramBackAndNothingStarted();
  CloseHandle(plan.resume);
  CloseHandle(plan.slowStarted);
}

TEST_F(UpdaterOwnServerTest, ASizeRequestThatIsNeverAnsweredOnlyDelaysTheUpdate) {
  Plan plan;
  plan.sizeReply = RangeReply(newProgram.size());
  plan.answerSize = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  Serve(plan);
  ASSERT_FALSE(HasFatalFailure());
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_FALSE(updater->WaitForExit(20000)) << "gave up waiting for the size too soon";
  ExpectNewProgramInstalledAndRunning();
  SetEvent(plan.answerSize);
  server.reset();
  CloseHandle(plan.answerSize);
}

TEST_F(UpdaterOwnServerTest, TheNewProgramStartsOnlyAfterTheOldOnesWindowIsGone) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "OldQorvWindow";
  RegisterClassA(&windowClass);
  HWND oldWindow = CreateWindowA("OldQorvWindow", "Vantrel V.ZEL", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(oldWindow, nullptr);
  Plan plan;
  plan.sizeReply = RangeReply(newProgram.size());
  Serve(plan);
  ASSERT_FALSE(HasFatalFailure());
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());

  ASSERT_TRUE(WaitUntil([&] { return FileExists(folder + "UpDateInf.Txt") && !FileExists(folder + "Qorv.bak"); },
                      30000));
  Sleep(2000);
  EXPECT_TRUE(StandInStarts(folder, "Qorv").empty()) << "started while the old program's window was there";
  EXPECT_FALSE(updater->WaitForExit(0));
  DestroyWindow(oldWindow);
  ExpectNewProgramInstalledAndRunning();
}

}  // namespace
}  // namespace vantrel
