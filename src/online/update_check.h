#pragma once
// The update check: once per start, on a worker thread, the program visits
// the hit-counter page, asks the update server for its version file over a
// hand-written HTTP request and, when the server names a higher version,
// offers the update and starts the updater.

#include <functional>
#include <string>
#include <string_view>

#include "platform/internet.h"
#include "platform/message_box.h"
#include "platform/program_starter.h"
#include "platform/sockets.h"

namespace vantrel {

// The program's own version, in tenths (1.2).
inline constexpr long kProgramVersion = 12;
inline constexpr unsigned short kUpdateServerPort = 80;
// Only the first receive, of at most this many bytes, is ever looked at.
inline constexpr std::size_t kVersionReplySize = 1000;
inline constexpr char kVersionKey[] = "VersionQorv";
inline constexpr char kCounterAgent[] = "AddCount";
inline constexpr char kUpdaterFile[] = "QorvUpDate.exe";
inline constexpr char kUpdaterArgument[] = "R.Q.X";
inline constexpr char kUpdateQuestionCaption[] = "자동 업데이트";

// The request for the version file, byte for byte.
std::string VersionRequest(const std::string& server);

// The version the reply names: the number after the first version key,
// read as atol reads it; 0 when the key is not in the reply. The reply is
// exactly the bytes received and is read as text up to its first zero byte.
long ServerVersion(std::string_view reply);

// "새로운 버전이 올라왔습니다. ..." with the current and the new version.
std::string UpdateQuestion(long newVersion);

struct UpdateCheckPorts {
  Internet& internet;
  Sockets& sockets;
  MessageBoxes& messages;  // owned by the main window
  ProgramStarter& starter;
  // Closes the main window and returns once it has handled the close.
  std::function<void()> closeMainWindow;
};

class UpdateCheck {
 public:
  UpdateCheck(UpdateCheckPorts ports, std::string server, std::string hitCounterPage, std::string appFolder);

  // The whole check, once: the counter visit, the version request, the
  // question and, on "yes", the updater and the close. Failures are silent.
  void Run();
  // One request of the hit-counter page; nothing is read from it.
  void VisitCounter();

 private:
  UpdateCheckPorts ports_;
  std::string server_;
  std::string hitCounterPage_;
  std::string appFolder_;
};

}  // namespace vantrel
