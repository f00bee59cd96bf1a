#include "updater/updater.h"

#include <algorithm>

namespace vantrel {

namespace {

constexpr char kProgramFile[] = "Qorv.exe";
constexpr char kBackupFile[] = "Qorv.bak";
constexpr char kNotesFile[] = "UpDateInf.Txt";
constexpr char kMainWindowTitle[] = "Vantrel V.ZEL";
// Enough of the download's start for the DOS header and the PE signature.
constexpr std::size_t kHeadSize = 4096;
constexpr unsigned kWindowPollMs = 100;

bool IsSuccess(int status) { return status >= 200 && status <= 299; }

}  // namespace

bool LooksLikeWindowsProgram(const std::string& head) {
  if (head.size() < 0x40 || head[0] != 'M' || head[1] != 'Z') return false;
  std::uint32_t peOffset = 0;
  for (int i = 3; i >= 0; --i) peOffset = (peOffset << 8) | static_cast<unsigned char>(head[0x3C + i]);
  return peOffset <= head.size() - 4 && head.compare(peOffset, 4, std::string("PE\0\0", 4)) == 0;
}

Updater::Updater(UpdaterPorts ports, std::string server, std::string commandLine)
    : ports_(ports), server_(std::move(server)), commandLine_(std::move(commandLine)) {}

std::string Updater::ProgramAddress() const { return "http://" + server_ + "/~kvq0417/qorv/Qorv.exe"; }

std::string Updater::SignatureAddress() const { return ProgramAddress() + ".sig"; }

std::string Updater::NotesAddress() const { return "http://" + server_ + "/~kvq0417/qorv/UpDateInf.txt"; }

void Updater::ShowError(const char* text) {
  ports_.messages.Show(text, updater_text::kErrorCaption, mb::kOk | mb::kIconHand);
}

void Updater::Prepare() {
  step_ = 1;
  running_ = false;
  if (commandLine_ != kUpdaterLaunchArgument) {
    state_ = State::kRefused;
    ports_.messages.Show(updater_text::kLocked, kUpdaterName, mb::kOk | mb::kIconHand);
    ports_.view.Close();
    return;
  }
  programFolder_ = ports_.files.CurrentFolder();
  if (programFolder_.empty() || programFolder_.back() != '\\') programFolder_ += '\\';
  if (!ports_.files.Exists(InFolder(kProgramFile))) {
    state_ = State::kRefused;
    ShowError(updater_text::kNoProgram);
    ports_.view.Close();
    return;
  }
  ports_.view.SetStatus(updater_text::kPreparing);
  if (ports_.files.Exists(InFolder(kBackupFile))) ports_.files.Remove(InFolder(kBackupFile));
  if (!ports_.files.Rename(InFolder(kProgramFile), InFolder(kBackupFile))) {
    // Without a backup nothing may be replaced: a folder we cannot write.
    state_ = State::kRefused;
    ShowError(updater_text::kCannotReplace);
    ports_.view.Close();
    return;
  }
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
  if (state_ != State::kPrepared) return;
  RestoreBackup();
  state_ = State::kCancelled;
}

void Updater::RestoreBackup() { ports_.files.Rename(InFolder(kBackupFile), InFolder(kProgramFile)); }

void Updater::GiveUp(const char* message) {
  ShowError(message);
  RestoreBackup();
  state_ = State::kFailed;
  ports_.view.Close();
}

void Updater::Cancel(bool duringNotes) {
  ports_.files.Remove(InFolder(kProgramFile));
  if (duringNotes) ports_.files.Remove(InFolder(kNotesFile));
  RestoreBackup();
  state_ = State::kCancelled;
  ports_.view.Close();
}

void Updater::RunUpdate() {
  running_ = true;
  state_ = State::kConnecting;
  ports_.view.StopTimer();
  ports_.view.SetStatus(updater_text::kConnecting);

  std::unique_ptr<InternetSession> session = ports_.internet.Open(kUpdaterAgent);
  if (!session) return GiveUp(updater_text::kNoInternet);
  std::unique_ptr<InternetFile> program = session->OpenUrl(ProgramAddress());
  if (!program) return GiveUp(updater_text::kCannotConnect);

  DownloadSize size;
  {
    std::unique_ptr<Connection> connection = ports_.sockets.Connect(server_, 80, kSizeReplyTimeoutMs);
    if (!connection) return GiveUp(updater_text::kNoServer);
    ports_.view.SetStatus(updater_text::kConnected);
    connection->Send(SizeRequest(server_));
    size = ReadDownloadSize(connection->ReceiveOnce(kSizeReplySize));
  }

  ports_.view.SetStatus(updater_text::kDownloadStarted);
  std::unique_ptr<OutputFile> output = ports_.files.Create(InFolder(kProgramFile));
  ports_.view.ResetBar();
  ports_.view.SetStatus(updater_text::kDownloading);
  state_ = State::kDownloadingProgram;
  Received received;
  std::unique_ptr<SignatureCheck> check = ports_.signatures.Start();
  const Transfer transfer = output ? Copy(*program, *output, &size, received, check.get()) : Transfer::kFailed;
  if (transfer == Transfer::kCancelled) {
    output.reset();
    program.reset();
    session.reset();
    return Cancel(false);
  }
  const bool closed = output && output->Close();
  if (transfer == Transfer::kFailed || !closed || !IsSoundProgram(*program, size, received) ||
      !check || !IsSignedByTheMaker(*session, *check)) {
    output.reset();
    program.reset();
    session.reset();
    ports_.files.Remove(InFolder(kProgramFile));
    return GiveUp(updater_text::kCannotConnect);
  }
  program.reset();

  state_ = State::kDownloadingNotes;
  const std::string notesPath = InFolder(kNotesFile);
  if (ports_.files.Exists(notesPath)) ports_.files.Remove(notesPath);
  std::unique_ptr<OutputFile> notesFile = ports_.files.Create(notesPath);
  std::unique_ptr<InternetFile> notes = session->OpenUrl(NotesAddress());
  // An error page is no release notes.
  if (notes && !IsSuccess(notes->StatusCode())) notes.reset();
  const bool showNotes = notes && notesFile;
  if (showNotes) {
    Received notesReceived;
    // A broken transfer of the notes keeps what arrived: the program is whole.
    if (Copy(*notes, *notesFile, nullptr, notesReceived) == Transfer::kCancelled) {
      notesFile.reset();
      notes.reset();
      session.reset();
      return Cancel(true);
    }
  }

  ports_.view.SetBarPosition(100);
  ports_.files.Remove(InFolder(kBackupFile));
  state_ = State::kDone;
  ports_.view.SetStatus(updater_text::kDone);
  notesFile.reset();
  notes.reset();
  session.reset();
  if (showNotes) ports_.documents.Open("", notesPath, "", "");

  running_ = false;
  WaitForOldProgramToEnd();
  ports_.starter.Open("open", kProgramFile, "", programFolder_);
  ports_.view.Close();
}

Updater::Transfer Updater::Copy(InternetFile& from, OutputFile& to, const DownloadSize* bar, Received& received,
                               SignatureCheck* signature) {
  if (buffer_.empty()) buffer_.resize(kReadBufferSize);
  for (;;) {
    std::size_t available = 0;
    std::size_t read = 0;
    if (!from.QueryDataAvailable(available) ||
        !from.Read(buffer_.data(), std::min(available, buffer_.size()), read)) {
      return Transfer::kFailed;
    }
    if (read > 0 && !to.Write(buffer_.data(), read)) return Transfer::kFailed;
    if (signature != nullptr) signature->Add(buffer_.data(), read);

    received.bytes += static_cast<std::int64_t>(read);
    if (received.head.size() < kHeadSize) {
      received.head.append(buffer_.data(), std::min(read, kHeadSize - received.head.size()));
    }
    if (bar != nullptr) {
      const double share = static_cast<double>(received.bytes) * 100.0 / static_cast<double>(bar->bytes);
      ports_.view.SetBarPosition(static_cast<int>(std::min(share, 100.0)));
    }

    ports_.view.PumpOneMessage();
    if (!running_) {
      if (ports_.messages.Show(updater_text::kStopQuestion, updater_text::kStopCaption, mb::kYesNo) == mb::kIdYes) {
        return Transfer::kCancelled;
      }
      running_ = true;
    }
    if (read == 0) return Transfer::kComplete;
  }
}

bool Updater::IsSoundProgram(InternetFile& file, const DownloadSize& size, const Received& received) const {
  if (!IsSuccess(file.StatusCode())) return false;
  if (size.named && received.bytes != size.bytes) return false;
  return LooksLikeWindowsProgram(received.head);
}

// Anyone between the user and the server could hand over a program: only
// one the maker signed is kept.
bool Updater::IsSignedByTheMaker(InternetSession& session, SignatureCheck& check) {
  std::unique_ptr<InternetFile> file = session.OpenUrl(SignatureAddress());
  if (!file || !IsSuccess(file->StatusCode())) return false;
  if (buffer_.empty()) buffer_.resize(kReadBufferSize);
  std::string signature;
  for (;;) {
    std::size_t available = 0;
    std::size_t read = 0;
    if (!file->QueryDataAvailable(available) ||
        !file->Read(buffer_.data(), std::min(available, buffer_.size()), read)) {
      return false;
    }
    if (read == 0) break;
    signature.append(buffer_.data(), read);
    if (signature.size() > kMaxSignatureSize) return false;
  }
  return check.Verify(signature);
}

void Updater::WaitForOldProgramToEnd() {
  for (unsigned waited = 0; waited < kProgramWindowWaitMs && ports_.view.WindowExists(kMainWindowTitle);
       waited += kWindowPollMs) {
    ports_.view.PumpFor(kWindowPollMs);
  }
}

}  // namespace vantrel
