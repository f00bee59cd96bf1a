#include "online/update_check.h"

#include <cstdio>
#include <cstdlib>

namespace vantrel {

namespace {

// The check waits for the server as long as the program runs: it is on a
// thread of its own and nobody waits for it.
constexpr unsigned kNoTimeout = 0;

}  // namespace

std::string VersionRequest(const std::string& server) {
  return "GET /%7ekvq0417/qorv/QORV.RQ HTTP/1.1\r\n"
         "Accept: *//*\r\n"
         "Accept-Language: ko\r\n"
         "User-Agent: Mozilla/4.0 (Windows; U; 32.bit)\r\n"
         "Host: " +
         server + ":80\r\n\r\n";
}

long ServerVersion(std::string_view reply) {
  reply = reply.substr(0, reply.find('\0'));
  const std::size_t key = reply.find(kVersionKey);
  if (key == std::string_view::npos) return 0;
  // A terminated copy: the number may run up to the last byte received.
  const std::string rest(reply.substr(key + sizeof kVersionKey - 1));
  return std::strtol(rest.c_str(), nullptr, 10);
}

std::string UpdateQuestion(long newVersion) {
  static constexpr char kFormat[] =
      "새로운 버전이 올라왔습니다. 자동 업데이트를 하시겠습니까?\n\n지금 버전: %0.1f  새로운 버전: %0.1f";
  const double current = kProgramVersion / 10.0;
  const double offered = newVersion / 10.0;
  const int length = std::snprintf(nullptr, 0, kFormat, current, offered);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), kFormat, current, offered);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

UpdateCheck::UpdateCheck(UpdateCheckPorts ports, std::string server, std::string hitCounterPage,
                         std::string appFolder)
    : ports_(std::move(ports)),
      server_(std::move(server)),
      hitCounterPage_(std::move(hitCounterPage)),
      appFolder_(std::move(appFolder)) {}

void UpdateCheck::VisitCounter() {
  std::unique_ptr<InternetSession> session = ports_.internet.Open(kCounterAgent);
  if (!session) return;
  session->OpenUrl(hitCounterPage_);
}

void UpdateCheck::Run() {
  VisitCounter();

  std::unique_ptr<Connection> connection = ports_.sockets.Connect(server_, kUpdateServerPort, kNoTimeout);
  if (!connection) return;
  connection->Send(VersionRequest(server_));
  const long offered = ServerVersion(connection->ReceiveOnce(kVersionReplySize));
  if (offered <= kProgramVersion) return;

  if (ports_.messages.Show(UpdateQuestion(offered), kUpdateQuestionCaption, mb::kYesNo) != mb::kIdYes) return;
  ports_.starter.Open("open", kUpdaterFile, kUpdaterArgument, appFolder_);
  connection.reset();
  ports_.closeMainWindow();
}

}  // namespace vantrel
