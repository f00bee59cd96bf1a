#pragma once
// The updater's work: it downloads the new Qorv.exe beside the old one with
// a progress bar and a STOP question, checks that it is the maker's
// (signature, version, width), fetches the release notes, swaps the new
// program in with one rename and starts it. Until that rename the old
// Qorv.exe stays untouched; whatever goes wrong, the folder keeps a working
// Qorv.exe and the user is told what happened.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/incoming.h"
#include "platform/internet.h"
#include "platform/message_box.h"
#include "platform/program_files.h"
#include "platform/program_starter.h"
#include "platform/signature_check.h"
#include "platform/sockets.h"
#include "platform/update_files.h"
#include "updater/download_size.h"
#include "updater/updater_view.h"

namespace vantrel {

inline constexpr char kUpdaterLaunchArgument[] = "R.Q.X";
inline constexpr char kUpdaterAgent[] = "QorvVersionUp";
inline constexpr char kUpdaterName[] = "QorvUpDate";
inline constexpr std::size_t kSizeReplySize = 1000;
inline constexpr std::size_t kReadBufferSize = 300000;
inline constexpr unsigned kProgramWindowWaitMs = 10000;
// A server that sends nothing for this long has gone.
inline constexpr unsigned kSilenceLimitMs = 30000;
// A transfer gets the silence limit plus the time its size takes at this
// rate (a slow modem's), however it trickles.
inline constexpr unsigned kSlowestBytesPerSecond = 2048;
// No program of ours comes near this; a download that passes it is not one.
inline constexpr std::int64_t kMaxProgramSize = 16 * 1024 * 1024;
inline constexpr std::int64_t kMaxNotesSize = 64 * 1024;
// An RSA-2048 signature is 256 bytes; anything far longer is not one.
inline constexpr std::int64_t kMaxSignatureSize = 4096;

namespace updater_text {
inline constexpr char kPreparing[] = "업데이트 준비...";
inline constexpr char kConnecting[] = "서버에 연결중...";
inline constexpr char kConnected[] = "서버에 연결 완료.";
inline constexpr char kDownloadStarted[] = "다운로드 시작.";
inline constexpr char kDownloading[] = "다운로드 중...";
inline constexpr char kDone[] = "업데이트 완료!";
inline constexpr char kLocked[] = "이 업데이트는 락(Lock)이 걸렸습니다.";
inline constexpr char kNoProgram[] = "Qorv.exe 파일을 찾을 수 없습니다";
inline constexpr char kCannotReplace[] =
    "Qorv.exe 파일을 바꿀 수 없습니다.\n지금 버전을 그대로 둡니다.\n폴더에 쓰기 권한이 있는지 확인하거나\n홈페이지에 가셔서 직접 받으세요.";
inline constexpr char kLeftAsBackup[] =
    "Qorv.exe 파일을 되돌릴 수 없습니다.\n지금 버전은 Qorv.bak 파일로 남아 있습니다.\n이 파일의 이름을 Qorv.exe로 바꾸세요.";
inline constexpr char kNotTheMakers[] =
    "받은 파일이 제작사의 프로그램이 아닙니다.\n지금 버전을 그대로 둡니다.\n홈페이지에 가셔서 직접 받으세요..";
inline constexpr char kDiskFull[] = "디스크 공간이 부족합니다.\n지금 버전을 그대로 둡니다.";
inline constexpr char kNoInternet[] = "인터넷에 연결할 수 없습니다";
inline constexpr char kCannotConnect[] = "연결을할 수 없습니다\n홈페이지에 가셔서 직접 받으세요..";
inline constexpr char kNoServer[] = "서버 경로를 찾을수 없습니다.\n홈페이지에 가셔서 직접 받아주십시오.";
inline constexpr char kStopQuestion[] = "중지합니까?";
inline constexpr char kStopCaption[] = "중지";
inline constexpr char kErrorCaption[] = "ERROR";
}  // namespace updater_text

struct UpdaterPorts {
  UpdaterView& view;
  MessageBoxes& messages;  // owned by the updater's window
  UpdateFiles& files;
  ProgramFiles& programs;
  Internet& internet;
  Sockets& sockets;
  Clock& clock;
  ProgramStarter& starter;      // on behalf of the updater's window
  ProgramStarter& documents;    // without an owner, for the release notes
  SignatureChecks& signatures;  // with the maker's public key
};

struct UpdaterSetup {
  std::string server;
  std::string commandLine;
  ProgramWidth width;               // the updater's own, and so the program's
  ProgramVersion releasedWith;      // counts as the running version when Qorv.exe names none
};

class Updater {
 public:
  enum class State { kStarting, kRefused, kPrepared, kConnecting, kDownloadingProgram, kDownloadingNotes,
                     kDone, kCancelled, kFailed };

  Updater(UpdaterPorts ports, UpdaterSetup setup);

  // The window's start: refuses a wrong command line or a folder without
  // Qorv.exe, puts back what an update cut short left, and starts the timer.
  void Prepare();
  // Each timer tick; the second one runs the whole update.
  void OnTimer();
  // The STOP button: the transfer asks at once.
  void Stop() { running_ = false; }
  // The window is being closed: a transfer ends at once, without a
  // question, and the folder stays as it was.
  void OnClose();

  State state() const { return state_; }
  int step() const { return step_; }
  const std::string& programFolder() const { return programFolder_; }

  // The program file's name on the server: each width has its own.
  std::string ServedProgramName() const;
  std::string ProgramAddress() const;
  std::string SignatureAddress() const;
  std::string NotesAddress() const;

 private:
  enum class Outcome { kComplete, kCancelled, kFailed, kTooLarge, kDiskFull, kWriteFailed };
  // What became of the bytes handed to a transfer's sink.
  enum class Taken { kGoOn, kEnough, kDiskFull, kWriteFailed };
  using Sink = std::function<Taken(std::string_view bytes)>;
  struct Limits {
    std::int64_t maxBytes;
    unsigned long long overallMs;
  };

  void RunUpdate();
  // Takes what from brings into sink until it ends, keeping the window
  // answering; STOP asks, a close ends it. A transfer that would pass
  // maxBytes stops before the excess is written.
  Outcome Receive(Incoming& from, const Limits& limits, const Sink& sink, const DownloadSize* bar);
  // A whole short reply, or nothing when it does not come in time.
  Outcome ReceiveReply(Incoming& from, std::int64_t maxBytes, std::string& reply, bool headersSuffice);
  Outcome ReadSize(Incoming& reply, DownloadSize& size);
  Outcome ReadAnnouncedVersion(long& announced);
  Outcome DownloadProgram(InternetSession& session, const DownloadSize& size, SignatureCheck& check);
  Outcome FetchSignature(InternetSession& session, std::string& signature);
  Outcome DownloadNotes(InternetSession& session, bool& showNotes);
  bool SwapInNewProgram();
  void Finish(const char* message);
  void ReportOutcome(Outcome outcome, const char* failureMessage);
  void WaitForOldProgramToEnd();
  void ShowError(const char* text);
  static Limits LimitsFor(std::int64_t maxBytes);
  static Taken Written(WriteResult result);
  std::string InFolder(const char* file) const { return programFolder_ + file; }

  UpdaterPorts ports_;
  UpdaterSetup setup_;
  int step_ = 0;
  bool running_ = false;
  bool closing_ = false;
  std::string programFolder_;
  ProgramVersion runningVersion_ = {};
  State state_ = State::kStarting;
};

}  // namespace vantrel
