#include "updater/updater.h"

#include <algorithm>

#include "online/http_reply.h"
#include "online/update_check.h"
#include "updater/program_verdict.h"
#include "updater/update_repair.h"

namespace vantrel {

namespace {

constexpr char kNotesFile[] = "UpDateInf.Txt";
constexpr char kMainWindowTitle[] = "Vantrel V.ZEL";
constexpr unsigned kWindowPollMs = 100;
// How long the window waits for input between two looks at a transfer: a
// click is answered well within a second.
constexpr unsigned kTransferPollMs = 50;

bool IsSuccess(int status) { return status >= 200 && status <= 299; }

}  // namespace

Updater::Updater(UpdaterPorts ports, UpdaterSetup setup) : ports_(ports), setup_(std::move(setup)) {}

std::string Updater::ServedProgramName() const {
  return setup_.width == ProgramWidth::k64Bit ? "Qorv.exe" : "Qorv32.exe";
}

std::string Updater::ProgramAddress() const { return "http://" + setup_.server + "/~kvq0417/qorv/" + ServedProgramName(); }

std::string Updater::SignatureAddress() const { return ProgramAddress() + ".sig"; }

std::string Updater::NotesAddress() const { return "http://" + setup_.server + "/~kvq0417/qorv/UpDateInf.txt"; }

void Updater::ShowError(const char* text) {
  ports_.messages.Show(text, updater_text::kErrorCaption, mb::kOk | mb::kIconHand);
}

void Updater::Prepare() {
  step_ = 1;
  running_ = false;
  if (setup_.commandLine != kUpdaterLaunchArgument) {
    state_ = State::kRefused;
    ports_.messages.Show(updater_text::kLocked, kUpdaterName, mb::kOk | mb::kIconHand);
    ports_.view.Close();
    return;
  }
  programFolder_ = ports_.files.CurrentFolder();
  if (programFolder_.empty() || programFolder_.back() != '\\') programFolder_ += '\\';
  RepairInterruptedUpdate(ports_.files, ports_.programs, programFolder_, setup_.width);
  if (ports_.files.Exists(InFolder(kDownloadFile))) ports_.files.Remove(InFolder(kDownloadFile));
  if (!ports_.files.Exists(InFolder(kProgramFile))) {
    state_ = State::kRefused;
    ShowError(updater_text::kNoProgram);
    ports_.view.Close();
    return;
  }
  const ProgramFacts running = ports_.programs.Inspect(InFolder(kProgramFile));
  runningVersion_ = running.hasVersion ? running.version : setup_.releasedWith;
  ports_.view.SetStatus(updater_text::kPreparing);
  state_ = State::kPrepared;
  ports_.view.StartTimer();
}

void Updater::OnTimer() {
  if (step_ != 2) {
    ++step_;
    return;
  }
  // Counted before the work: a tick dispatched during a transfer must not
  // start the update again.
  ++step_;
  RunUpdate();
}

void Updater::OnClose() {
  if (state_ == State::kPrepared) {
    state_ = State::kCancelled;
  } else if (state_ == State::kConnecting || state_ == State::kDownloadingProgram ||
             state_ == State::kDownloadingNotes) {
    closing_ = true;
  }
}

void Updater::Finish(const char* message) {
  ports_.files.Remove(InFolder(kDownloadFile));
  if (message != nullptr) ShowError(message);
  state_ = message != nullptr ? State::kFailed : State::kCancelled;
  ports_.view.Close();
}

void Updater::ReportOutcome(Outcome outcome, const char* failureMessage) {
  switch (outcome) {
    case Outcome::kComplete:
      return;
    case Outcome::kCancelled:
      return Finish(nullptr);
    case Outcome::kTooLarge:
      return Finish(updater_text::kNotTheMakers);
    case Outcome::kDiskFull:
      return Finish(updater_text::kDiskFull);
    case Outcome::kWriteFailed:
      return Finish(updater_text::kCannotReplace);
    case Outcome::kFailed:
      return Finish(failureMessage);
  }
}

Updater::Limits Updater::LimitsFor(std::int64_t maxBytes) {
  return Limits{maxBytes, kSilenceLimitMs + static_cast<unsigned long long>(maxBytes) * 1000 / kSlowestBytesPerSecond};
}

Updater::Taken Updater::Written(WriteResult result) {
  switch (result) {
    case WriteResult::kWritten:
      return Taken::kGoOn;
    case WriteResult::kDiskFull:
      return Taken::kDiskFull;
    case WriteResult::kFailed:
      break;
  }
  return Taken::kWriteFailed;
}

Updater::Outcome Updater::Receive(Incoming& from, const Limits& limits, const Sink& sink, const DownloadSize* bar) {
  std::string chunk;
  std::int64_t received = 0;
  unsigned long long lastBytesAt = ports_.clock.NowMs();
  unsigned long long deadline = lastBytesAt + limits.overallMs;
  for (;;) {
    chunk.clear();
    const Incoming::State state = from.Take(chunk, kReadBufferSize);
    if (!chunk.empty()) {
      const std::int64_t room = limits.maxBytes - received;
      const bool tooLarge = static_cast<std::int64_t>(chunk.size()) > room;
      if (tooLarge) chunk.resize(static_cast<std::size_t>(room));
      received += static_cast<std::int64_t>(chunk.size());
      switch (chunk.empty() ? Taken::kGoOn : sink(chunk)) {
        case Taken::kGoOn:
          break;
        case Taken::kEnough:
          return Outcome::kComplete;
        case Taken::kDiskFull:
          return Outcome::kDiskFull;
        case Taken::kWriteFailed:
          return Outcome::kWriteFailed;
      }
      if (tooLarge) return Outcome::kTooLarge;
      lastBytesAt = ports_.clock.NowMs();
      if (bar != nullptr) {
        const double share = static_cast<double>(received) * 100.0 / static_cast<double>(bar->bytes);
        ports_.view.SetBarPosition(static_cast<int>(std::min(share, 100.0)));
      }
    }
    if (state == Incoming::State::kEnded) return Outcome::kComplete;
    if (state == Incoming::State::kFailed) return Outcome::kFailed;

    ports_.view.WaitForInput(chunk.empty() ? kTransferPollMs : 0);
    if (closing_) return Outcome::kCancelled;
    if (!running_) {
      const unsigned long long askedAt = ports_.clock.NowMs();
      if (ports_.messages.Show(updater_text::kStopQuestion, updater_text::kStopCaption, mb::kYesNo) == mb::kIdYes ||
          closing_) {
        return Outcome::kCancelled;
      }
      running_ = true;
      // The time the question was open is the user's, not the server's.
      const unsigned long long answered = ports_.clock.NowMs() - askedAt;
      lastBytesAt += answered;
      deadline += answered;
    }
    const unsigned long long now = ports_.clock.NowMs();
    if (now - lastBytesAt >= kSilenceLimitMs || now >= deadline) return Outcome::kFailed;
  }
}

Updater::Outcome Updater::ReceiveReply(Incoming& from, std::int64_t maxBytes, std::string& reply,
                                       bool headersSuffice) {
  // A complete reply ends the wait even when the server keeps the
  // connection open for the next request.
  const Outcome outcome = Receive(from, LimitsFor(maxBytes), [&](std::string_view bytes) {
    reply.append(bytes);
    return IsReplyComplete(reply, headersSuffice) ? Taken::kEnough : Taken::kGoOn;
  }, nullptr);
  return outcome == Outcome::kTooLarge ? Outcome::kComplete : outcome;
}

Updater::Outcome Updater::ReadSize(Incoming& reply, DownloadSize& size) {
  std::string text;
  const Outcome outcome = ReceiveReply(reply, kSizeReplySize, text, true);
  // A size request that breaks off or is never answered only costs the bar
  // its scale.
  if (outcome == Outcome::kCancelled) return outcome;
  size = ReadDownloadSize(text);
  return Outcome::kComplete;
}

Updater::Outcome Updater::ReadAnnouncedVersion(long& announced) {
  std::unique_ptr<Incoming> reply =
      ports_.sockets.Exchange(setup_.server, kUpdateServerPort, VersionRequest(setup_.server), kVersionReplySize);
  if (!reply) return Outcome::kFailed;
  std::string text;
  const Outcome outcome = ReceiveReply(*reply, kVersionReplySize, text, false);
  announced = ServerVersion(text);
  return outcome == Outcome::kFailed && announced > 0 ? Outcome::kComplete : outcome;
}

Updater::Outcome Updater::DownloadProgram(InternetSession& session, const DownloadSize& size, SignatureCheck& check) {
  std::unique_ptr<OutputFile> output = ports_.files.Create(InFolder(kDownloadFile));
  if (!output) return Outcome::kWriteFailed;
  ports_.view.ResetBar();
  ports_.view.SetStatus(updater_text::kDownloading);
  state_ = State::kDownloadingProgram;
  std::unique_ptr<Incoming> program = session.Fetch(ProgramAddress());
  const std::int64_t maxBytes = size.named ? std::min(size.bytes, kMaxProgramSize) : kMaxProgramSize;
  std::int64_t received = 0;
  const Outcome outcome = Receive(*program, LimitsFor(maxBytes), [&](std::string_view bytes) {
    check.Add(bytes.data(), bytes.size());
    received += static_cast<std::int64_t>(bytes.size());
    return Written(output->Write(bytes.data(), bytes.size()));
  }, &size);
  if (outcome != Outcome::kComplete) return outcome;
  if (!output->Close()) return Outcome::kWriteFailed;
  // An error page, or a transfer cut short, is no program.
  if (!IsSuccess(program->StatusCode()) || (size.named && received != size.bytes)) return Outcome::kFailed;
  return Outcome::kComplete;
}

Updater::Outcome Updater::FetchSignature(InternetSession& session, std::string& signature) {
  std::unique_ptr<Incoming> file = session.Fetch(SignatureAddress());
  const Outcome outcome = Receive(*file, LimitsFor(kMaxSignatureSize), [&](std::string_view bytes) {
    signature.append(bytes);
    return Taken::kGoOn;
  }, nullptr);
  // A program without its signature is not the maker's.
  if (outcome == Outcome::kComplete && !IsSuccess(file->StatusCode())) signature.clear();
  return outcome;
}

Updater::Outcome Updater::DownloadNotes(InternetSession& session, bool& showNotes) {
  state_ = State::kDownloadingNotes;
  const std::string notesPath = InFolder(kNotesFile);
  if (ports_.files.Exists(notesPath)) ports_.files.Remove(notesPath);
  std::unique_ptr<OutputFile> notesFile = ports_.files.Create(notesPath);
  if (!notesFile) return Outcome::kComplete;
  std::unique_ptr<Incoming> notes = session.Fetch(NotesAddress());
  const Outcome outcome = Receive(*notes, LimitsFor(kMaxNotesSize), [&](std::string_view bytes) {
    // An error page is no release notes.
    if (!IsSuccess(notes->StatusCode())) return Taken::kEnough;
    return Written(notesFile->Write(bytes.data(), bytes.size()));
  }, nullptr);
  showNotes = IsSuccess(notes->StatusCode());
  if (outcome == Outcome::kCancelled || outcome == Outcome::kDiskFull) {
    notesFile.reset();
    ports_.files.Remove(notesPath);
    return outcome;
  }
  // Notes cut short or cut off at their limit are still worth showing: the
  // program is whole.
  return Outcome::kComplete;
}

// The one step that changes Qorv.exe: the old program moves aside and the
// checked download takes its name.
bool Updater::SwapInNewProgram() {
  const std::string program = InFolder(kProgramFile);
  const std::string backup = InFolder(kBackupFile);
  if (ports_.files.Exists(backup) && !ports_.files.Remove(backup)) {
    Finish(updater_text::kCannotReplace);
    return false;
  }
  if (!ports_.files.Rename(program, backup)) {
    Finish(updater_text::kCannotReplace);
    return false;
  }
  if (ports_.files.Rename(InFolder(kDownloadFile), program)) return true;
  Finish(ports_.files.Rename(backup, program) ? updater_text::kCannotReplace : updater_text::kLeftAsBackup);
  return false;
}

void Updater::RunUpdate() {
  running_ = true;
  state_ = State::kConnecting;
  ports_.view.StopTimer();
  ports_.view.SetStatus(updater_text::kConnecting);

  std::unique_ptr<InternetSession> session = ports_.internet.Open(kUpdaterAgent);
  if (!session) return Finish(updater_text::kNoInternet);

  std::unique_ptr<Incoming> sizeReply = ports_.sockets.Exchange(
      setup_.server, kUpdateServerPort, SizeRequest(setup_.server, ServedProgramName()), kSizeReplySize);
  if (!sizeReply) return Finish(updater_text::kNoServer);
  ports_.view.SetStatus(updater_text::kConnected);
  DownloadSize size;
  Outcome outcome = ReadSize(*sizeReply, size);
  if (outcome != Outcome::kComplete) return ReportOutcome(outcome, nullptr);
  sizeReply.reset();
  // The version the user was offered: the program must be exactly that one.
  long announced = 0;
  outcome = ReadAnnouncedVersion(announced);
  if (outcome == Outcome::kComplete && announced <= 0) outcome = Outcome::kFailed;
  if (outcome != Outcome::kComplete) return ReportOutcome(outcome, updater_text::kCannotConnect);

  ports_.view.SetStatus(updater_text::kDownloadStarted);
  std::unique_ptr<SignatureCheck> check = ports_.signatures.Start();
  outcome = DownloadProgram(*session, size, *check);
  if (outcome != Outcome::kComplete) return ReportOutcome(outcome, updater_text::kCannotConnect);

  std::string signature;
  outcome = FetchSignature(*session, signature);
  if (outcome != Outcome::kComplete) return ReportOutcome(outcome, updater_text::kCannotConnect);
  // Only what the signature covers is read from here on: the file's own
  // version and width.
  if (!check->Verify(signature) ||
      JudgeNewProgram(ports_.programs.Inspect(InFolder(kDownloadFile)), setup_.width, runningVersion_, announced) !=
          ProgramVerdict::kInstall) {
    return Finish(updater_text::kNotTheMakers);
  }

  bool showNotes = false;
  outcome = DownloadNotes(*session, showNotes);
  if (outcome != Outcome::kComplete) return ReportOutcome(outcome, nullptr);
  session.reset();

  if (!SwapInNewProgram()) return;
  ports_.view.SetBarPosition(100);
  ports_.files.Remove(InFolder(kBackupFile));
  state_ = State::kDone;
  ports_.view.SetStatus(updater_text::kDone);
  if (showNotes) ports_.documents.Open("", InFolder(kNotesFile), "", "");

  running_ = false;
  WaitForOldProgramToEnd();
  ports_.starter.Open("open", InFolder(kProgramFile), "", programFolder_);
  ports_.view.Close();
}

void Updater::WaitForOldProgramToEnd() {
  const unsigned long long start = ports_.clock.NowMs();
  while (ports_.view.WindowExists(kMainWindowTitle) && ports_.clock.NowMs() - start < kProgramWindowWaitMs) {
    ports_.view.WaitForInput(kWindowPollMs);
  }
}

}  // namespace vantrel
