#pragma once
// Counting and emptying the folders of a cleaning run, behind a guard that
// refuses drive roots, the Windows folder and the folders Windows cannot do
// without.

#include <string>

#include "engine/removal_sink.h"

namespace vantrel {

class FileSystem;
class MessagePump;
class ProgressView;
class SetupData;

// Where the running Windows keeps itself (GetWindowsDirectoryA,
// GetSystemDirectoryA). Empty when unknown.
struct SystemFolders {
  std::string windowsFolder;
  std::string systemFolder;
};

class FolderPurge {
 public:
  // Files and emptied sub-folders go through removals.
  FolderPurge(FileSystem& files, MessagePump& pump, ProgressView& view, const SetupData& settings,
              SystemFolders systemFolders, RemovalSink& removals = RemovalSink::OnSystem());

  // The number of files PurgeFolder will try to delete; 0 for a drive root,
  // an empty path and the Windows folder itself.
  int CountFolderFiles(std::string path, bool includeSubfolders);

  // Deletes the files of path (and of its sub-folders when asked), moving the
  // category bar from 0 towards 1000 and the overall bar from base towards
  // base + span. Returns startCount plus the files it tried to delete, 0 when
  // expectedCount is 0, and -1 when the guard refused path, after showing why
  // and clearing *guardedSwitch (when given).
  int PurgeFolder(bool* guardedSwitch, std::string path, bool includeSubfolders, int startCount,
                  int expectedCount, int base, int span);

 private:
  enum class Refusal { kNone, kRoot, kWindowsFolder, kImportantFolder };
  Refusal Guard(const std::string& path) const;
  void ShowRefusal(Refusal refusal);
  void ShowProgress(int count, int expectedCount, int base, int span);

  FileSystem& files_;
  RemovalSink& removals_;
  MessagePump& pump_;
  ProgressView& view_;
  const SetupData& settings_;
  std::string windowsFolder_;  // upper case, with a trailing backslash
  std::string systemFolder_;
};

// An upper-case copy of a CP949 path: a lead byte (0x81-0xFE) keeps itself
// and its trail byte, and only single-byte a-z change.
std::string UpperCasePath(const std::string& path);

}  // namespace vantrel
