#include "engine/folder_purge.h"

#include <cstdint>
#include <utility>

#include "engine/folder_walk.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/message_pump.h"
#include "platform/progress_view.h"
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

void AddTrailingBackslash(std::string& path) {
  if (path.empty() || path.back() != '\\') path += '\\';
}

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

std::string NormalisedFolder(const std::string& folder) {
  if (folder.empty()) return folder;
  std::string upper = UpperCasePath(folder);
  AddTrailingBackslash(upper);
  return upper;
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

FolderPurge::FolderPurge(FileSystem& files, MessagePump& pump, ProgressView& view,
                         const SetupData& settings, SystemFolders systemFolders,
                         RemovalSink& removals)
    : files_(files), removals_(removals), pump_(pump), view_(view), settings_(settings),
      windowsFolder_(NormalisedFolder(systemFolders.windowsFolder)),
      systemFolder_(NormalisedFolder(systemFolders.systemFolder)) {}

int FolderPurge::CountFolderFiles(std::string path, bool includeSubfolders) {
  AddTrailingBackslash(path);
  if (path.size() < 5) return 0;
  if (IsWindowsFolderShape(UpperCasePath(path))) return 0;

  int count = 0;
  WalkFolder(files_, pump_, path + "*.*", [&](const DirEntry& entry) {
    if (IsDotEntry(entry) || IsFolderLink(entry)) return;
    if (!entry.isDirectory) {
      ++count;
    } else if (includeSubfolders) {
      count += CountFolderFiles(path + entry.name, includeSubfolders);
    }
  });
  return count;
}

FolderPurge::Refusal FolderPurge::Guard(const std::string& path) const {
  if (path.size() < 4) return Refusal::kRoot;
  const std::string upper = UpperCasePath(path);
  if (upper.size() > 5 && IsWindowsFolderShape(upper)) return Refusal::kWindowsFolder;
  if (upper.size() > 13 && (EndsWith(upper, "시작 메뉴\\") || EndsWith(upper, "바탕 화면\\"))) {
    return Refusal::kImportantFolder;
  }
  if (IsSystemFolderShape(upper)) return Refusal::kImportantFolder;
  if ((!windowsFolder_.empty() && upper == windowsFolder_) ||
      (!systemFolder_.empty() && upper == systemFolder_)) {
    return Refusal::kImportantFolder;
  }
  return Refusal::kNone;
}

void FolderPurge::ShowRefusal(Refusal refusal) {
  const char* text = refusal == Refusal::kRoot            ? kRootMessage
                     : refusal == Refusal::kWindowsFolder ? kWindowsFolderMessage
                                                          : kImportantFolderMessage;
  view_.Messages().Show(text, kWarningCaption, mb::kIconHand);
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
  AddTrailingBackslash(path);
  const Refusal refusal = Guard(path);
  if (refusal != Refusal::kNone) {
    ShowRefusal(refusal);
    removals_.FolderRefused(path);
    if (guardedSwitch != nullptr) *guardedSwitch = false;
    return -1;
  }

  int count = startCount;
  WalkFolder(files_, pump_, path + "*.*", [&](const DirEntry& entry) {
    ShowProgress(count, expectedCount, base, span);
    if (IsDotEntry(entry) || IsFolderLink(entry)) return;
    const std::string full = path + entry.name;
    if (!entry.isDirectory) {
      ++count;
      removals_.RemoveFile(files_, full, FileSize(entry));
      return;
    }
    if (!includeSubfolders) return;
    const int inner =
        PurgeFolder(guardedSwitch, full, includeSubfolders, count, expectedCount, base, span);
    // A refused folder is left exactly as it is, empty or not.
    if (inner == -1) return;
    count = inner;
    if (!settings_.IsCleaningFolder(full)) removals_.RemoveEmptyFolder(files_, full);
  });
  return count;
}

}  // namespace vantrel
