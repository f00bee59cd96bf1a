// The real QorvUpDate.exe replaces a Qorv.exe (a stand-in program) from a
// real web server: nginx (the *WebServer* suite, run by scripts/web-test.sh)
// and servers of this test's own that misbehave on purpose, as a man in the
// middle of plain HTTP could.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <wininet.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "web_test_support.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr char kUpdaterTitle[] = "Vantrel 업데이트 v0.2";
// Each width's program has its own name on the server.
const std::string kServedName = sizeof(void*) == 8 ? "Qorv.exe" : "Qorv32.exe";
const std::string kServedProgram = "~kvq0417\\qorv\\" + kServedName;
const std::string kServedSignature = kServedProgram + ".sig";
constexpr char kServedNotes[] = "~kvq0417\\qorv\\UpDateInf.txt";
constexpr char kServedVersion[] = "~kvq0417\\qorv\\QORV.RQ";
const std::string kProgramPath = "/~kvq0417/qorv/" + kServedName;
constexpr char kBrokenDownload[] = "연결을할 수 없습니다\n홈페이지에 가셔서 직접 받으세요..";
constexpr char kNotTheMakers[] =
    "받은 파일이 제작사의 프로그램이 아닙니다.\n지금 버전을 그대로 둡니다.\n홈페이지에 가셔서 직접 받으세요..";
constexpr char kCannotReplace[] =
    "Qorv.exe 파일을 바꿀 수 없습니다.\n지금 버전을 그대로 둡니다.\n폴더에 쓰기 권한이 있는지 확인하거나\n홈페이지에 가셔서 직접 받으세요.";
constexpr char kDiskFull[] = "디스크 공간이 부족합니다.\n지금 버전을 그대로 둡니다.";
constexpr char kNotes[] = "Vantrel 1.3\r\n- faster cleaning\r\n";

class UpdaterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = MakeFolder(ScratchFolder() + "run_" + std::to_string(++runs));
    ASSERT_TRUE(CopyFileA(BuiltProgram("QorvUpDate.exe").c_str(), (folder + "QorvUpDate.exe").c_str(), FALSE));
    const std::string standIn = ReadBytes(TestBuildFile("stand_in_program.exe"));
    ASSERT_FALSE(standIn.empty());
    // Both run; their version resources (1.2 and 1.3) and the bytes at the
    // end tell them apart. The new one comes signed with the test key, which
    // the test build's updater trusts.
    oldProgram = standIn + "old release 1.2";
    newProgram = ReadBytes(TestBuildFile("signed_update\\Qorv.exe"));
    signature = ReadBytes(TestBuildFile("signed_update\\Qorv.exe.sig"));
    ASSERT_GT(newProgram.size(), 300000u);
    ASSERT_EQ(signature.size(), 256u);
    WriteBytes(folder + "Qorv.exe", oldProgram);
  }

  // The folder holds the old program and nothing the update left.
  void ExpectOnlyTheOldProgram() {
    EXPECT_TRUE(ReadBytes(folder + "Qorv.exe") == oldProgram) << "Qorv.exe is not the old program";
    EXPECT_FALSE(FileExists(folder + "Qorv.bak"));
    EXPECT_FALSE(FileExists(folder + "Qorv.new"));
  }

  void TearDown() override {
    if (HasFailure() && updater) ReportWhereTheUpdaterGotTo();
    if (HWND standIn = StandInWindow("Qorv")) PostMessageA(standIn, WM_CLOSE, 0, 0);
  }

  // For a failed case: whether the updater still runs, and what its window
  // says, or how it ended.
  void ReportWhereTheUpdaterGotTo() const {
    if (updater->WaitForExit(0)) {
      std::cout << "the updater ended with " << updater->ExitCode() << "\n";
    } else if (HWND window = FindTestWindow(nullptr, kUpdaterTitle)) {
      std::cout << "the updater still runs; its window says \"" << TextOfWindow(GetDlgItem(window, 1000)) << "\"\n";
      if (HWND box = VisibleMessageBox(nullptr, window)) {
        std::cout << "it asks \"" << TitleOf(box) << "\": \"" << MessageBoxText(box) << "\"\n";
      }
    } else {
      std::cout << "the updater still runs, without its window\n";
    }
  }

  void StartUpdater(const std::string& commandLine = "R.Q.X") {
    updater = std::make_unique<RunningProgram>(folder + "QorvUpDate.exe", commandLine, folder);
    ASSERT_TRUE(updater->Started());
  }

  // Presses OK on the message box with this caption and returns its text;
  // with a picture name, saves what the box shows first.
  static std::string AnswerMessage(const char* caption, int button = IDOK, const char* picture = nullptr) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = VisibleMessageBox(caption)) != nullptr; }, 30000)) return "<no message>";
    const std::string text = MessageBoxText(box);
    if (picture != nullptr) {
      ShowAndPaint(box, 200, 200);
      RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      EXPECT_TRUE(Capture(box).SaveBmp(ScratchFolder() + picture));
    }
    PressButton(box, button);
    WaitUntil([&] { return !IsWindow(box); }, 5000);
    return text;
  }

  void ExpectOldProgramBackAndNothingStarted() {
    EXPECT_TRUE(updater->WaitForExit(30000)) << "the updater did not end";
    ExpectOnlyTheOldProgram();
    Sleep(500);
    EXPECT_TRUE(StandInStarts(folder, "Qorv").empty()) << "a program was started";
  }

  void ExpectNewProgramInstalledAndRunning() {
    EXPECT_TRUE(updater->WaitForExit(30000)) << "the updater did not end";
    EXPECT_TRUE(ReadBytes(folder + "Qorv.exe") == newProgram) << "Qorv.exe is not the new program";
    EXPECT_FALSE(FileExists(folder + "Qorv.bak"));
    EXPECT_FALSE(FileExists(folder + "Qorv.new"));
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
  ServeFile(kServedVersion, "VersionQorv13\r\n");
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
  ASSERT_EQ(requests.size(), 5u);
  EXPECT_EQ(requests[0], "GET /%7ekvq0417/qorv/" + kServedName +
                             " HTTP/1.1|*/*|ko|Mozilla/4.0(Windows; U; 32.bit)|127.0.0.1:80|bytes=-0|-|416");
  EXPECT_EQ(requests[1],
            "GET /%7ekvq0417/qorv/QORV.RQ HTTP/1.1|*//*|ko|Mozilla/4.0 (Windows; U; 32.bit)|127.0.0.1:80|-|-|200");
  EXPECT_TRUE(StartsWith(requests[2], "GET " + kProgramPath + " HTTP/1.1|")) << requests[2];
  EXPECT_NE(requests[2].find("|QorvVersionUp|"), std::string::npos) << requests[2];
  EXPECT_TRUE(StartsWith(requests[3], "GET " + kProgramPath + ".sig HTTP/1.1|")) << requests[3];
  EXPECT_TRUE(StartsWith(requests[4], "GET /~kvq0417/qorv/UpDateInf.txt HTTP/1.1|")) << requests[4];

  // Nothing of the update stays in the Internet cache.
  for (const std::string& path : {kProgramPath, kProgramPath + ".sig", std::string("/~kvq0417/qorv/UpDateInf.txt")}) {
    DWORD size = 0;
    EXPECT_FALSE(GetUrlCacheEntryInfoA(("http://127.0.0.1" + path).c_str(), nullptr, &size) ||
                 GetLastError() == ERROR_INSUFFICIENT_BUFFER)
        << path << " is in the Internet cache";
  }
}

TEST_F(UpdaterWebServerTest, InstallsOnlyTheAnnouncedNewerProgramOfItsWidthSignedWithTheBuiltInKey) {
  std::string changed = newProgram;
  changed[changed.size() / 2] ^= 0x01;
  struct Case {
    const char* name;
    std::string program;
    std::string signature;  // empty: no signature on the server
    const char* announced;
  };
  const Case cases[] = {
      {"unsigned", newProgram, "", "VersionQorv13"},
      {"one byte changed after signing", changed, signature, "VersionQorv13"},
      {"signed with another key", newProgram, ReadBytes(TestBuildFile("signed_update\\Qorv.exe.other-key.sig")),
       "VersionQorv13"},
      {"an older signed program announced as newer", ReadBytes(TestBuildFile("signed_update\\Qorv-1.1.exe")),
       ReadBytes(TestBuildFile("signed_update\\Qorv-1.1.exe.sig")), "VersionQorv99"},
      {"the other width's signed program", ReadBytes(TestBuildFile("signed_update\\Qorv-other-width.exe")),
       ReadBytes(TestBuildFile("signed_update\\Qorv-other-width.exe.sig")), "VersionQorv13"},
      {"a newer signed program than the one announced", newProgram, signature, "VersionQorv125"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(folder + "Qorv.exe", oldProgram);
    ServeFile(kServedVersion, c.announced);
    ServeFile(kServedProgram, c.program);
    if (c.signature.empty()) {
      RemoveServedFile(kServedSignature);
    } else {
      ServeFile(kServedSignature, c.signature);
    }
    ServeFile(kServedNotes, kNotes);
    StartUpdater();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(AnswerMessage("ERROR"), kNotTheMakers);
    ExpectOldProgramBackAndNothingStarted();
    EXPECT_FALSE(FileExists(folder + "UpDateInf.Txt"));
  }
}

TEST_F(UpdaterWebServerTest, AProgramMissingOnTheServerLeavesTheOldOneInPlace) {
  ServeFile(kServedVersion, "VersionQorv13");
  RemoveServedFile(kServedProgram);
  ServeFile(kServedNotes, kNotes);
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(AnswerMessage("ERROR"), kBrokenDownload);
  ExpectOldProgramBackAndNothingStarted();
  EXPECT_FALSE(FileExists(folder + "UpDateInf.Txt"));
}

// Sends bytes endlessly until the client lets go or the server stops.
void SendForever(SOCKET connection, HANDLE stop, char filler) {
  const std::string chunk(16384, filler);
  while (WaitForSingleObject(stop, 0) == WAIT_TIMEOUT) {
    if (send(connection, chunk.data(), static_cast<int>(chunk.size()), 0) <= 0) return;
  }
}

// Clicks the middle of a window with the mouse, through the input queue as
// a user's click comes: a move, a press and a release.
bool ClickWithTheMouse(HWND window) {
  HWND top = GetAncestor(window, GA_ROOT);
  SetWindowPos(top, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(top);
  const RECT rect = WindowRectOf(window);
  const POINT middle = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  if (WindowFromPoint(middle) != window) return false;
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = middle.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = middle.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  return SendInput(3, inputs, sizeof(INPUT)) == 3;
}

class UpdaterOwnServerTest : public UpdaterTest {
 protected:
  // How the test's server answers. Anything silent waits until the server
  // stops.
  struct Plan {
    std::string sizeReply;            // the reply to the size request
    HANDLE answerSize = nullptr;      // when set, the size request waits for it
    std::string announcement = "HTTP/1.1 200 OK\r\nContent-Length: 13\r\nConnection: close\r\n\r\nVersionQorv13";
    std::string program;              // the program's body (empty: the new program)
    std::size_t bodyBytes = 0;        // how much of the program is sent (0: all)
    bool programSilent = false;       // no answer at all to the program request
    bool programEndless = false;      // after the program, bytes without end
    std::size_t slowAfter = 0;        // after this many bytes, one byte every trickleMs...
    DWORD trickleMs = 50;
    HANDLE resume = nullptr;          // ...until this is signalled
    HANDLE slowStarted = nullptr;     // signalled when the slow part (or the silence) begins
    std::string signature;            // the signature (empty: the new program's)
    bool signatureMissing = false;
    bool signatureSilent = false;
    bool notesEndless = false;
  };

  static std::string RangeReply(std::size_t total) {
    return "HTTP/1.1 416 Requested Range Not Satisfiable\r\nContent-Length: 0\r\nContent-Range: bytes */" +
           std::to_string(total) + "\r\nConnection: close\r\n\r\n";
  }

  static std::string Ok(std::size_t length) {
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(length) + "\r\nConnection: close\r\n\r\n";
  }

  void Serve(const Plan& plan) {
    server = std::make_unique<LoopbackServer>([this, plan](SOCKET connection, const std::string& request) {
      const HANDLE stop = server->StopEvent();
      if (StartsWith(request, "GET /%7ekvq0417/qorv/" + kServedName) &&
          request.find("Range: bytes=-0") != std::string::npos) {
        if (plan.answerSize != nullptr) WaitForSingleObject(plan.answerSize, INFINITE);
        return SendAll(connection, plan.sizeReply);
      }
      if (StartsWith(request, "GET /%7ekvq0417/qorv/QORV.RQ")) return SendAll(connection, plan.announcement);
      if (StartsWith(request, "GET " + kProgramPath + ".sig")) {
        if (plan.signatureSilent) {
          if (plan.slowStarted != nullptr) SetEvent(plan.slowStarted);
          WaitForSingleObject(stop, INFINITE);
          return;
        }
        if (plan.signatureMissing) return SendAll(connection, "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
        const std::string& signed_ = plan.signature.empty() ? signature : plan.signature;
        return SendAll(connection, Ok(signed_.size()) + signed_);
      }
      if (StartsWith(request, "GET /~kvq0417/qorv/UpDateInf.txt")) {
        if (!plan.notesEndless) return SendAll(connection, Ok(std::string(kNotes).size()) + kNotes);
        SendAll(connection, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
        return SendForever(connection, stop, 'r');
      }
      if (!StartsWith(request, "GET " + kProgramPath + " ")) {
        return SendAll(connection, "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
      }
      if (plan.programSilent) {
        if (plan.slowStarted != nullptr) SetEvent(plan.slowStarted);
        WaitForSingleObject(stop, INFINITE);
        return;
      }
      const std::string& program = plan.program.empty() ? newProgram : plan.program;
      const std::string body = program.substr(0, plan.bodyBytes == 0 ? program.size() : plan.bodyBytes);
      if (plan.programEndless) {
        SendAll(connection, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + body);
        return SendForever(connection, stop, '\0');
      }
      SendAll(connection, Ok(program.size()));
      if (plan.slowAfter == 0) return SendAll(connection, body);
      SendAll(connection, body.substr(0, plan.slowAfter));
      SetEvent(plan.slowStarted);
      std::size_t at = plan.slowAfter;
      while (at < body.size() && WaitForSingleObject(plan.resume, plan.trickleMs) == WAIT_TIMEOUT &&
             WaitForSingleObject(stop, 0) == WAIT_TIMEOUT) {
        SendAll(connection, body.substr(at++, 1));
      }
      if (at < body.size() && WaitForSingleObject(stop, 0) == WAIT_TIMEOUT) SendAll(connection, body.substr(at));
    });
    ASSERT_TRUE(server->Listening()) << "port 80 is taken";
  }

  static Plan SlowPlan(std::size_t total) {
    Plan plan;
    plan.sizeReply = RangeReply(total);
    plan.slowAfter = 195000;
    plan.resume = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    plan.slowStarted = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    return plan;
  }

  // Starts the updater against a trickle; its window once the trickle has
  // begun, or nullptr.
  HWND StartUpdaterIntoATrickle(Plan& plan) {
    Serve(plan);
    if (HasFatalFailure()) return nullptr;
    StartUpdater();
    if (HasFatalFailure()) return nullptr;
    if (WaitForSingleObject(plan.slowStarted, 30000) != WAIT_OBJECT_0) {
      ADD_FAILURE() << "the server's slow part never began";
      return nullptr;
    }
    return FindTestWindow(nullptr, kUpdaterTitle);
  }

  static void Release(Plan& plan) {
    if (plan.resume != nullptr) CloseHandle(plan.resume);
    if (plan.slowStarted != nullptr) CloseHandle(plan.slowStarted);
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

  // A user's click on STOP once slowStarted is signalled: the question must
  // come within a second. Returns the question box, or nullptr.
  HWND ClickStopAndExpectTheQuestionAtOnce(const Plan& plan) {
    if (WaitForSingleObject(plan.slowStarted, 30000) != WAIT_OBJECT_0) {
      ADD_FAILURE() << "the server's slow part never began";
      return nullptr;
    }
    HWND window = WaitForVisibleWindow(kUpdaterTitle, 10000);
    if (window == nullptr) {
      ADD_FAILURE() << "no updater window";
      return nullptr;
    }
    Sleep(300);
    const DWORD clicked = GetTickCount();
    if (!ClickWithTheMouse(GetDlgItem(window, 1002))) {
      ADD_FAILURE() << "STOP could not be clicked";
      return nullptr;
    }
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = VisibleMessageBox("중지")) != nullptr; }, 10000)) {
      ADD_FAILURE() << "no question within 10 s of the click";
      return nullptr;
    }
    EXPECT_LT(GetTickCount() - clicked, 1000u) << "the question came late";
    EXPECT_EQ(MessageBoxText(box), "중지합니까?");
    return box;
  }

  void TearDown() override {
    if (HasFailure() && server) {
      for (const std::string& request : server->Requests()) {
        std::cout << "the server was asked: " << request.substr(0, request.find("\r\n")) << "\n";
      }
    }
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
  // file cannot be renamed: the checked download cannot be swapped in.
  Plan plan;
  plan.sizeReply = RangeReply(newProgram.size());
  Serve(plan);
  ASSERT_FALSE(HasFatalFailure());
  HANDLE held = CreateFileA((folder + "Qorv.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(AnswerMessage("ERROR", IDOK, "cannot_replace.bmp"), kCannotReplace);
  CloseHandle(held);
  ExpectOldProgramBackAndNothingStarted();
}

TEST_F(UpdaterOwnServerTest, ARejectedProgramLeavesNothingBehindWhileQorvExeIsInUse) {
  // A running Qorv.exe: open for reading, shared for reading.
  Plan plan;
  plan.sizeReply = RangeReply(newProgram.size());
  plan.signatureMissing = true;
  Serve(plan);
  ASSERT_FALSE(HasFatalFailure());
  HANDLE running =
      CreateFileA((folder + "Qorv.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(running, INVALID_HANDLE_VALUE);
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(AnswerMessage("ERROR", IDOK, "not_the_makers.bmp"), kNotTheMakers);
  CloseHandle(running);
  ExpectOldProgramBackAndNothingStarted();
}

TEST_F(UpdaterOwnServerTest, ATruncatedBodyOrAWrongSizeLeavesTheOldProgram) {
  struct Case {
    const char* name;
    bool truncated;
    std::size_t namedSize;
    const char* message;
  };
  const Case cases[] = {{"truncated body", true, 0, kBrokenDownload},
                        {"fewer bytes than named", false, 1000, kBrokenDownload},
                        {"more bytes than named", false, static_cast<std::size_t>(-1000), kNotTheMakers}};
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
    EXPECT_EQ(AnswerMessage("ERROR"), c.message);
    ExpectOldProgramBackAndNothingStarted();
    server.reset();
  }
}

TEST_F(UpdaterOwnServerTest, SizeHeadersAreReadInAnyCase) {
  // Read, the size is wrong by a thousand bytes and the download cannot be
  // the program named; ignored, the download would be installed.
  Plan plan;
  plan.sizeReply = "HTTP/1.1 416 Requested Range Not Satisfiable\r\ncontent-range: bytes */" +
                   std::to_string(newProgram.size() + 1000) + "\r\nconnection: close\r\n\r\n";
  Serve(plan);
  ASSERT_FALSE(HasFatalFailure());
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(AnswerMessage("ERROR"), kBrokenDownload);
  ExpectOldProgramBackAndNothingStarted();
}

TEST_F(UpdaterOwnServerTest, WithoutASizeTheBarIsScaledTo390000AndStopAnsweredNoCompletes) {
  Plan plan = SlowPlan(0);
  plan.sizeReply = "HTTP/1.1 416 Requested Range Not Satisfiable\r\nContent-Length: 197\r\nConnection: close\r\n\r\n";
  Serve(plan);
  ASSERT_FALSE(HasFatalFailure());
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());
  // 195000 bytes and a few more of 390000.
  EXPECT_EQ(StopDuringTheTransfer(plan, IDNO), 50);
  ExpectNewProgramInstalledAndRunning();
  EXPECT_EQ(ReadBytes(folder + "UpDateInf.Txt"), kNotes);
  Release(plan);
}

TEST_F(UpdaterOwnServerTest, StopAnsweredYesPutsTheOldProgramBack) {
  Plan plan = SlowPlan(newProgram.size());
  Serve(plan);
  ASSERT_FALSE(HasFatalFailure());
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(StopDuringTheTransfer(plan, IDYES), static_cast<int>(195000 * 100 / newProgram.size()));
  ExpectOldProgramBackAndNothingStarted();
  Release(plan);
}

TEST_F(UpdaterOwnServerTest, AClickOnStopIsAnsweredAtOnceHoweverTheServerStalls) {
  struct Case {
    const char* name;
    std::function<void(Plan&)> arrange;
  };
  const Case cases[] = {
      {"a trickle, one byte every 300 ms", [](Plan& plan) { plan.trickleMs = 300; }},
      {"silence before the reply",
       [](Plan& plan) {
         plan.slowAfter = 0;
         plan.programSilent = true;
       }},
      {"a program whose signature never comes",
       [](Plan& plan) {
         plan.slowAfter = 0;
         plan.signatureSilent = true;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(folder + "Qorv.exe", oldProgram);
    Plan plan = SlowPlan(newProgram.size());
    c.arrange(plan);
    Serve(plan);
    ASSERT_FALSE(HasFatalFailure());
    StartUpdater();
    ASSERT_FALSE(HasFatalFailure());
    HWND box = ClickStopAndExpectTheQuestionAtOnce(plan);
    ASSERT_NE(box, nullptr);
    // Meanwhile Qorv.exe is the old program, whatever has arrived.
    EXPECT_TRUE(ReadBytes(folder + "Qorv.exe") == oldProgram);
    PressButton(box, IDYES);
    ExpectOldProgramBackAndNothingStarted();
    server.reset();
    Release(plan);
  }
}

TEST_F(UpdaterOwnServerTest, ClosingTheWindowDuringATrickleEndsTheTransferAtOnce) {
  Plan plan = SlowPlan(newProgram.size());
  HWND window = StartUpdaterIntoATrickle(plan);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(updater->WaitForExit(3000)) << "the updater went on after its window was closed";
  ExpectOldProgramBackAndNothingStarted();
  Release(plan);
}

TEST_F(UpdaterOwnServerTest, AnEndlessDownloadStopsAtTheNamedSize) {
  Plan plan;
  plan.sizeReply = RangeReply(newProgram.size());
  plan.programEndless = true;
  Serve(plan);
  ASSERT_FALSE(HasFatalFailure());
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());
  // Watched while it runs: the download never grows past the size named.
  std::size_t largest = 0;
  HWND box = nullptr;
  WaitUntil([&] {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA((folder + "Qorv.new").c_str(), GetFileExInfoStandard, &data)) {
      largest = std::max<std::size_t>(largest, data.nFileSizeLow);
    }
    return (box = VisibleMessageBox("ERROR")) != nullptr;
  }, 30000);
  ASSERT_NE(box, nullptr);
  EXPECT_LE(largest, newProgram.size());
  EXPECT_EQ(MessageBoxText(box), kNotTheMakers);
  PressButton(box, IDOK);
  ExpectOldProgramBackAndNothingStarted();
}

TEST_F(UpdaterOwnServerTest, AnEndlessDownloadOnASmallDiskSaysTheDiskIsFull) {
  // tests/wine/updater_test.fixture.sh mounts a small disk here.
  const std::string smallDisk = ScratchFolder() + "small_disk\\";
  ULARGE_INTEGER available = {};
  ULARGE_INTEGER total = {};
  if (!GetDiskFreeSpaceExA(smallDisk.c_str(), &available, nullptr, &total) || total.QuadPart > 16ull << 20) {
    GTEST_SKIP() << "no small disk mounted at " << smallDisk;
  }
  folder = MakeFolder(smallDisk + "run_" + std::to_string(runs));
  ASSERT_TRUE(CopyFileA(BuiltProgram("QorvUpDate.exe").c_str(), (folder + "QorvUpDate.exe").c_str(), FALSE));
  WriteBytes(folder + "Qorv.exe", oldProgram);
  Plan plan;
  plan.sizeReply = "HTTP/1.1 416 Requested Range Not Satisfiable\r\nConnection: close\r\n\r\n";
  plan.programEndless = true;
  Serve(plan);
  ASSERT_FALSE(HasFatalFailure());
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(AnswerMessage("ERROR", IDOK, "disk_full.bmp"), kDiskFull);
  ExpectOldProgramBackAndNothingStarted();
  ASSERT_TRUE(GetDiskFreeSpaceExA(smallDisk.c_str(), &available, nullptr, nullptr));
  EXPECT_GT(available.QuadPart, 100000u) << "the disk was left full";
}

TEST_F(UpdaterOwnServerTest, EndlessNotesStopAtTheirLimitAndTheUpdateCompletes) {
  Plan plan;
  plan.sizeReply = RangeReply(newProgram.size());
  plan.notesEndless = true;
  Serve(plan);
  ASSERT_FALSE(HasFatalFailure());
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());
  ExpectNewProgramInstalledAndRunning();
  EXPECT_EQ(ReadBytes(folder + "UpDateInf.Txt").size(), 65536u);
}

TEST_F(UpdaterOwnServerTest, AnUpdateEndedInTheMiddleIsPutRightAtTheNextStart) {
  // An updater ended from outside during its download.
  Plan plan = SlowPlan(newProgram.size());
  HWND window = StartUpdaterIntoATrickle(plan);
  ASSERT_NE(window, nullptr);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, processId);
  ASSERT_NE(process, nullptr);
  TerminateProcess(process, 1);
  CloseHandle(process);
  ASSERT_TRUE(updater->WaitForExit(10000));
  EXPECT_TRUE(ReadBytes(folder + "Qorv.exe") == oldProgram) << "the old program was touched before the swap";
  server.reset();
  Release(plan);

  // What an updater ended in the middle could leave: a download beside the
  // program, only the backup, or a fragment under the program's name.
  struct Case {
    const char* name;
    std::function<void()> arrange;
  };
  const Case cases[] = {
      {"the download beside the program", [] {}},
      {"only the backup",
       [this] {
         DeleteFileA((folder + "Qorv.exe").c_str());
         WriteBytes(folder + "Qorv.bak", oldProgram);
       }},
      {"a fragment as Qorv.exe",
       [this] {
         WriteBytes(folder + "Qorv.exe", newProgram.substr(0, 1000));
         WriteBytes(folder + "Qorv.bak", oldProgram);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.arrange();
    // No server now: the update itself cannot go on.
    StartUpdater();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(AnswerMessage("ERROR"), kBrokenDownload);
    ExpectOldProgramBackAndNothingStarted();
  }
}

TEST_F(UpdaterOwnServerTest, ASizeRequestThatIsNeverAnsweredOnlyDelaysTheUpdate) {
  Plan plan;
  plan.sizeReply = RangeReply(newProgram.size());
  plan.answerSize = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  Serve(plan);
  ASSERT_FALSE(HasFatalFailure());
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_FALSE(updater->WaitForExit(20000))
      << "gave up waiting for the size too soon (the updater ended with " << updater->ExitCode() << ")";
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
  // Gone at the end of the case, however it ends: a later updater would wait for it.
  std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)> oldWindow(
      CreateWindowA("OldQorvWindow", "Vantrel V.ZEL", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                    GetModuleHandleA(nullptr), nullptr),
      &DestroyWindow);
  ASSERT_NE(oldWindow, nullptr);
  Plan plan;
  plan.sizeReply = RangeReply(newProgram.size());
  Serve(plan);
  ASSERT_FALSE(HasFatalFailure());
  StartUpdater();
  ASSERT_FALSE(HasFatalFailure());

  // The status, not the file: a look into Qorv.exe at the moment of the swap
  // would hold it open and make the rename fail.
  ASSERT_TRUE(WaitUntil([&] {
    HWND window = FindTestWindow(nullptr, kUpdaterTitle);
    return window != nullptr && TextOfWindow(GetDlgItem(window, 1000)) == "업데이트 완료!";
  }, 30000)) << "the update did not complete";
  EXPECT_TRUE(ReadBytes(folder + "Qorv.exe") == newProgram) << "Qorv.exe is not the new program";
  EXPECT_TRUE(FileExists(folder + "UpDateInf.Txt"));
  EXPECT_FALSE(FileExists(folder + "Qorv.bak"));
  Sleep(2000);
  EXPECT_TRUE(StandInStarts(folder, "Qorv").empty()) << "started while the old program's window was there";
  EXPECT_FALSE(updater->WaitForExit(0));
  oldWindow.reset();
  ExpectNewProgramInstalledAndRunning();
}

}  // namespace
}  // namespace vantrel
