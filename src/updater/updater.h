#pragma once
// The updater's work: it keeps the old Qorv.exe as Qorv.bak, downloads the
// new one with a progress bar and a STOP question, checks the maker's
// signature of it ("Qorv.exe.sig" beside it on the server), fetches the
// release notes and starts the new program. Whatever goes wrong, the folder
// keeps a working Qorv.exe: the old one comes back from Qorv.bak.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/internet.h"
#include "platform/message_box.h"
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
// The window cannot answer while it waits for the size: a server that never
// answers gets this long, then the bar is scaled to the fallback.
inline constexpr unsigned kSizeReplyTimeoutMs = 30000;
inline constexpr std::size_t kReadBufferSize = 300000;
inline constexpr unsigned kProgramWindowWaitMs = 10000;
// An RSA-2048 signature is 256 bytes; anything far longer is not one.
inline constexpr std::size_t kMaxSignatureSize = 4096;

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
    "Qorv.exe 파일을 바꿀 수 없습니다.\n폴더에 쓰기 권한이 있는지 확인하거나 홈페이지에 가셔서 직접 받으세요.";
inline constexpr char kNoInternet[] = "인터넷에 연결할 수 없습니다";
inline constexpr char kCannotConnect[] = "연결을할 수 없습니다\n홈페이지에 가셔서 직접 받으세요..";
inline constexpr char kNoServer[] = "서버 경로를 찾을수 없습니다.\n홈페이지에 가셔서 직접 받아주십시오.";
inline constexpr char kStopQuestion[] = "중지합니까?";
inline constexpr char kStopCaption[] = "중지";
inline constexpr char kErrorCaption[] = "ERROR";
}  // namespace updater_text

struct UpdaterPorts {
  UpdaterView& view;
  MessageBoxes& messages;      // owned by the updater's window
  UpdateFiles& files;
  Internet& internet;
  Sockets& sockets;
  ProgramStarter& starter;     // on behalf of the updater's window
  ProgramStarter& documents;   // without an owner, for the release notes
  SignatureChecks& signatures;  // with the maker's public key
};

class Updater {
 public:
  enum class State { kStarting, kRefused, kPrepared, kConnecting, kDownloadingProgram, kDownloadingNotes,
                     kDone, kCancelled, kFailed };

  Updater(UpdaterPorts ports, std::string server, std::string commandLine);

  // The window's start: refuses a wrong command line or a folder without
  // Qorv.exe, else makes the backup and starts the timer.
  void Prepare();
  // Each timer tick; the second one runs the whole update.
  void OnTimer();
  // The STOP button: the transfer asks at its next chunk.
  void Stop() { running_ = false; }
  // The window is being closed by something else than the updater (Escape,
  // the system): a backup not yet used goes back into place.
  void OnClose();

  State state() const { return state_; }
  int step() const { return step_; }
  const std::string& programFolder() const { return programFolder_; }

  std::string ProgramAddress() const;
  std::string SignatureAddress() const;
  std::string NotesAddress() const;

 private:
  enum class Transfer { kComplete, kCancelled, kFailed };
  struct Received {
    std::int64_t bytes = 0;
    std::string head;  // the first bytes, for the program check
  };

  void RunUpdate();
  Transfer Copy(InternetFile& from, OutputFile& to, const DownloadSize* bar, Received& received,
                SignatureCheck* signature = nullptr);
  bool IsSoundProgram(InternetFile& file, const DownloadSize& size, const Received& received) const;
  bool IsSignedByTheMaker(InternetSession& session, SignatureCheck& check);
  void RestoreBackup();
  void GiveUp(const char* message);
  void Cancel(bool duringNotes);
  void WaitForOldProgramToEnd();
  void ShowError(const char* text);
  std::string InFolder(const char* file) const { return programFolder_ + file; }

  UpdaterPorts ports_;
  std::string server_;
  std::string commandLine_;
  int step_ = 0;
  bool running_ = false;
  std::string programFolder_;
  State state_ = State::kStarting;
  std::vector<char> buffer_;
};

// True when bytes start like a Windows program: "MZ" and a "PE\0\0"
// header where the DOS header points.
bool LooksLikeWindowsProgram(const std::string& head);

}  // namespace vantrel
