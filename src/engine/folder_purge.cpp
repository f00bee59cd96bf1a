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

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// X:\WINDOWS\ or X:\WINNT\ exactly, after a three-byte prefix.
bool IsWindowsFolderShape(const std::string& upper) {
  const std::string rest = upper.substr(3);
  return rest == "WINDOWS\\" || rest == "WINNT\\";
}

// The system folders below a WINDOWS or WINNT folder, wherever that folder
// lies, as long as there is room for a drive prefix before the name.
bool IsSystemFolderShape(const std::string& upper) {
  for (const char* tail : {"WINDOWS\\SYSTEM\\", "WINDOWS\\SYSTEM32\\", "WINNT\\SYSTEM\\",
                           "WINNT\\SYSTEM32\\"}) {
    const std::string name = tail;
    if (upper.size() >= name.size() + 3 && EndsWith(upper, name)) return true;
  }
  return false;
}

// The last name of a canonical folder (which ends in a backslash).
std::string NameOf(const std::string& folder) {
  const std::size_t end = folder.size() - 1;
  const std::size_t slash = folder.rfind('\\', end - 1);
  return folder.substr(slash + 1, end - slash - 1);
}

}  // namespace

std::string UpperCasePath(const std::string& path) {
  std::string upper = path;
  for (std::size_t i = 0; i < upper.size(); ++i) {
    const auto byte = static_cast<unsigned char>(upper[i]);
    if (byte >= 0x81 && byte <= 0xFE) {
      ++i;  // the trail byte stays as it is
    } else if (byte >= 'a' && byte <= 'z') {
      upper[i] = static_cast<char>(byte - 'a' + 'A');
    }
  }
  return upper;
}

SystemFolders WithImportantFolders(SystemFolders systemFolders, Shell& shell) {
  for (std::string& folder : shell.ImportantFolders()) {
    systemFolders.importantFolders.push_back(std::move(folder));
  }
  return systemFolders;
}

FolderPurge::FolderPurge(FileSystem& files, MessagePump& pump, ProgressView& view,
                         const SetupData& settings, SystemFolders systemFolders,
                         RemovalSink& removals)
    : files_(files), removals_(removals), pump_(pump), view_(view), settings_(settings) {
  std::vector<std::string> named = std::move(systemFolders.importantFolders);
  named.push_back(systemFolders.windowsFolder);
  named.push_back(systemFolders.systemFolder);
  for (const std::string& folder : named) {
    if (folder.empty()) continue;
    const std::string canonical = CanonicalFolder(files_, folder);
    if (canonical.empty()) continue;
    importantFolders_.push_back(UpperCasePath(canonical));
    std::string identity = files_.FolderIdentity(canonical);
    if (identity.empty()) continue;
    importantIdentities_.push_back(std::move(identity));
    importantNames_.push_back(NameOf(importantFolders_.back()));
  }
}

int FolderPurge::CountFolderFiles(std::string path, bool includeSubfolders) {
  const std::string folder = CanonicalFolder(files_, std::move(path));
  if (folder.size() < 5 || IsShareRoot(folder)) return 0;
  if (IsWindowsFolderShape(UpperCasePath(folder))) return 0;
  return CountCanonical(folder, includeSubfolders);
}

int FolderPurge::CountCanonical(const std::string& folder, bool includeSubfolders) {
  int count = 0;
  WalkFolder(files_, pump_, folder + "*.*", [&](const DirEntry& entry) {
    if (IsDotEntry(entry) || IsFolderLink(entry)) return;
    if (!entry.isDirectory) {
      ++count;
    } else if (includeSubfolders) {
      count += CountCanonical(folder + entry.name + '\\', includeSubfolders);
    }
  });
  return count;
}

FolderPurge::Refusal FolderPurge::Guard(const std::string& folder, bool top) const {
  if (folder.size() < 4 || IsShareRoot(folder)) return Refusal::kRoot;
  const std::string upper = UpperCasePath(folder);
  if (upper.size() > 5 && IsWindowsFolderShape(upper)) return Refusal::kWindowsFolder;
  if (upper.size() > 13 && (EndsWith(upper, "시작 메뉴\\") || EndsWith(upper, "바탕 화면\\"))) {
    return Refusal::kImportantFolder;
  }
  if (IsSystemFolderShape(upper)) return Refusal::kImportantFolder;
  for (const std::string& important : importantFolders_) {
    if (upper == important) return Refusal::kImportantFolder;
  }
  if (IsImportantByIdentity(folder, upper, top)) return Refusal::kImportantFolder;
  return Refusal::kNone;
}

// Opening a folder for its identity costs the system a few calls, so only
// the folders that can be an important one under another path are asked:
// the folder a purge was given, which any link or junction may lead to, and
// in its walk (which follows no link, so every folder it meets is a real
// entry under its own name) those that bear the name of an important one.
bool FolderPurge::IsImportantByIdentity(const std::string& folder, const std::string& upper,
                                        bool top) const {
  if (importantIdentities_.empty()) return false;
  if (!top && std::find(importantNames_.begin(), importantNames_.end(), NameOf(upper)) ==
                  importantNames_.end()) {
    return false;
  }
  const std::string identity = files_.FolderIdentity(folder);
  return std::find(importantIdentities_.begin(), importantIdentities_.end(), identity) !=
         importantIdentities_.end();
}

bool FolderPurge::Refuse(Refusal refusal, const std::string& folder, bool* guardedSwitch) {
  if (refusal == Refusal::kNone) return false;
  const char* text = refusal == Refusal::kRoot            ? kRootMessage
                     : refusal == Refusal::kWindowsFolder ? kWindowsFolderMessage
                                                          : kImportantFolderMessage;
  const char* reason = refusal == Refusal::kRoot            ? "드라이브 루트"
                       : refusal == Refusal::kWindowsFolder ? "윈도우 폴더"
                                                            : "중요한 폴더";
  view_.Messages().Show(text, kWarningCaption, mb::kIconHand);
  removals_.FolderRefused(folder, reason);
  if (guardedSwitch != nullptr) *guardedSwitch = false;
  return true;
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

int FolderPurge::PurgeCanonical(bool* guardedSwitch, const std::string& folder, bool top,
                                bool includeSubfolders, int startCount, int expectedCount,
                                int base, int span) {
  if (Refuse(Guard(folder, top), folder, guardedSwitch)) return -1;

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
    // A refused folder is left exactly as it is, empty or not.
    if (inner == -1) return;
    count = inner;
    if (!settings_.IsCleaningFolder(full)) removals_.RemoveEmptyFolder(files_, full);
  });
  return count;
}

}  // namespace vantrel
