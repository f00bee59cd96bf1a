#include "engine/cleaning_run.h"

#include <cstdint>

#include "engine/cache_cleaner.h"
#include "engine/registry_cleaner.h"
#include "platform/progress_view.h"
#include "platform/shell.h"
#include "settings/setup_data.h"

namespace vantrel {

namespace {

constexpr std::uint32_t kNormalEntry = 0x00000001;
constexpr std::uint32_t kCookieEntry = 0x00100000;
constexpr std::uint32_t kHistoryEntry = 0x00200000;
constexpr char kTypedUrlsKey[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr unsigned kEmptyQuietly =
    recycle_bin::kNoConfirmation | recycle_bin::kNoProgressUi | recycle_bin::kNoSound;
constexpr int kBarEnd = 1000;

// Entries keep "Dir:" or "Reg:" in front of their paths and key names.
std::string WithoutPrefix(const std::string& stored) {
  return stored.size() > 4 ? stored.substr(4) : std::string();
}

}  // namespace

// The arithmetic and the order of one run.
class CleaningRun::Steps {
 public:
  Steps(CleaningRun& run, SetupData& settings)
      : settings_(settings),
        view_(run.view_),
        purge_(run.ports_.files, run.ports_.pump, run.view_, settings, run.systemFolders_,
               run.removals_),
        cache_(run.ports_.cache, run.ports_.pump, run.view_, run.removals_),
        registry_(run.ports_.registry, run.view_, run.removals_),
        shell_(run.ports_.shell),
        removals_(run.removals_) {}

  void Run() {
    total_ = settings_.CountEnabledCategories() + settings_.CountUserItems();
    if (total_ == 0) {
      view_.Messages().Show("뭘 청소할까요??", "뭘 청소하지...", mb::kOk);
      return;
    }
    step_ = kBarEnd / total_;
    half_ = step_ / 2;
    for (ProgressBarView* bar : {&view_.CategoryBar(), &view_.OverallBar()}) {
      bar->SetPos(0);
      bar->SetRange(0, kBarEnd + 1);
    }
    done_ = 0;
    ShowCount(1);

    if (settings_.cleanCache) FolderStep("캐시", &settings_.cleanCache, settings_.cacheFolder, true);
    if (settings_.cleanCookie) {
      TwoHalfStep("쿠키", kCookieEntry, &settings_.cleanCookie, settings_.cookieFolder, false);
    }
    if (settings_.cleanHistory) {
      TwoHalfStep("기록", kHistoryEntry, &settings_.cleanHistory, settings_.historyFolder, true);
    }
    if (settings_.cleanTypedUrl) TypedUrlStep();
    if (settings_.cleanTemp) FolderStep("템프", &settings_.cleanTemp, settings_.tempFolder, true);
    if (settings_.cleanRecent) {
      FolderStep("문서 리스트", &settings_.cleanRecent, settings_.recentFolder, false);
    }
    if (settings_.cleanRecycleBin) RecycleBinStep();
    if (settings_.cleanIndexEntry) IndexEntryStep();
    if (settings_.cleanMediaPlayer) registry_.CleanMediaList(0, done_, total_, step_);
    if (settings_.cleanRealPlayer) registry_.CleanMediaList(1, done_, total_, step_);
    if (settings_.cleanRealOne) registry_.CleanMediaList(2, done_, total_, step_);
    UserEntrySteps();

    view_.StepLabel().SetText("청소 끝.");
    view_.OverallBar().SetPos(kBarEnd);
    view_.CategoryBar().SetPos(kBarEnd);
  }

 private:
  int Base() const { return done_ * step_; }

  void ShowCount(int current) {
    view_.CountLabel().SetText(std::to_string(current) + "/" + std::to_string(total_));
  }

  void Open(const char* label) {
    if (label != nullptr) view_.StepLabel().SetText(label);
    ShowCount(done_ + 1);
  }

  void Close() {
    view_.CategoryBar().SetPos(kBarEnd);
    ++done_;
  }

  void PurgeWholeFolder(bool* guardedSwitch, const std::string& folder, bool includeSubfolders,
                        int base, int span) {
    const int expected = purge_.CountFolderFiles(folder, includeSubfolders);
    purge_.PurgeFolder(guardedSwitch, folder, includeSubfolders, 0, expected, base, span);
  }

  void FolderStep(const char* label, bool* guardedSwitch, const std::string& folder,
                  bool includeSubfolders) {
    Open(label);
    view_.OverallBar().SetPos(Base());
    PurgeWholeFolder(guardedSwitch, folder, includeSubfolders, Base(), step_);
    Close();
  }

  void TwoHalfStep(const char* label, std::uint32_t entryType, bool* guardedSwitch,
                   const std::string& folder, bool includeSubfolders) {
    Open(label);
    view_.OverallBar().SetPos(Base());
    cache_.PurgeCacheEntries(entryType, Base(), half_);
    view_.CategoryBar().SetPos(kBarEnd);
    view_.OverallBar().SetPos(Base() + half_);
    PurgeWholeFolder(guardedSwitch, folder, includeSubfolders, Base() + half_, half_);
    Close();
  }

  void TypedUrlStep() {
    Open("Url 주소");
    view_.OverallBar().SetPos(Base());
    registry_.DeleteKeyValues(RootKey::kCurrentUser, kTypedUrlsKey);
    registry_.DeleteKeyValues(RootKey::kUsers, std::string(kTypedUrlUserSid) + "\\" + kTypedUrlsKey);
    Close();
  }

  void RecycleBinStep() {
    Open("휴지통");
    view_.CategoryBar().SetPos(0);
    view_.OverallBar().SetPos(Base());
    removals_.EmptyRecycleBin(shell_, kEmptyQuietly);
    Close();
  }

  void IndexEntryStep() {
    Open("Entry");
    view_.OverallBar().SetPos(Base());
    view_.CategoryBar().SetPos(0);
    cache_.PurgeCacheEntries(kNormalEntry, Base(), step_);
    Close();
  }

  // Each entry is copied before its steps: the loops dispatch window
  // messages, and whatever a handler does to the list must not pull it from
  // under the run.
  void UserEntrySteps() {
    for (std::size_t index = 0; index < settings_.userEntries.size(); ++index) {
      const UserEntry entry = *settings_.userEntries[index];
      view_.StepLabel().SetText(entry.name);
      for (const std::string& dir : entry.dirs) {
        Open(nullptr);
        view_.OverallBar().SetPos(Base());
        PurgeWholeFolder(nullptr, WithoutPrefix(dir), entry.includeSubfolders, Base(), step_);
        Close();
      }
      for (const std::string& regKey : entry.regKeys) {
        const std::string key = WithoutPrefix(regKey);
        Open(nullptr);
        view_.OverallBar().SetPos(Base());
        view_.CategoryBar().SetPos(0);
        registry_.DeleteKeyValues(SetupData::RootKeyOf(key), SetupData::SubKeyOf(key));
        Close();
      }
    }
  }

  SetupData& settings_;
  ProgressView& view_;
  FolderPurge purge_;
  CacheCleaner cache_;
  RegistryCleaner registry_;
  Shell& shell_;
  RemovalSink& removals_;
  int total_ = 0;
  int step_ = 0;
  int half_ = 0;
  int done_ = 0;
};

CleaningRun::CleaningRun(Ports ports, ProgressView& view, SystemFolders systemFolders,
                         RemovalSink& removals)
    : ports_(ports), view_(view), systemFolders_(std::move(systemFolders)), removals_(removals) {}

void CleaningRun::RunCleaning(SetupData* settings) {
  if (running_ || settings == nullptr) return;
  running_ = true;
  settings_ = settings;
  Steps(*this, *settings).Run();
  running_ = false;
}

}  // namespace vantrel
