#include "engine/preview_count.h"

#include <memory>

#include "settings/setup_data.h"

namespace vantrel {

namespace {

// The run clears a refused folder's switch in the record it is given; the
// preview hands it a copy, so the user's settings stay as they are.
std::unique_ptr<SetupData> CopyOf(const SetupData& settings) {
  auto copy = std::make_unique<SetupData>();
  for (bool SetupData::*flag :
       {&SetupData::cleanCache, &SetupData::cleanCookie, &SetupData::cleanRecent,
        &SetupData::cleanHistory, &SetupData::cleanTemp, &SetupData::cleanRecycleBin,
        &SetupData::cleanIndexEntry, &SetupData::cleanTypedUrl, &SetupData::cleanMediaPlayer,
        &SetupData::cleanRealPlayer, &SetupData::cleanRealOne}) {
    (*copy).*flag = settings.*flag;
  }
  for (std::string SetupData::*folder :
       {&SetupData::cacheFolder, &SetupData::cookieFolder, &SetupData::recentFolder,
        &SetupData::historyFolder, &SetupData::tempFolder}) {
    (*copy).*folder = settings.*folder;
  }
  for (const auto& entry : settings.userEntries) copy->AddEntry(*entry);
  return copy;
}

// The digits of "3" in "3/11"; scanf would bring the C library's whole
// input machinery into the program for it.
int NumberOf(const std::string& digits) {
  int number = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    number = number * 10 + (c - '0');
  }
  return number;
}

}  // namespace

PreviewCount::PreviewCount(Ports ports, SystemFolders systemFolders, const SetupData& settings)
    : ports_(ports),
      systemFolders_(std::move(systemFolders)),
      settings_(CopyOf(settings)),
      sink_(ports.probe),
      runSteps_(sink_) {}

PreviewCount::~PreviewCount() = default;

void PreviewCount::Label::SetText(const std::string& text) {
  if (counter) {
    count.OnCount(text);
  } else {
    count.runSteps_.Label(text);
  }
}

void PreviewCount::OnCount(const std::string& text) {
  RunSteps::Change change = runSteps_.Count(text);
  if (change.closed) steps_.push_back(std::move(*change.closed));
  if (!change.opened) return;
  const std::size_t slash = text.find('/');
  if (slash == std::string::npos) return;
  position_ = 0;
  stepCount_ = NumberOf(text.substr(slash + 1));
  step_ = NumberOf(text.substr(0, slash));
}

PreviewCount::Outcome PreviewCount::Run() {
  if (settings_->CountEnabledCategories() + settings_->CountUserItems() == 0) {
    return Outcome::kNothingSelected;
  }
  CleaningRun run(
      CleaningRun::Ports{ports_.files, *this, ports_.cache, ports_.registry, ports_.shell,
                         ports_.environment, ports_.programs}, *this,
      systemFolders_, sink_);
  run.RunCleaning(settings_.get());
  if (auto closed = runSteps_.Close()) steps_.push_back(std::move(*closed));
  return stopping_ ? Outcome::kStopped : Outcome::kCounted;
}

PreviewCount::Progress PreviewCount::Now() const {
  return Progress{step_.load(), stepCount_.load(), position_.load()};
}

std::string CountingText(const PreviewCount::Progress& progress) {
  if (progress.step <= 0) return "세는 중...";
  return "세는 중... " + std::to_string(progress.step) + "/" + std::to_string(progress.steps) +
         " 단계";
}

std::string OutcomeText(PreviewCount::Outcome outcome) {
  switch (outcome) {
    case PreviewCount::Outcome::kCounted:
      return "다 셌습니다. 아직 아무것도 지우지 않았습니다.";
    case PreviewCount::Outcome::kStopped:
      return "세기를 취소했습니다. 센 데까지만 보여 줍니다.";
    case PreviewCount::Outcome::kNothingSelected:
      break;
  }
  return "뭘 청소할까요?? 설정에서 청소할 것을 고르세요.";
}

}  // namespace vantrel
