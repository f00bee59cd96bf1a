#include "updater/updater.h"

#include "platform/program_header.h"
#include "online/update_check.h"
#include "updater/program_verdict.h"
#include "updater/update_repair.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fakes/fake_clock.h"
#include "fakes/fake_internet.h"
#include "fakes/fake_program_files.h"
#include "fakes/fake_signature_checks.h"
#include "fakes/fake_sockets.h"
#include "fakes/memory_update_files.h"
#include "fakes/recording_message_boxes.h"
#include "fakes/recording_program_starter.h"
#include "fakes/recording_updater_view.h"

namespace vantrel {
namespace {

using testing::FakeClock;
using testing::FakeInternet;
using testing::FakeProgramFiles;
using testing::FakeSignatureChecks;
using testing::FakeSockets;
using testing::MemoryUpdateFiles;
using testing::RecordingMessageBoxes;
using testing::RecordingProgramStarter;
using testing::RecordingUpdaterView;
using testing::Script;

constexpr char kServer[] = "update.example.kr";
constexpr char kProgramUrl[] = "http://update.example.kr/~kvq0417/qorv/Qorv.exe";
constexpr char kSignatureUrl[] = "http://update.example.kr/~kvq0417/qorv/Qorv.exe.sig";
constexpr char kNotesUrl[] = "http://update.example.kr/~kvq0417/qorv/UpDateInf.txt";
constexpr char kExe[] = "C:\\Vantrel\\Qorv.exe";
constexpr char kBak[] = "C:\\Vantrel\\Qorv.bak";
constexpr char kNew[] = "C:\\Vantrel\\Qorv.new";
constexpr char kNotes[] = "C:\\Vantrel\\UpDateInf.Txt";
constexpr char kSizeLine[] = "GET /%7ekvq0417/qorv/Qorv.exe HTTP/1.1";
constexpr char kVersionLine[] = "GET /%7ekvq0417/qorv/QORV.RQ HTTP/1.1";
constexpr char kConnectionMessage[] = "연결을할 수 없습니다\n홈페이지에 가셔서 직접 받으세요..";
constexpr char kNotTheMakersMessage[] =
    "받은 파일이 제작사의 프로그램이 아닙니다.\n지금 버전을 그대로 둡니다.\n홈페이지에 가셔서 직접 받으세요..";
constexpr char kCannotReplaceMessage[] =
    "Qorv.exe 파일을 바꿀 수 없습니다.\n지금 버전을 그대로 둡니다.\n폴더에 쓰기 권한이 있는지 확인하거나\n홈페이지에 가셔서 직접 받으세요.";
constexpr std::uint16_t k64 = static_cast<std::uint16_t>(ProgramWidth::k64Bit);
constexpr std::uint16_t k32 = static_cast<std::uint16_t>(ProgramWidth::k32Bit);

ProgramFacts Program(std::uint16_t machine, ProgramVersion version) { return ProgramFacts{true, machine, true, version}; }

std::string VersionReply(long tenths) {
  const std::string body = "VersionQorv" + std::to_string(tenths) + "\r\n";
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: keep-alive\r\n\r\n" +
         body;
}

std::string SizeReply(std::int64_t size) {
  return "HTTP/1.1 416 Requested Range Not Satisfiable\r\nServer: nginx/1.22.1\r\nContent-Type: text/html\r\n"
         "Content-Length: 197\r\nConnection: keep-alive\r\nContent-Range: bytes */" +
         std::to_string(size) + "\r\n\r\n<html>";
}

TEST(SizeRequestTest, IsExactlyTheSevenLines) {
  EXPECT_EQ(SizeRequest("update.example.kr", "Qorv.exe"),
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
        SizeCase{"LengthLabelInAnyCase", "HTTP/1.1 200 OK\r\ncontent-length: 400000\r\n\r\n", 400000, true},
        SizeCase{"RangeLabelInAnyCase", "HTTP/1.1 416 X\r\ncontent-range: bytes */400000\r\n\r\n", 400000, true},
        SizeCase{"NotHttp", "Content-Length: 400000\r\n\r\n", 390000, false},
        SizeCase{"Empty", "", 390000, false}),
    [](const ::testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.name); });

TEST(SizeRequestTest, TheThirtyTwoBitProgramHasANameOfItsOwn) {
  EXPECT_TRUE(SizeRequest("update.example.kr", "Qorv32.exe").rfind("GET /%7ekvq0417/qorv/Qorv32.exe HTTP/1.1\r\n", 0) ==
              0);
}

TEST(ProgramVerdictTest, OnlyTheAnnouncedNewerProgramOfTheOwnWidthIsInstalled) {
  const ProgramVersion running = {1, 2, 0, 0};
  struct Case {
    const char* name;
    ProgramFacts facts;
    ProgramWidth width;
    long announced;
    ProgramVerdict verdict;
  };
  const Case cases[] = {
      {"the announced newer program", Program(k64, {1, 3, 0, 0}), ProgramWidth::k64Bit, 13, ProgramVerdict::kInstall},
      {"32-bit for the 32-bit updater", Program(k32, {1, 3, 0, 0}), ProgramWidth::k32Bit, 13, ProgramVerdict::kInstall},
      {"a far newer one, announced", Program(k64, {12, 5, 0, 0}), ProgramWidth::k64Bit, 125, ProgramVerdict::kInstall},
      {"64-bit for the 32-bit updater", Program(k64, {1, 3, 0, 0}), ProgramWidth::k32Bit, 13,
       ProgramVerdict::kOtherWidth},
      {"32-bit for the 64-bit updater", Program(k32, {1, 3, 0, 0}), ProgramWidth::k64Bit, 13,
       ProgramVerdict::kOtherWidth},
      {"an older one announced as 9.9", Program(k64, {1, 1, 0, 0}), ProgramWidth::k64Bit, 99,
       ProgramVerdict::kNotNewer},
      {"the running version again", Program(k64, {1, 2, 0, 0}), ProgramWidth::k64Bit, 12, ProgramVerdict::kNotNewer},
      {"newer than running, not the one announced", Program(k64, {1, 4, 0, 0}), ProgramWidth::k64Bit, 13,
       ProgramVerdict::kNotAnnounced},
      {"announced with a build number", Program(k64, {1, 3, 0, 1}), ProgramWidth::k64Bit, 13,
       ProgramVerdict::kNotAnnounced},
      {"nothing announced", Program(k64, {1, 3, 0, 0}), ProgramWidth::k64Bit, 0, ProgramVerdict::kNotAnnounced},
      {"no version resource", ProgramFacts{true, k64, false, {}}, ProgramWidth::k64Bit, 13, ProgramVerdict::kNoVersion},
      {"not a whole program", ProgramFacts{}, ProgramWidth::k64Bit, 13, ProgramVerdict::kNotWhole},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(JudgeNewProgram(c.facts, c.width, running, c.announced), c.verdict);
  }
  EXPECT_EQ(AnnouncedVersion(13), (ProgramVersion{1, 3, 0, 0}));
  EXPECT_EQ(AnnouncedVersion(-13), ProgramVersion{});
}

// A PE file of the given machine: DOS header, "PE\0\0" at 0x80, a COFF
// header with an optional header of 0xF0 bytes, and sections of 0x200 bytes
// each from 0x400 on.
std::string PeFile(std::uint16_t machine, int sections) {
  std::string file(0x400 + 0x200 * sections, '\0');
  auto put = [&file](std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) file[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  file[0] = 'M';
  file[1] = 'Z';
  put(0x3C, 0x80, 4);
  file.replace(0x80, 4, std::string("PE\0\0", 4));
  put(0x84, machine, 2);
  put(0x86, static_cast<std::uint32_t>(sections), 2);
  put(0x94, 0xF0, 2);
  for (int i = 0; i < sections; ++i) {
    const std::size_t section = 0x98 + 0xF0 + 40 * static_cast<std::size_t>(i);
    put(section + 16, 0x200, 4);
    put(section + 20, 0x400 + 0x200 * static_cast<std::uint32_t>(i), 4);
  }
  return file;
}

TEST(ProgramHeaderTest, TellsTheMachineOfAWholeProgramOnly) {
  struct Case {
    const char* name;
    std::string file;
    std::uint64_t size;  // 0: the file's own
    bool whole;
    std::uint16_t machine;
  };
  const std::string pe64 = PeFile(k64, 3);
  std::string noPe = pe64;
  noPe[0x81] = 'X';
  std::string farOffset = pe64;
  farOffset.replace(0x3C, 4, std::string("\xFF\xFF\xFF\x7F", 4));
  std::string sectionBeyondHead = PeFile(k64, 3);
  sectionBeyondHead[0x86] = static_cast<char>(200);
  const Case cases[] = {
      {"64-bit", pe64, 0, true, k64},
      {"32-bit", PeFile(k32, 2), 0, true, k32},
      {"cut short in its last section", pe64, pe64.size() - 1, false, 0},
      {"a thousand-byte fragment", pe64.substr(0, 1000), 1000, false, 0},
      {"no PE signature", noPe, 0, false, 0},
      {"PE header beyond the file", farOffset, 0, false, 0},
      {"section table beyond the head", sectionBeyondHead, 0, false, 0},
      {"an error page", "<html><body>404 Not Found</body></html>" + std::string(100, ' '), 0, false, 0},
      {"empty", "", 0, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::uint64_t size = c.size != 0 ? c.size : c.file.size();
    const ProgramHeader header =
        ReadProgramHeader(std::string_view(c.file).substr(0, kProgramHeaderBytes), size);
    EXPECT_EQ(header.whole, c.whole);
    EXPECT_EQ(header.machine, c.machine);
  }
}

// The updater with every port faked, for one run.
class UpdateBench {
 public:
  UpdateBench() {
    files.files[kExe] = oldProgram;
    programs.known[oldProgram] = Program(k64, {1, 2, 0, 0});
    programs.known[newProgram] = Program(k64, {1, 3, 0, 0});
    internet.Serve(kProgramUrl, newProgram, 100000);
    internet.Serve(kNotesUrl, notesText, 10);
    internet.Serve(kSignatureUrl, signatures.signature, 7);
    signatures.signedBytes = newProgram;
    sockets.Answer(kSizeLine, SizeReply(static_cast<std::int64_t>(newProgram.size())));
    sockets.Answer(kVersionLine, VersionReply(13));
    view.clock = &clock;
  }

  Updater& Make(const std::string& commandLine = "R.Q.X", ProgramWidth width = ProgramWidth::k64Bit) {
    updater = std::make_unique<Updater>(
        UpdaterPorts{view, messages, files, programs, internet, sockets, clock, starter, documents, signatures},
        UpdaterSetup{kServer, commandLine, width, {1, 2, 0, 0}});
    return *updater;
  }

  // Start, both ticks: the whole update.
  void RunAll() {
    Make().Prepare();
    updater->OnTimer();
    updater->OnTimer();
  }

  // Runs the update anew after arrange changed the fakes.
  void RunAfter(const std::function<void(UpdateBench&)>& arrange) {
    files.files = {{kExe, oldProgram}};
    files.log.clear();
    messages.shown.clear();
    starter.started.clear();
    documents.started.clear();
    view.closes = 0;
    arrange(*this);
    RunAll();
  }

  void ExpectOldProgramKeptAndNothingStarted() {
    EXPECT_EQ(files.files.count(kExe), 1u);
    if (files.files.count(kExe)) {
      EXPECT_TRUE(files.files[kExe] == oldProgram) << "Qorv.exe is not the old program";
    }
    EXPECT_EQ(files.files.count(kBak), 0u);
    EXPECT_EQ(files.files.count(kNew), 0u) << "the download stayed";
    EXPECT_TRUE(starter.started.empty());
    EXPECT_TRUE(documents.started.empty());
    EXPECT_EQ(view.closes, 1);
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& shown : messages.shown) texts.push_back(shown.text);
    return texts;
  }

  std::vector<std::string> Fetched() const {
    std::vector<std::string> fetched;
    for (const std::string& call : internet.calls) {
      if (call.rfind("Fetch ", 0) == 0) fetched.push_back(call.substr(6));
    }
    return fetched;
  }

  // Presses STOP at the given look at the transfer of url.
  void StopAt(const std::string& url, int look) {
    internet.beforeLook = [this, url, look](const std::string& at, int seen) {
      if (at == url && seen == look) updater->Stop();
    };
  }

  const std::string oldProgram = std::string(5000, 'o');
  const std::string newProgram = std::string(250000, 'n');
  const std::string notesText = "Vantrel 1.3: faster cleaning.\r\n";
  RecordingUpdaterView view;
  RecordingMessageBoxes messages;
  MemoryUpdateFiles files;
  FakeProgramFiles programs{files};
  FakeInternet internet;
  FakeSockets sockets;
  FakeClock clock;
  RecordingProgramStarter starter;
  RecordingProgramStarter documents;
  FakeSignatureChecks signatures;
  std::unique_ptr<Updater> updater;
};

class UpdaterTest : public ::testing::Test, public UpdateBench {};

TEST_F(UpdaterTest, AnyCommandLineButTheLaunchArgumentIsRefusedWithoutTouchingAFile) {
  for (const char* commandLine : {"", "r.q.x", "R.Q.X ", "R.Q.XX", "\"R.Q.X\"", "R.Q"}) {
    SCOPED_TRACE(commandLine);
    RecordingMessageBoxes freshMessages;
    RecordingUpdaterView freshView;
    Updater refused(
        UpdaterPorts{freshView, freshMessages, files, programs, internet, sockets, clock, starter, documents, signatures},
        UpdaterSetup{kServer, commandLine, ProgramWidth::k64Bit, {1, 2, 0, 0}});
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
  Make().Prepare();
  ASSERT_EQ(Texts(), std::vector<std::string>{"Qorv.exe 파일을 찾을 수 없습니다"});
  EXPECT_EQ(messages.shown[0].caption, "ERROR");
  EXPECT_EQ(messages.shown[0].style, mb::kIconHand);
  EXPECT_TRUE(files.log.empty());
}

TEST_F(UpdaterTest, PreparingLeavesTheProgramInPlaceDropsAnOldDownloadAndStartsTheTimer) {
  files.files[kBak] = "an earlier backup";
  files.files[kNew] = "half of an earlier download";
  files.currentFolder = "C:\\Vantrel\\";
  Make().Prepare();
  EXPECT_EQ(updater->programFolder(), "C:\\Vantrel\\");
  EXPECT_EQ(files.log, std::vector<std::string>{std::string("remove ") + kNew});
  EXPECT_EQ(files.files[kExe], oldProgram);
  EXPECT_EQ(files.files[kBak], "an earlier backup");
  EXPECT_EQ(view.statuses, std::vector<std::string>{"업데이트 준비..."});
  EXPECT_TRUE(view.timerRunning);
  EXPECT_EQ(updater->state(), Updater::State::kPrepared);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(UpdaterTest, AnUpdateCutShortIsPutRightAtTheNextStart) {
  const std::string fragment = newProgram.substr(0, 1000);
  programs.known["a 32-bit program"] = Program(k32, {1, 3, 0, 0});
  struct Case {
    const char* name;
    std::map<std::string, std::string> before;
    std::set<std::string> held;
    bool repaired;
    std::map<std::string, std::string> after;
  };
  const Case cases[] = {
      {"only the backup", {{kBak, oldProgram}}, {}, true, {{kExe, oldProgram}}},
      {"a fragment as Qorv.exe", {{kExe, fragment}, {kBak, oldProgram}}, {}, true, {{kExe, oldProgram}}},
      {"the other width's program", {{kExe, "a 32-bit program"}, {kBak, oldProgram}}, {}, true, {{kExe, oldProgram}}},
      {"the new program swapped in, the backup not yet gone", {{kExe, newProgram}, {kBak, oldProgram}}, {}, true,
       {{kExe, newProgram}, {kBak, oldProgram}}},
      {"a fragment held open", {{kExe, fragment}, {kBak, oldProgram}}, {kExe}, false,
       {{kExe, fragment}, {kBak, oldProgram}}},
      {"nothing to put right", {{kExe, oldProgram}}, {}, true, {{kExe, oldProgram}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    files.files = c.before;
    files.held = c.held;
    EXPECT_EQ(RepairInterruptedUpdate(files, programs, "C:\\Vantrel\\", ProgramWidth::k64Bit), c.repaired);
    EXPECT_EQ(files.files, c.after);
  }
}

TEST_F(UpdaterTest, TheUpdaterRepairsBeforeItLooksForQorvExe) {
  files.files = {{kBak, oldProgram}};
  Make().Prepare();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(files.files, (std::map<std::string, std::string>{{kExe, oldProgram}}));
  EXPECT_EQ(updater->state(), Updater::State::kPrepared);
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
  EXPECT_EQ(Fetched(), (std::vector<std::string>{kProgramUrl, kSignatureUrl, kNotesUrl}));
  EXPECT_EQ(sockets.sent, (std::vector<std::string>{SizeRequest(kServer, "Qorv.exe"), VersionRequest(kServer)}));
  EXPECT_EQ(sockets.replyLimits, (std::vector<std::size_t>{1000, 1000}));
  EXPECT_EQ(view.barResets, 1);
  EXPECT_EQ(view.positions, (std::vector<int>{40, 80, 100, 100}));
  EXPECT_TRUE(files.files[kExe] == newProgram);
  EXPECT_EQ(files.files[kNotes], notesText);
  EXPECT_EQ(files.files.count(kBak), 0u);
  EXPECT_EQ(files.files.count(kNew), 0u);
  ASSERT_EQ(documents.started.size(), 1u);
  EXPECT_EQ(documents.started[0].verb, "");
  EXPECT_EQ(documents.started[0].file, kNotes);
  EXPECT_EQ(documents.started[0].parameters, "");
  EXPECT_EQ(documents.started[0].folder, "");
  ASSERT_EQ(starter.started.size(), 1u);
  EXPECT_EQ(starter.started[0].verb, "open");
  EXPECT_EQ(starter.started[0].file, kExe) << "started by its full path";
  EXPECT_EQ(starter.started[0].parameters, "");
  EXPECT_EQ(starter.started[0].folder, "C:\\Vantrel\\");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(view.closes, 1);
  EXPECT_EQ(updater->state(), Updater::State::kDone);
}

TEST_F(UpdaterTest, TheOldProgramStaysUntouchedUntilOneRenameSwapsTheCheckedDownloadIn) {
  files.files[kBak] = "an earlier backup";
  internet.beforeLook = [this](const std::string&, int) {
    EXPECT_TRUE(files.files[kExe] == oldProgram) << "Qorv.exe changed during a transfer";
  };
  RunAll();
  EXPECT_EQ(signatures.verifications, 1);
  EXPECT_TRUE(signatures.lastChecked == newProgram);
  std::vector<std::string> changes;
  for (const std::string& change : files.log) {
    if (change.find(kNotes) == std::string::npos) changes.push_back(change);
  }
  EXPECT_EQ(changes, (std::vector<std::string>{std::string("create ") + kNew, std::string("remove ") + kBak,
                                               std::string("rename ") + kExe + " " + kBak,
                                               std::string("rename ") + kNew + " " + kExe,
                                               std::string("remove ") + kBak}));
  EXPECT_EQ(updater->state(), Updater::State::kDone);
}

TEST_F(UpdaterTest, TheThirtyTwoBitUpdaterAsksForTheProgramUnderItsOwnName) {
  programs.known[newProgram] = Program(k32, {1, 3, 0, 0});
  internet.Serve("http://update.example.kr/~kvq0417/qorv/Qorv32.exe", newProgram, 100000);
  internet.Serve("http://update.example.kr/~kvq0417/qorv/Qorv32.exe.sig", signatures.signature);
  sockets.Answer("GET /%7ekvq0417/qorv/Qorv32.exe HTTP/1.1", SizeReply(static_cast<std::int64_t>(newProgram.size())));
  programs.known[oldProgram] = Program(k32, {1, 2, 0, 0});
  Make("R.Q.X", ProgramWidth::k32Bit).Prepare();
  updater->OnTimer();
  updater->OnTimer();
  EXPECT_EQ(Fetched(), (std::vector<std::string>{"http://update.example.kr/~kvq0417/qorv/Qorv32.exe",
                                                 "http://update.example.kr/~kvq0417/qorv/Qorv32.exe.sig", kNotesUrl}));
  EXPECT_EQ(sockets.sent[0], SizeRequest(kServer, "Qorv32.exe"));
  EXPECT_TRUE(files.files[kExe] == newProgram);
  EXPECT_EQ(updater->state(), Updater::State::kDone);
}

TEST_F(UpdaterTest, WithoutANamedSizeTheBarIsScaledToTheFallback) {
  sockets.Answer(kSizeLine, "HTTP/1.1 416 Requested Range Not Satisfiable\r\nContent-Length: 197\r\n\r\n");
  RunAll();
  // 100000 of 390000 is 25 %, 200000 is 51 %, 250000 is 64 %.
  EXPECT_EQ(view.positions, (std::vector<int>{25, 51, 64, 100}));
  EXPECT_EQ(updater->state(), Updater::State::kDone);
}

TEST_F(UpdaterTest, ASizeOrVersionReplyInPiecesIsReadWhole) {
  sockets.Answer(kSizeLine, SizeReply(static_cast<std::int64_t>(newProgram.size())), 3);
  sockets.Answer(kVersionLine, VersionReply(13), 5);
  RunAll();
  EXPECT_EQ(view.positions.front(), 40);
  EXPECT_EQ(updater->state(), Updater::State::kDone);
}

TEST_F(UpdaterTest, ConnectionFailuresLeaveTheOldProgramAfterTheirMessage) {
  struct Case {
    const char* name;
    std::function<void(UpdateBench&)> arrange;
    const char* message;
  };
  Script silent;
  silent.end = Incoming::State::kWaiting;
  Script trickle;
  for (int i = 0; i < 100000; ++i) trickle.chunks.push_back("n");
  const Case cases[] = {
      {"InternetOpenA fails", [](UpdateBench& t) { t.internet.opens = false; }, "인터넷에 연결할 수 없습니다"},
      {"name lookup fails", [](UpdateBench& t) { t.sockets.resolves = false; },
       "서버 경로를 찾을수 없습니다.\n홈페이지에 가셔서 직접 받아주십시오."},
      {"program address fails", [](UpdateBench& t) { t.internet.replies.erase(kProgramUrl); }, kConnectionMessage},
      {"a read fails",
       [](UpdateBench& t) { t.internet.replies[kProgramUrl].end = Incoming::State::kFailed; }, kConnectionMessage},
      {"fewer bytes than the server named",
       [](UpdateBench& t) {
         t.sockets.Answer(kSizeLine, SizeReply(static_cast<std::int64_t>(t.newProgram.size()) + 1));
       },
       kConnectionMessage},
      {"an error page", [](UpdateBench& t) { t.internet.Serve(kProgramUrl, t.newProgram, 100000, 404); },
       kConnectionMessage},
      {"a silent program server", [silent](UpdateBench& t) { t.internet.replies[kProgramUrl] = silent; },
       kConnectionMessage},
      {"a trickle past its time", [trickle](UpdateBench& t) { t.internet.replies[kProgramUrl] = trickle; },
       kConnectionMessage},
      {"a silent signature server", [silent](UpdateBench& t) { t.internet.replies[kSignatureUrl] = silent; },
       kConnectionMessage},
      {"a read of the signature fails",
       [](UpdateBench& t) { t.internet.replies[kSignatureUrl].end = Incoming::State::kFailed; }, kConnectionMessage},
      {"no version file", [](UpdateBench& t) { t.sockets.replies.erase(kVersionLine); }, kConnectionMessage},
      {"a silent version file", [silent](UpdateBench& t) { t.sockets.replies[kVersionLine] = silent; },
       kConnectionMessage},
      {"a write fails", [](UpdateBench& t) { t.files.failingWrite = 1; }, kCannotReplaceMessage},
      {"the download cannot be created", [](UpdateBench& t) { t.files.readOnly = true; }, kCannotReplaceMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UpdateBench fresh;
    fresh.RunAfter(c.arrange);
    EXPECT_EQ(fresh.Texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(fresh.messages.shown[0].caption, "ERROR");
    fresh.ExpectOldProgramKeptAndNothingStarted();
    EXPECT_EQ(fresh.files.files.count(kNotes), 0u) << "the notes came after a broken download";
    EXPECT_EQ(fresh.updater->state(), Updater::State::kFailed);
    EXPECT_LE(fresh.clock.now - 1000, 30000u + 250000u * 1000 / 2048 + 1000) << "waited past every deadline";
  }
}

TEST_F(UpdaterTest, ADownloadThatIsNotTheMakersProgramSaysSo) {
  struct Case {
    const char* name;
    std::function<void(UpdateBench&)> arrange;
  };
  Script endless;
  endless.endlessChunk = std::string(100000, 'e');
  const Case cases[] = {
      {"no signature on the server", [](UpdateBench& t) { t.internet.Serve(kSignatureUrl, "<html>404</html>", 100, 404); }},
      {"a signature that does not match", [](UpdateBench& t) { t.internet.Serve(kSignatureUrl, "forged", 100); }},
      {"a program other than the one signed",
       [](UpdateBench& t) { t.signatures.signedBytes = std::string(250000, 'm'); }},
      {"an endless signature",
       [](UpdateBench& t) { t.internet.Serve(kSignatureUrl, std::string(5000, 's') + t.signatures.signature, 1000); }},
      {"more bytes than the server named",
       [](UpdateBench& t) {
         t.sockets.Answer(kSizeLine, SizeReply(static_cast<std::int64_t>(t.newProgram.size()) - 1));
       }},
      {"an older signed program announced as newer",
       [](UpdateBench& t) {
         t.programs.known[t.newProgram] = Program(k64, {1, 1, 0, 0});
         t.sockets.Answer(kVersionLine, VersionReply(99));
       }},
      {"the running version again", [](UpdateBench& t) { t.programs.known[t.newProgram] = Program(k64, {1, 2, 0, 0}); }},
      {"a newer program than the one announced",
       [](UpdateBench& t) { t.programs.known[t.newProgram] = Program(k64, {1, 4, 0, 0}); }},
      {"the 32-bit program for the 64-bit updater",
       [](UpdateBench& t) { t.programs.known[t.newProgram] = Program(k32, {1, 3, 0, 0}); }},
      {"no version resource",
       [](UpdateBench& t) { t.programs.known[t.newProgram] = ProgramFacts{true, k64, false, {}}; }},
      {"not a whole program", [](UpdateBench& t) { t.programs.known.erase(t.newProgram); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UpdateBench fresh;
    fresh.RunAfter(c.arrange);
    EXPECT_EQ(fresh.Texts(), std::vector<std::string>{kNotTheMakersMessage});
    fresh.ExpectOldProgramKeptAndNothingStarted();
    EXPECT_EQ(fresh.updater->state(), Updater::State::kFailed);
  }
}

TEST_F(UpdaterTest, AProgramDownloadStopsAtTheNamedSizeOrSixteenMegabytes) {
  struct Case {
    const char* name;
    std::string sizeReply;
    std::size_t cap;
  };
  const Case cases[] = {
      {"named size", SizeReply(250000), 250000},
      {"no size", "HTTP/1.1 416 Requested Range Not Satisfiable\r\n\r\n", 16u * 1024 * 1024},
      {"a size past the limit", SizeReply(1LL << 40), 16u * 1024 * 1024},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UpdateBench fresh;
    Script endless;
    endless.endlessChunk = std::string(65536, 'e');
    fresh.RunAfter([&](UpdateBench& t) {
      t.internet.replies[kProgramUrl] = endless;
      t.sockets.Answer(kSizeLine, c.sizeReply);
    });
    EXPECT_EQ(fresh.files.largest[kNew], c.cap) << "the download grew past its limit";
    EXPECT_EQ(fresh.Texts(), std::vector<std::string>{kNotTheMakersMessage});
    fresh.ExpectOldProgramKeptAndNothingStarted();
  }
}

TEST_F(UpdaterTest, AFullDiskSaysSoAndLeavesTheOldProgram) {
  for (const char* during : {"program", "notes"}) {
    SCOPED_TRACE(during);
    UpdateBench fresh;
    fresh.RunAfter([&](UpdateBench& t) {
      t.files.diskSize = std::string(during) == "program" ? 100000 : t.oldProgram.size() + t.newProgram.size() + 5;
    });
    EXPECT_EQ(fresh.Texts(), std::vector<std::string>{"디스크 공간이 부족합니다.\n지금 버전을 그대로 둡니다."});
    fresh.ExpectOldProgramKeptAndNothingStarted();
    EXPECT_EQ(fresh.files.files.count(kNotes), 0u);
  }
}

TEST_F(UpdaterTest, ASwapThatCannotCompletePutsTheFolderBackAndSaysWhereItStands) {
  struct Case {
    const char* name;
    std::set<std::string> held;
    const char* message;
    std::map<std::string, std::string> after;
  };
  const Case cases[] = {
      {"Qorv.exe cannot be moved aside", {kExe}, kCannotReplaceMessage, {{kExe, ""}}},
      {"the download cannot take its name", {kNew}, kCannotReplaceMessage, {{kExe, ""}, {kNew, ""}}},
      {"nor can the old program come back", {kNew, kBak}, "Qorv.exe 파일을 되돌릴 수 없습니다.\n지금 버전은 Qorv.bak 파일로 남아 있습니다.\n이 파일의 이름을 Qorv.exe로 바꾸세요.",
       {{kBak, ""}, {kNew, ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UpdateBench fresh;
    fresh.internet.beforeLook = [&fresh, &c](const std::string& url, int) {
      if (url == kNotesUrl) fresh.files.held = c.held;
    };
    fresh.RunAll();
    EXPECT_EQ(fresh.Texts(), std::vector<std::string>{c.message});
    std::map<std::string, std::string> after;
    for (const auto& [path, bytes] : fresh.files.files) {
      if (path != kNotes) after[path] = "";
    }
    EXPECT_EQ(after, c.after);
    if (fresh.files.files.count(kExe)) {
      EXPECT_TRUE(fresh.files.files[kExe] == fresh.oldProgram);
    }
    if (fresh.files.files.count(kBak)) {
      EXPECT_TRUE(fresh.files.files[kBak] == fresh.oldProgram);
    }
    EXPECT_TRUE(fresh.starter.started.empty());
    EXPECT_EQ(fresh.updater->state(), Updater::State::kFailed);
  }
}

TEST_F(UpdaterTest, StopAnsweredYesLeavesTheOldProgramWhereverItIsPressed) {
  struct Case {
    const char* name;
    std::function<void(UpdateBench&)> arrange;
  };
  Script silent;
  silent.end = Incoming::State::kWaiting;
  const Case cases[] = {
      {"a silent size request",
       [silent](UpdateBench& t) {
         t.sockets.replies[kSizeLine] = silent;
         t.view.onWait = [&t](int wait) {
           if (wait == 3) t.updater->Stop();
         };
       }},
      {"the program", [](UpdateBench& t) { t.StopAt(kProgramUrl, 1); }},
      {"a silent program server",
       [silent](UpdateBench& t) {
         t.internet.replies[kProgramUrl] = silent;
         t.StopAt(kProgramUrl, 5);
       }},
      {"the signature", [](UpdateBench& t) { t.StopAt(kSignatureUrl, 1); }},
      {"the notes", [](UpdateBench& t) { t.StopAt(kNotesUrl, 1); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UpdateBench fresh;
    fresh.messages.answer = mb::kIdYes;
    fresh.RunAfter(c.arrange);
    EXPECT_EQ(fresh.Texts(), std::vector<std::string>{"중지합니까?"});
    EXPECT_EQ(fresh.messages.shown[0].caption, "중지");
    EXPECT_EQ(fresh.messages.shown[0].style, mb::kYesNo);
    fresh.ExpectOldProgramKeptAndNothingStarted();
    EXPECT_EQ(fresh.files.files.count(kNotes), 0u);
    EXPECT_EQ(fresh.updater->state(), Updater::State::kCancelled);
    EXPECT_LT(fresh.clock.now - 1000, 1000u) << "the question came late";
  }
}

TEST_F(UpdaterTest, StopAnsweredNoGoesOnWhereItWas) {
  messages.answer = mb::kIdNo;
  internet.beforeLook = [this](const std::string& url, int look) {
    if ((url == kProgramUrl || url == kNotesUrl) && look == 1) updater->Stop();
  };
  RunAll();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"중지합니까?", "중지합니까?"}));
  EXPECT_TRUE(files.files[kExe] == newProgram);
  EXPECT_EQ(files.files[kNotes], notesText);
  EXPECT_EQ(starter.started.size(), 1u);
  EXPECT_EQ(updater->state(), Updater::State::kDone);
}

TEST_F(UpdaterTest, ClosingTheWindowDuringATransferEndsItAtOnceWithoutAQuestion) {
  internet.beforeLook = [this](const std::string& url, int look) {
    if (url == kProgramUrl && look == 1) updater->OnClose();
  };
  RunAll();
  EXPECT_TRUE(messages.shown.empty());
  ExpectOldProgramKeptAndNothingStarted();
  EXPECT_EQ(updater->state(), Updater::State::kCancelled);
}

TEST_F(UpdaterTest, NotesStopAtTheirLimitAndAreStillShown) {
  Script endless;
  endless.endlessChunk = std::string(10000, 'r');
  internet.replies[kNotesUrl] = endless;
  RunAll();
  EXPECT_EQ(files.files[kNotes].size(), 65536u);
  EXPECT_EQ(documents.started.size(), 1u);
  EXPECT_TRUE(files.files[kExe] == newProgram);
  EXPECT_EQ(updater->state(), Updater::State::kDone);
}

TEST_F(UpdaterTest, NotesThatCannotBeOpenedLeaveAnEmptyFileThatIsNotShown) {
  for (int status : {0, 404}) {
    SCOPED_TRACE(status);
    UpdateBench fresh;
    fresh.RunAfter([status](UpdateBench& t) {
      if (status == 0) {
        t.internet.replies.erase(kNotesUrl);
      } else {
        t.internet.Serve(kNotesUrl, "<html>404</html>", 100, status);
      }
    });
    EXPECT_EQ(fresh.files.files[kNotes], "");
    EXPECT_TRUE(fresh.documents.started.empty());
    EXPECT_TRUE(fresh.files.files[kExe] == fresh.newProgram);
    EXPECT_EQ(fresh.updater->state(), Updater::State::kDone);
  }
}

TEST_F(UpdaterTest, TheNewProgramStartsOnlyOnceTheOldOnesWindowIsGone) {
  view.windowPolls = 3;
  RunAll();
  EXPECT_EQ(view.windowTitlesAsked.back(), "Vantrel V.ZEL");
  EXPECT_EQ(view.windowTitlesAsked.size(), 4u);
  EXPECT_EQ(starter.started.size(), 1u);
}

TEST_F(UpdaterTest, TheWaitForTheOldProgramIsBounded) {
  view.windowPolls = 1000000;
  RunAll();
  EXPECT_EQ(view.windowTitlesAsked.size(), 101u);
  EXPECT_EQ(starter.started.size(), 1u);
}

TEST_F(UpdaterTest, ClosingTheWindowBeforeTheUpdateLeavesEverything) {
  Make().Prepare();
  updater->OnClose();
  EXPECT_EQ(files.files, (std::map<std::string, std::string>{{kExe, oldProgram}}));
  EXPECT_EQ(updater->state(), Updater::State::kCancelled);
}

TEST_F(UpdaterTest, ClosingTheWindowAfterTheUpdateChangesNothing) {
  RunAll();
  updater->OnClose();
  EXPECT_TRUE(files.files[kExe] == newProgram);
  EXPECT_EQ(files.files.count(kBak), 0u);
  EXPECT_EQ(updater->state(), Updater::State::kDone);
}

}  // namespace
}  // namespace vantrel
