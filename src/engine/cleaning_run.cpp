#include "engine/cleaning_run.h"

#include <cstdint>
#include <optional>
#include <set>

#include "engine/cache_cleaner.h"
#include "engine/directory_pattern.h"
#include "engine/registry_cleaner.h"
#include "engine/running_browsers.h"
#include "platform/message_pump.h"
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
        run_(run),
        cache_(run.ports_.cache, run.ports_.pump, run.view_, run.removals_),
        registry_(run.ports_.registry, run.view_, run.removals_),
        shell_(run.ports_.shell),
        removals_(run.removals_),
        expansion_(run.ports_.environment, run.ports_.files, run.ports_.pump),
        browsers_(expansion_, run.ports_.files, run.ports_.programs) {}

  void Run() {
    TakeUserEntries();
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

    if (Wanted(settings_.cleanCache)) {
      FolderStep("캐시", &settings_.cleanCache, settings_.cacheFolder, true);
    }
    if (Wanted(settings_.cleanCookie)) {
      TwoHalfStep("쿠키", kCookieEntry, &settings_.cleanCookie, settings_.cookieFolder, false);
    }
    if (Wanted(settings_.cleanHistory)) {
      TwoHalfStep("기록", kHistoryEntry, &settings_.cleanHistory, settings_.historyFolder, true);
    }
    if (Wanted(settings_.cleanTypedUrl)) TypedUrlStep();
    if (Wanted(settings_.cleanTemp)) {
      FolderStep("템프", &settings_.cleanTemp, settings_.tempFolder, true);
    }
    if (Wanted(settings_.cleanRecent)) {
      FolderStep("문서 리스트", &settings_.cleanRecent, settings_.recentFolder, false);
    }
    if (Wanted(settings_.cleanRecycleBin)) RecycleBinStep();
    if (Wanted(settings_.cleanIndexEntry)) IndexEntryStep();
    if (Wanted(settings_.cleanMediaPlayer)) registry_.CleanMediaList(0, done_, total_, step_);
    if (Wanted(settings_.cleanRealPlayer)) registry_.CleanMediaList(1, done_, total_, step_);
    if (Wanted(settings_.cleanRealOne)) registry_.CleanMediaList(2, done_, total_, step_);
    UserEntrySteps();

    view_.StepLabel().SetText("청소 끝.");
    view_.OverallBar().SetPos(kBarEnd);
    view_.CategoryBar().SetPos(kBarEnd);
  }

 private:
  int Base() const { return done_ * step_; }

  // A switched-on step, unless the pump says the run is stopping.
  bool Wanted(bool categorySwitch) const { return categorySwitch && !run_.ports_.pump.Stopping(); }

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

  // Made at the first folder step, so the shell names the important
  // folders once for each run that cleans a folder.
  FolderPurge& Folders() {
    if (!purge_) {
      purge_.emplace(run_.ports_.files, run_.ports_.pump, view_, settings_,
                     WithImportantFolders(run_.systemFolders_, run_.ports_.shell), removals_);
    }
    return *purge_;
  }

  void PurgeWholeFolder(bool* guardedSwitch, const std::string& folder, bool includeSubfolders,
                        int base, int span) {
    const int expected = Folders().CountFolderFiles(folder, includeSubfolders);
    Folders().PurgeFolder(guardedSwitch, folder, includeSubfolders, 0, expected, base, span);
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

  // The run cleans the entries as they were when it started: its loops
  // dispatch window messages, so the settings window can add, change and
  // delete entries while it goes on, and none of that may pull an entry
  // from under the run or change the number of steps it counted.
  void TakeUserEntries() {
    entries_.clear();
    for (const auto& entry : settings_.userEntries) entries_.push_back(*entry);
  }

  void UserEntrySteps() {
    for (const UserEntry& entry : entries_) {
      if (!Wanted(true)) return;
      view_.StepLabel().SetText(entry.name);
      shownNote_.clear();
      for (const std::string& dir : entry.dirs) {
        OpenEntryStep(entry);
        view_.OverallBar().SetPos(Base());
        PurgeFolders(FoldersToClean(WithoutPrefix(dir), entry.includeSubfolders),
                     entry.includeSubfolders, Base(), step_);
        Close();
      }
      for (const std::string& regKey : entry.regKeys) {
        const std::string key = WithoutPrefix(regKey);
        OpenEntryStep(entry);
        view_.OverallBar().SetPos(Base());
        view_.CategoryBar().SetPos(0);
        registry_.DeleteKeyValues(SetupData::RootKeyOf(key), SetupData::SubKeyOf(key));
        Close();
      }
    }
  }

  // A note on a skipped browser stands for its own step only.
  void OpenEntryStep(const UserEntry& entry) {
    Open(shownNote_.empty() ? nullptr : entry.name.c_str());
    shownNote_.clear();
  }

  // The folders a directory of an entry stands for, less those of a browser
  // that runs. Each one then goes through the guard as a typed folder does.
  std::vector<std::string> FoldersToClean(const std::string& directory, bool includeSubfolders) {
    std::vector<std::string> folders;
    for (std::string& folder : expansion_.Folders(directory)) {
      const KnownBrowser* running = browsers_.RunningOwnerOf(folder, includeSubfolders);
      if (running == nullptr) {
        folders.push_back(std::move(folder));
        continue;
      }
      const std::string note = RunningBrowserNote(running->name);
      if (note != shownNote_) view_.StepLabel().SetText(note);
      shownNote_ = note;
      if (skippedBrowsers_.insert(running->name).second) removals_.BrowserSkipped(running->name);
    }
    return folders;
  }

  // One step over several folders: the bars move over the files of all of
  // them. A folder with no files is passed over as PurgeFolder passes over
  // a typed one, with no guard test and no message.
  void PurgeFolders(const std::vector<std::string>& folders, bool includeSubfolders, int base,
                    int span) {
    std::vector<int> counts;
    int expected = 0;
    for (const std::string& folder : folders) {
      counts.push_back(Folders().CountFolderFiles(folder, includeSubfolders));
      expected += counts.back();
    }
    int done = 0;
    for (std::size_t i = 0; i < folders.size(); ++i) {
      if (counts[i] == 0) continue;
      const int count =
          Folders().PurgeFolder(nullptr, folders[i], includeSubfolders, done, expected, base, span);
      if (count >= 0) done = count;
    }
  }

  SetupData& settings_;
  ProgressView& view_;
  CleaningRun& run_;
  std::optional<FolderPurge> purge_;
  CacheCleaner cache_;
  RegistryCleaner registry_;
  Shell& shell_;
  RemovalSink& removals_;
  int total_ = 0;
  int step_ = 0;
  int half_ = 0;
  int done_ = 0;
  std::vector<UserEntry> entries_;
  DirectoryExpansion expansion_;
  RunningBrowsers browsers_;
  std::set<std::string> skippedBrowsers_;  // each is reported once a run
  std::string shownNote_;  // the step label names a skipped browser
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
