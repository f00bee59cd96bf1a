#include "online/update_check.h"

#include <cstdio>
#include <cstdlib>

#include "online/http_reply.h"

namespace vantrel {

namespace {

constexpr unsigned kPollMs = 20;

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

std::string CollectReply(Incoming& incoming, Clock& clock, std::size_t limit, unsigned timeoutMs,
                         bool headersSuffice) {
  std::string reply;
  const unsigned long long start = clock.NowMs();
  for (;;) {
    const Incoming::State state = incoming.Take(reply, limit - reply.size());
    if (state != Incoming::State::kWaiting || reply.size() >= limit || IsReplyComplete(reply, headersSuffice) ||
        clock.NowMs() - start >= timeoutMs) {
      return reply;
    }
    clock.Sleep(kPollMs);
  }
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
  std::unique_ptr<Incoming> visit = session->Fetch(hitCounterPage_);
  const unsigned long long start = ports_.clock.NowMs();
  std::string ignored;
  while (visit->StatusCode() == 0 && visit->Take(ignored, 0) == Incoming::State::kWaiting &&
         ports_.clock.NowMs() - start < kCounterVisitTimeoutMs) {
    ports_.clock.Sleep(kPollMs);
  }
}

void UpdateCheck::Run() {
  VisitCounter();

  std::unique_ptr<Incoming> reply =
      ports_.sockets.Exchange(server_, kUpdateServerPort, VersionRequest(server_), kVersionReplySize);
  if (!reply) return;
  const long offered =
      ServerVersion(CollectReply(*reply, ports_.clock, kVersionReplySize, kVersionReplyTimeoutMs, false));
  reply.reset();
  if (offered <= kProgramVersion) return;

  if (ports_.messages.Show(UpdateQuestion(offered), kUpdateQuestionCaption, mb::kYesNo) != mb::kIdYes) return;
  // By its full path: never an updater that happens to lie in the current
  // folder. Without one beside the program there is nothing to start, and
  // the program goes on.
  const std::string updater = appFolder_ + "\\" + kUpdaterFile;
  if (!ports_.files.Exists(updater)) return;
  ports_.starter.Open("open", updater, kUpdaterArgument, appFolder_);
  ports_.closeMainWindow();
}

}  // namespace vantrel
