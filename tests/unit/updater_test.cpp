#include "updater/updater.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_internet.h"
#include "fakes/fake_signature_checks.h"
#include "fakes/fake_sockets.h"
#include "fakes/memory_update_files.h"
#include "fakes/recording_message_boxes.h"
#include "fakes/recording_program_starter.h"
#include "fakes/recording_updater_view.h"

namespace vantrel {
namespace {

using testing::FakeInternet;
using testing::FakeSignatureChecks;
using testing::FakeSockets;
using testing::MemoryUpdateFiles;
using testing::RecordingMessageBoxes;
using testing::RecordingProgramStarter;
using testing::RecordingUpdaterView;

constexpr char kServer[] = "update.example.kr";
constexpr char kProgramUrl[] = "http://update.example.kr/~kvq0417/qorv/Qorv.exe";
constexpr char kSignatureUrl[] = "http://update.example.kr/~kvq0417/qorv/Qorv.exe.sig";
constexpr char kNotesUrl[] = "http://update.example.kr/~kvq0417/qorv/UpDateInf.txt";
constexpr char kExe[] = "C:\\Vantrel\\Qorv.exe";
constexpr char kBak[] = "C:\\Vantrel\\Qorv.bak";
constexpr char kNotes[] = "C:\\Vantrel\\UpDateInf.Txt";

// A Windows program's first bytes ("MZ", the PE header at 0x40), then filler.
std::string ProgramBytes(std::size_t size, char filler) {
  std::string bytes(size, filler);
  bytes.replace(0, 2, "MZ");
  bytes.replace(0x3C, 4, std::string("\x40\0\0\0", 4));
  bytes.replace(0x40, 4, std::string("PE\0\0", 4));
  return bytes;
}

std::string SizeReply(std::int64_t size) {
  return "HTTP/1.1 416 Requested Range Not Satisfiable\r\nServer: nginx/1.22.1\r\nContent-Type: text/html\r\n"
         "Content-Length: 197\r\nConnection: keep-alive\r\nContent-Range: bytes */" +
         std::to_string(size) + "\r\n\r\n<html>";
}

TEST(SizeRequestTest, IsExactlyTheSevenLines) {
  EXPECT_EQ(SizeRequest("update.example.kr"),
            "GET /%7ekvq0417/qorv/Qorv.exe HTTP/1.1\r\n"
            "Accept: */*\r\n"
            "Accept-Language: ko\r\n"
            "User-Agent: Mozilla/4.0(Windows; U; 32.bit)\r\n"
            "Host: update.example.kr:80\r\n"
            "Range: bytes=-0\r\n"
            "\r\n");
}

struct SizeCase {
  const char* name;
  std::string reply;
  std::int64_t bytes;
  bool named;
};

class ReadDownloadSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ReadDownloadSizeTest, TakesTheTotalOfTheRangeOrTheLengthOfAWholeReply) {
  const DownloadSize size = ReadDownloadSize(GetParam().reply);
  EXPECT_EQ(size.bytes, GetParam().bytes);
  EXPECT_EQ(size.named, GetParam().named);
}

std::string Padded(std::string reply, std::size_t size) {
  reply.resize(size, 'x');
  return reply;
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReadDownloadSizeTest,
    ::testing::Values(
        SizeCase{"Nginx416WithContentRange", SizeReply(400000), 400000, true},
        SizeCase{"Whole200WithContentLength", "HTTP/1.1 200 OK\r\nContent-Length: 400000\r\n\r\nMZ", 400000, true},
        SizeCase{"Partial206TakesTheTotal",
                 "HTTP/1.1 206 Partial Content\r\nContent-Length: 1\r\nContent-Range: bytes 399999-399999/400000\r\n\r\nx",
                 400000, true},
        SizeCase{"LengthOfAnErrorPageDoesNotCount",
                 "HTTP/1.1 416 Requested Range Not Satisfiable\r\nContent-Length: 197\r\n\r\n<html>", 390000, false},
        SizeCase{"UnknownTotal", "HTTP/1.1 416 Bad\r\nContent-Range: bytes */*\r\n\r\n", 390000, false},
        SizeCase{"NoLabel", "HTTP/1.1 200 OK\r\nServer: x\r\n\r\n", 390000, false},
        SizeCase{"LabelWithoutDigits", "HTTP/1.1 200 OK\r\nContent-Length: many\r\n\r\n", 390000, false},
        SizeCase{"ZeroLength", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", 390000, false},
        SizeCase{"DigitsAtTheVeryEndMayBeCutShort", "HTTP/1.1 200 OK\r\nContent-Length: 4000", 390000, false},
        SizeCase{"RangeAtTheVeryEndMayBeCutShort", "HTTP/1.1 416 X\r\nContent-Range: bytes */4000", 390000, false},
        SizeCase{"LineEndingAtTheLastByte", "HTTP/1.1 200 OK\r\nContent-Length: 4000\r", 4000, true},
        SizeCase{"FullThousandBytes", Padded("HTTP/1.1 200 OK\r\nContent-Length: 512000\r\nX-Pad: ", 1000), 512000, true},
        SizeCase{"LabelOnlyInTheBody", "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\nContent-Length: 5\r\n",
                 390000, false},
        SizeCase{"LabelIsCaseSensitive", "HTTP/1.1 200 OK\r\ncontent-length: 400000\r\n\r\n", 390000, false},
        SizeCase{"NotHttp", "Content-Length: 400000\r\n\r\n", 390000, false},
        SizeCase{"Empty", "", 390000, false}),
    [](const ::testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.name); });

TEST(LooksLikeWindowsProgramTest, WantsTheDosAndThePeSignatures) {
  EXPECT_TRUE(LooksLikeWindowsProgram(ProgramBytes(4096, 'x')));
  EXPECT_TRUE(LooksLikeWindowsProgram(ProgramBytes(0x44, 'x')));
  EXPECT_FALSE(LooksLikeWindowsProgram(ProgramBytes(0x44, 'x').substr(0, 0x43)));
  EXPECT_FALSE(LooksLikeWindowsProgram("<html><body>404 Not Found</body></html>" + std::string(100, ' ')));
  std::string noPe = ProgramBytes(4096, 'x');
  noPe[0x41] = 'X';
  EXPECT_FALSE(LooksLikeWindowsProgram(noPe));
  std::string farOffset = ProgramBytes(4096, 'x');
  farOffset.replace(0x3C, 4, std::string("\xFF\xFF\xFF\xFF", 4));
  EXPECT_FALSE(LooksLikeWindowsProgram(farOffset));
  EXPECT_FALSE(LooksLikeWindowsProgram(""));
}

class UpdaterTest : public ::testing::Test {
 public:
  UpdaterTest() {
    files.files[kExe] = oldProgram;
    internet.Serve(kProgramUrl, newProgram, 100000);
    internet.Serve(kNotesUrl, notesText, 10);
    internet.Serve(kSignatureUrl, signatures.signature, 7);
    signatures.signedBytes = newProgram;
    sockets.reply = SizeReply(static_cast<std::int64_t>(newProgram.size()));
  }

  Updater& Make(const std::string& commandLine = "R.Q.X") {
    updater = std::make_unique<Updater>(
        UpdaterPorts{view, messages, files, internet, sockets, starter, documents, signatures}, kServer, commandLine);
    return *updater;
  }

  // Start, both ticks: the whole update.
  void RunAll() {
    Make().Prepare();
    updater->OnTimer();
    updater->OnTimer();
  }

  void ExpectOldProgramBackAndNothingStarted() {
    EXPECT_EQ(files.files.count(kExe), 1u);
    if (files.files.count(kExe)) EXPECT_TRUE(files.files[kExe] == oldProgram) << "Qorv.exe is not the old program";
    EXPECT_EQ(files.files.count(kBak), 0u);
    EXPECT_TRUE(starter.started.empty());
    EXPECT_TRUE(documents.started.empty());
    EXPECT_EQ(view.closes, 1);
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& shown : messages.shown) texts.push_back(shown.text);
    return texts;
  }

  const std::string oldProgram = ProgramBytes(5000, 'o');
  const std::string newProgram = ProgramBytes(250000, 'n');
  const std::string notesText = "Vantrel 1.3: faster cleaning.\r\n";
  RecordingUpdaterView view;
  RecordingMessageBoxes messages;
  MemoryUpdateFiles files;
  FakeInternet internet;
  FakeSockets sockets;
  RecordingProgramStarter starter;
  RecordingProgramStarter documents;
  FakeSignatureChecks signatures;
  std::unique_ptr<Updater> updater;
};

TEST_F(UpdaterTest, AnyCommandLineButTheLaunchArgumentIsRefusedWithoutTouchingAFile) {
  for (const char* commandLine : {"", "r.q.x", "R.Q.X ", "R.Q.XX", "\"R.Q.X\"", "R.Q"}) {
    SCOPED_TRACE(commandLine);
    RecordingMessageBoxes freshMessages;
    RecordingUpdaterView freshView;
    Updater refused(UpdaterPorts{freshView, freshMessages, files, internet, sockets, starter, documents, signatures}, kServer,
                    commandLine);
    refused.Prepare();
    ASSERT_EQ(freshMessages.shown.size(), 1u);
    EXPECT_EQ(freshMessages.shown[0].text, "이 업데이트는 락(Lock)이 걸렸습니다.");
    EXPECT_EQ(freshMessages.shown[0].caption, "QorvUpDate");
    EXPECT_EQ(freshMessages.shown[0].style, mb::kIconHand);
    EXPECT_EQ(freshView.closes, 1);
    EXPECT_FALSE(freshView.timerRunning);
    EXPECT_EQ(refused.state(), Updater::State::kRefused);
  }
  EXPECT_TRUE(files.log.empty());
}

TEST_F(UpdaterTest, AFolderWithoutQorvExeIsRefusedWithoutTouchingAFile) {
  files.files.clear();
  files.files[kBak] = "stale";
  Make().Prepare();
  ASSERT_EQ(Texts(), std::vector<std::string>{"Qorv.exe 파일을 찾을 수 없습니다"});
  EXPECT_EQ(messages.shown[0].caption, "ERROR");
  EXPECT_EQ(messages.shown[0].style, mb::kIconHand);
  EXPECT_TRUE(files.log.empty());
  EXPECT_EQ(files.files[kBak], "stale");
}

TEST_F(UpdaterTest, PreparingDeletesAStaleBackupMakesANewOneAndStartsTheTimer) {
  files.files[kBak] = "stale";
  files.currentFolder = "C:\\Vantrel\\";
  Make().Prepare();
  EXPECT_EQ(updater->programFolder(), "C:\\Vantrel\\");
  EXPECT_EQ(files.log, (std::vector<std::string>{std::string("remove ") + kBak,
                                                 std::string("rename ") + kExe + " " + kBak}));
  EXPECT_EQ(files.files[kBak], oldProgram);
  EXPECT_EQ(files.files.count(kExe), 0u);
  EXPECT_EQ(view.statuses, std::vector<std::string>{"업데이트 준비..."});
  EXPECT_TRUE(view.timerRunning);
  EXPECT_EQ(updater->state(), Updater::State::kPrepared);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(UpdaterTest, AFolderItCannotWriteKeepsEverythingAsItWas) {
  files.readOnly = true;
  Make().Prepare();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "Qorv.exe 파일을 바꿀 수 없습니다.\n폴더에 쓰기 권한이 있는지 확인하거나 홈페이지에 가셔서 직접 받으세요.");
  EXPECT_EQ(messages.shown[0].caption, "ERROR");
  EXPECT_EQ(messages.shown[0].style, mb::kIconHand);
  EXPECT_FALSE(view.timerRunning);
  EXPECT_EQ(view.closes, 1);
  EXPECT_EQ(files.files.size(), 1u);
  EXPECT_EQ(files.files[kExe], oldProgram);
  EXPECT_TRUE(internet.calls.empty());
}

TEST_F(UpdaterTest, TheFirstTickOnlyCountsTheSecondRunsTheUpdate) {
  Make().Prepare();
  updater->OnTimer();
  EXPECT_EQ(updater->step(), 2);
  EXPECT_TRUE(internet.calls.empty());
  updater->OnTimer();
  EXPECT_EQ(updater->state(), Updater::State::kDone);
  EXPECT_FALSE(view.timerRunning);
  // A late tick does nothing more.
  const std::size_t calls = internet.calls.size();
  updater->OnTimer();
  EXPECT_EQ(internet.calls.size(), calls);
}

TEST_F(UpdaterTest, ACompleteUpdateReplacesTheProgramShowsTheNotesAndStartsIt) {
  RunAll();
  EXPECT_EQ(view.statuses, (std::vector<std::string>{"업데이트 준비...", "서버에 연결중...", "서버에 연결 완료.",
                                                     "다운로드 시작.", "다운로드 중...", "업데이트 완료!"}));
  EXPECT_EQ(internet.calls.front(), "InternetOpen QorvVersionUp");
  EXPECT_EQ(internet.calls[1], std::string("OpenUrl ") + kProgramUrl);
  EXPECT_EQ(sockets.calls.front(), "Connect update.example.kr:80");
  EXPECT_EQ(sockets.sent, std::vector<std::string>{SizeRequest(kServer)});
  EXPECT_EQ(sockets.receiveSizes, std::vector<std::size_t>{1000});
  EXPECT_EQ(sockets.timeouts, std::vector<unsigned>{30000});
  EXPECT_EQ(view.barResets, 1);
  EXPECT_EQ(view.positions, (std::vector<int>{40, 80, 100, 100, 100}));
  EXPECT_TRUE(files.files[kExe] == newProgram);
  EXPECT_EQ(files.files[kNotes], notesText);
  EXPECT_EQ(files.files.count(kBak), 0u);
  ASSERT_EQ(documents.started.size(), 1u);
  EXPECT_EQ(documents.started[0].verb, "");
  EXPECT_EQ(documents.started[0].file, kNotes);
  EXPECT_EQ(documents.started[0].parameters, "");
  EXPECT_EQ(documents.started[0].folder, "");
  ASSERT_EQ(starter.started.size(), 1u);
  EXPECT_EQ(starter.started[0].verb, "open");
  EXPECT_EQ(starter.started[0].file, "Qorv.exe");
  EXPECT_EQ(starter.started[0].parameters, "");
  EXPECT_EQ(starter.started[0].folder, "C:\\Vantrel\\");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(view.closes, 1);
  EXPECT_EQ(updater->state(), Updater::State::kDone);
}

TEST_F(UpdaterTest, TheSignatureIsCheckedOverTheWholeProgramBeforeTheNotesAndTheBackupGo) {
  RunAll();
  EXPECT_EQ(signatures.started, 1);
  EXPECT_EQ(signatures.verifications, 1);
  EXPECT_TRUE(signatures.lastChecked == newProgram);
  std::vector<std::string> opened;
  for (const std::string& call : internet.calls) {
    if (call.rfind("OpenUrl ", 0) == 0) opened.push_back(call.substr(8));
  }
  EXPECT_EQ(opened, (std::vector<std::string>{kProgramUrl, kSignatureUrl, kNotesUrl}));
  EXPECT_EQ(updater->state(), Updater::State::kDone);
}

TEST_F(UpdaterTest, WithoutANamedSizeTheBarIsScaledToTheFallback) {
  sockets.reply = "HTTP/1.1 416 Requested Range Not Satisfiable\r\nContent-Length: 197\r\n\r\n";
  RunAll();
  // 100000 of 390000 is 25 %, 200000 is 51 %, 250000 is 64 %.
  EXPECT_EQ(view.positions, (std::vector<int>{25, 51, 64, 64, 100}));
  EXPECT_EQ(updater->state(), Updater::State::kDone);
}

TEST_F(UpdaterTest, ConnectionFailuresPutTheOldProgramBackAfterTheirMessage) {
  struct Case {
    const char* name;
    bool internetOpens;
    bool programServed;
    bool resolves;
    const char* message;
  };
  const Case cases[] = {
      {"InternetOpenA fails", false, true, true, "인터넷에 연결할 수 없습니다"},
      {"program address fails", true, false, true, "연결을할 수 없습니다\n홈페이지에 가셔서 직접 받으세요.."},
      {"name lookup fails", true, true, false, "서버 경로를 찾을수 없습니다.\n홈페이지에 가셔서 직접 받아주십시오."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    files.files = {{kExe, oldProgram}};
    messages.shown.clear();
    starter.started.clear();
    view.closes = 0;
    internet.opens = c.internetOpens;
    if (!c.programServed) internet.replies.erase(kProgramUrl);
    sockets.resolves = c.resolves;
    RunAll();
    EXPECT_EQ(Texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(messages.shown[0].caption, "ERROR");
    ExpectOldProgramBackAndNothingStarted();
    EXPECT_EQ(updater->state(), Updater::State::kFailed);
    internet.Serve(kProgramUrl, newProgram, 100000);
  }
}

TEST_F(UpdaterTest, ABrokenDownloadIsNoSuccess) {
  struct Case {
    const char* name;
    std::function<void(UpdaterTest&)> arrange;
  };
  const Case cases[] = {
      {"a read fails", [](UpdaterTest& t) { t.internet.replies[kProgramUrl].failingRead = 1; }},
      {"fewer bytes than the server named",
       [](UpdaterTest& t) { t.sockets.reply = SizeReply(static_cast<std::int64_t>(t.newProgram.size()) + 1); }},
      {"more bytes than the server named",
       [](UpdaterTest& t) { t.sockets.reply = SizeReply(static_cast<std::int64_t>(t.newProgram.size()) - 1); }},
      {"an error page", [](UpdaterTest& t) { t.internet.Serve(kProgramUrl, ProgramBytes(250000, 'n'), 100000, 404); }},
      {"not a Windows program",
       [](UpdaterTest& t) { t.internet.Serve(kProgramUrl, std::string(250000, '<'), 100000); }},
      {"a write fails", [](UpdaterTest& t) { t.files.failingWrite = 1; }},
      {"no signature on the server", [](UpdaterTest& t) { t.internet.replies.erase(kSignatureUrl); }},
      {"an error page for the signature",
       [](UpdaterTest& t) { t.internet.Serve(kSignatureUrl, t.signatures.signature, 100, 404); }},
      {"a read of the signature fails", [](UpdaterTest& t) { t.internet.replies[kSignatureUrl].failingRead = 1; }},
      {"a signature that does not match", [](UpdaterTest& t) { t.internet.Serve(kSignatureUrl, "forged", 100); }},
      {"a program other than the one signed",
       [](UpdaterTest& t) { t.signatures.signedBytes = ProgramBytes(250000, 'm'); }},
      {"an endless signature",
       [](UpdaterTest& t) { t.internet.Serve(kSignatureUrl, std::string(5000, 's') + t.signatures.signature, 1000); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UpdaterTest& self = *this;
    signatures.signedBytes = newProgram;
    files.files = {{kExe, oldProgram}};
    files.failingWrite = -1;
    files.writes = 0;
    messages.shown.clear();
    view.closes = 0;
    internet.Serve(kProgramUrl, newProgram, 100000);
    sockets.reply = SizeReply(static_cast<std::int64_t>(newProgram.size()));
    c.arrange(self);
    RunAll();
    EXPECT_EQ(Texts(), std::vector<std::string>{"연결을할 수 없습니다\n홈페이지에 가셔서 직접 받으세요.."});
    ExpectOldProgramBackAndNothingStarted();
    EXPECT_EQ(files.files.count(kNotes), 0u) << "the notes came after a broken download";
    EXPECT_EQ(updater->state(), Updater::State::kFailed);
  }
}

TEST_F(UpdaterTest, StopAnsweredYesDuringTheProgramPutsTheOldOneBack) {
  messages.answer = mb::kIdYes;
  view.onPump = [this](int pump) {
    if (pump == 2) updater->Stop();
  };
  RunAll();
  EXPECT_EQ(Texts(), std::vector<std::string>{"중지합니까?"});
  EXPECT_EQ(messages.shown[0].caption, "중지");
  EXPECT_EQ(messages.shown[0].style, mb::kYesNo);
  ExpectOldProgramBackAndNothingStarted();
  EXPECT_EQ(updater->state(), Updater::State::kCancelled);
}

TEST_F(UpdaterTest, StopAnsweredNoGoesOnWhereItWas) {
  messages.answer = mb::kIdNo;
  view.onPump = [this](int pump) {
    if (pump == 1 || pump == 6) updater->Stop();  // once in the program, once in the notes
  };
  RunAll();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"중지합니까?", "중지합니까?"}));
  EXPECT_TRUE(files.files[kExe] == newProgram);
  EXPECT_EQ(files.files[kNotes], notesText);
  EXPECT_EQ(starter.started.size(), 1u);
  EXPECT_EQ(updater->state(), Updater::State::kDone);
}

TEST_F(UpdaterTest, StopAnsweredYesDuringTheNotesPutsTheOldOneBackAndDropsTheNotes) {
  messages.answer = mb::kIdYes;
  view.onPump = [this](int pump) {
    if (pump == 5) updater->Stop();  // four pumps for the program, then the notes
  };
  RunAll();
  EXPECT_EQ(Texts(), std::vector<std::string>{"중지합니까?"});
  ExpectOldProgramBackAndNothingStarted();
  EXPECT_EQ(files.files.count(kNotes), 0u);
  EXPECT_EQ(updater->state(), Updater::State::kCancelled);
}

TEST_F(UpdaterTest, NotesThatCannotBeOpenedLeaveAnEmptyFileThatIsNotShown) {
  for (int status : {0, 404}) {
    SCOPED_TRACE(status);
    files.files = {{kExe, oldProgram}};
    internet.Serve(kSignatureUrl, signatures.signature, 7);
    documents.started.clear();
    if (status == 0) {
      internet.replies.erase(kNotesUrl);
    } else {
      internet.Serve(kNotesUrl, "<html>404</html>", 100, status);
    }
    RunAll();
    EXPECT_EQ(files.files[kNotes], "");
    EXPECT_TRUE(documents.started.empty());
    EXPECT_TRUE(files.files[kExe] == newProgram);
    EXPECT_EQ(updater->state(), Updater::State::kDone);
  }
}

TEST_F(UpdaterTest, TheNewProgramStartsOnlyOnceTheOldOnesWindowIsGone) {
  view.windowPolls = 3;
  RunAll();
  EXPECT_EQ(view.waitedMs, 300u);
  EXPECT_EQ(view.windowTitlesAsked.back(), "Vantrel V.ZEL");
  EXPECT_EQ(starter.started.size(), 1u);
}

TEST_F(UpdaterTest, TheWaitForTheOldProgramIsBounded) {
  view.windowPolls = 1000000;
  RunAll();
  EXPECT_EQ(view.waitedMs, 10000u);
  EXPECT_EQ(starter.started.size(), 1u);
}

TEST_F(UpdaterTest, ClosingTheWindowBeforeTheUpdatePutsTheBackupBack) {
  Make().Prepare();
  updater->OnClose();
  EXPECT_EQ(files.files[kExe], oldProgram);
  EXPECT_EQ(files.files.count(kBak), 0u);
  EXPECT_EQ(updater->state(), Updater::State::kCancelled);
}

TEST_F(UpdaterTest, ClosingTheWindowAfterTheUpdateChangesNothing) {
  RunAll();
  updater->OnClose();
  EXPECT_TRUE(files.files[kExe] == newProgram);
  EXPECT_EQ(files.files.count(kBak), 0u);
}

}  // namespace
}  // namespace vantrel
