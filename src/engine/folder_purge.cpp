#include "engine/folder_purge.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/canonical_path.h"
#include "engine/folder_walk.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/message_pump.h"
#include "platform/progress_view.h"
#include "platform/shell.h"
#include "settings/settings_file.h"
#include "settings/setup_data.h"

namespace vantrel {

namespace {

const char kWarningCaption[] = "경고";
const char kRootMessage[] =
    "경로가 루프폴더로 설정되어 있습니다. 더이상 진행할수 없습니다.\n해당 삭제 설정을 해제합니다.";
const char kWindowsFolderMessage[] =
    "경로가 윈도우 폴더로 설정되어 있습니다. 더이상 진행할수 없습니다.\n해당 삭제 설정을 해제합니다.";
const char kImportantFolderMessage[] =
    "경로가 윈도우 중요 폴더로 설정되어 있습니다. 더이상 진행할수 없습니다.\n해당 삭제 설정을 해제합니다.";

// What a count passes over without a word: nothing of it is deleted, and
// the run neither warns nor switches anything off.
bool PassedOverSilently(PathGuard::Verdict verdict) {
  return verdict == PathGuard::Verdict::kRoot || verdict == PathGuard::Verdict::kWindowsFolder ||
         verdict == PathGuard::Verdict::kProgramFolder;
}

}  // namespace

SystemFolders WithImportantFolders(SystemFolders systemFolders, Shell& shell) {
  for (std::string& folder : shell.ImportantFolders()) {
    systemFolders.importantFolders.push_back(std::move(folder));
  }
  systemFolders.profilesFolder = shell.ProfilesFolder();
  systemFolders.programFolders.push_back(FallbackSettingsFolder(shell));
  return systemFolders;
}

FolderPurge::FolderPurge(FileSystem& files, MessagePump& pump, ProgressView& view,
                         const SetupData& settings, SystemFolders systemFolders,
                         RemovalSink& removals)
    : files_(files),
      removals_(removals),
      pump_(pump),
      view_(view),
      settings_(settings),
      guard_(files, systemFolders) {}

int FolderPurge::CountFolderFiles(std::string path, bool includeSubfolders) {
  const std::string folder = CanonicalFolder(files_, std::move(path));
  if (folder.empty()) return 0;
  const PathGuard::Verdict verdict = guard_.Judge(folder, true);
  if (PassedOverSilently(verdict)) {
    removals_.FolderRefused(folder, ReasonText(verdict));
    return 0;
  }
  return CountCanonical(folder, includeSubfolders);
}

int FolderPurge::CountCanonical(const std::string& folder, bool includeSubfolders) {
  int count = 0;
  WalkFolder(files_, pump_, folder + "*.*", [&](const DirEntry& entry) {
    if (IsDotEntry(entry) || IsFolderLink(entry)) return;
    if (!entry.isDirectory) {
      ++count;
      return;
    }
    if (!includeSubfolders) return;
    const std::string sub = folder + entry.name + '\\';
    if (guard_.Judge(sub, false) == PathGuard::Verdict::kProgramFolder) return;
    count += CountCanonical(sub, includeSubfolders);
  });
  return count;
}

void FolderPurge::Refuse(PathGuard::Verdict verdict, const std::string& folder,
                         bool* guardedSwitch) {
  removals_.FolderRefused(folder, ReasonText(verdict));
  if (verdict == PathGuard::Verdict::kProgramFolder) return;
  const char* text = verdict == PathGuard::Verdict::kRoot            ? kRootMessage
                     : verdict == PathGuard::Verdict::kWindowsFolder ? kWindowsFolderMessage
                                                                     : kImportantFolderMessage;
  view_.Messages().Show(text, kWarningCaption, mb::kIconHand);
  if (guardedSwitch != nullptr) *guardedSwitch = false;
}

void FolderPurge::ShowProgress(int count, int expectedCount, int base, int span) {
  // 64-bit products: a folder with millions of files must not overflow.
  const auto pos = static_cast<int>(static_cast<std::int64_t>(count) * 1000 / expectedCount);
  view_.CategoryBar().SetPos(pos);
  const double product = static_cast<double>(static_cast<std::int64_t>(pos) * span);
  view_.OverallBar().SetPos(static_cast<int>(base + product * 0.001));
}

int FolderPurge::PurgeFolder(bool* guardedSwitch, std::string path, bool includeSubfolders,
                             int startCount, int expectedCount, int base, int span) {
  if (expectedCount == 0) return 0;
  // A path the system cannot resolve is judged as the empty path: a root.
  const std::string folder = CanonicalFolder(files_, std::move(path));
  return PurgeCanonical(guardedSwitch, folder, true, includeSubfolders, startCount, expectedCount,
                        base, span);
}

int FolderPurge::PurgeCanonical(bool* guardedSwitch, const std::string& folder, bool given,
                                bool includeSubfolders, int startCount, int expectedCount,
                                int base, int span) {
  const PathGuard::Verdict verdict = guard_.Judge(folder, given);
  if (verdict != PathGuard::Verdict::kPass) {
    Refuse(verdict, folder, guardedSwitch);
    return -1;
  }

  int count = startCount;
  WalkFolder(files_, pump_, folder + "*.*", [&](const DirEntry& entry) {
    ShowProgress(count, expectedCount, base, span);
    if (IsDotEntry(entry) || IsFolderLink(entry)) return;
    const std::string full = folder + entry.name;
    if (!entry.isDirectory) {
      ++count;
      removals_.RemoveFile(files_, full, FileSize(entry));
      return;
    }
    if (!includeSubfolders) return;
    const int inner = PurgeCanonical(guardedSwitch, full + '\\', false, includeSubfolders, count,
                                     expectedCount, base, span);
    // A refused or passed-over folder is left exactly as it is, empty or not.
    if (inner == -1) return;
    count = inner;
    if (!settings_.IsCleaningFolder(full)) removals_.RemoveEmptyFolder(files_, full);
  });
  return count;
}

}  // namespace vantrel
