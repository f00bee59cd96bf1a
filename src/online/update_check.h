#pragma once
// The update check: once per start, on a worker thread, the program visits
// the hit-counter page, asks the update server for its version file over a
// hand-written HTTP request and, when the server names a higher version,
// offers the update and starts the updater.

#include <functional>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/incoming.h"
#include "platform/internet.h"
#include "platform/message_box.h"
#include "platform/program_starter.h"
#include "platform/sockets.h"
#include "platform/update_files.h"

namespace vantrel {

// The program's own version, in tenths (1.2).
inline constexpr long kProgramVersion = 12;
inline constexpr unsigned short kUpdateServerPort = 80;
// Only this much of the version reply is ever looked at.
inline constexpr std::size_t kVersionReplySize = 1000;
// The reply is read until it is complete, the server closes, or this long
// has passed; what came by then is all there is.
inline constexpr unsigned kVersionReplyTimeoutMs = 30000;
// The counter visit waits this long for the counter's answer, no longer:
// the version request comes after it either way.
inline constexpr unsigned kCounterVisitTimeoutMs = 5000;
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

// Takes what incoming brings, without waiting for more once the reply is
// complete (or its headers are in, when they suffice), once limit bytes
// have come, or once timeoutMs have passed.
std::string CollectReply(Incoming& incoming, Clock& clock, std::size_t limit, unsigned timeoutMs,
                         bool headersSuffice);

struct UpdateCheckPorts {
  Internet& internet;
  Sockets& sockets;
  Clock& clock;
  UpdateFiles& files;
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
  // One request of the hit-counter page; nothing is read from it, and a
  // counter that does not answer is left behind after a few seconds.
  void VisitCounter();

 private:
  UpdateCheckPorts ports_;
  std::string server_;
  std::string hitCounterPage_;
  std::string appFolder_;
};

}  // namespace vantrel
