#pragma once
// Counting and emptying the folders of a cleaning run, behind a guard that
// refuses drive roots, the Windows folder and the folders Windows cannot do
// without. Both judge and walk the folder the system resolves a path to
// (CanonicalFolder), never the text as given.

#include <string>
#include <vector>

#include "engine/removal_sink.h"

namespace vantrel {

class FileSystem;
class MessagePump;
class ProgressView;
class SetupData;
class Shell;

// Where the running Windows keeps itself (GetWindowsDirectoryA,
// GetSystemDirectoryA), and the other folders it cannot do without
// (Shell::ImportantFolders). Empty when unknown.
struct SystemFolders {
  std::string windowsFolder;
  std::string systemFolder;
  std::vector<std::string> importantFolders;
};

// systemFolders with the important folders the shell names added; asked
// once for each run.
SystemFolders WithImportantFolders(SystemFolders systemFolders, Shell& shell);

class FolderPurge {
 public:
  // Files and emptied sub-folders go through removals.
  FolderPurge(FileSystem& files, MessagePump& pump, ProgressView& view, const SetupData& settings,
              SystemFolders systemFolders, RemovalSink& removals = RemovalSink::OnSystem());

  // The number of files PurgeFolder will try to delete; 0 for a drive or
  // share root, an empty or unresolvable path and the Windows folder itself.
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
  // Both take and give canonical folders (with their trailing backslash).
  int CountCanonical(const std::string& folder, bool includeSubfolders);
  // top: folder is the one PurgeFolder was given, not one met in its walk.
  int PurgeCanonical(bool* guardedSwitch, const std::string& folder, bool top,
                     bool includeSubfolders, int startCount, int expectedCount, int base,
                     int span);
  Refusal Guard(const std::string& folder, bool top) const;
  bool IsImportantByIdentity(const std::string& folder, const std::string& upper, bool top) const;
  bool Refuse(Refusal refusal, const std::string& folder, bool* guardedSwitch);
  void ShowProgress(int count, int expectedCount, int base, int span);

  FileSystem& files_;
  RemovalSink& removals_;
  MessagePump& pump_;
  ProgressView& view_;
  const SetupData& settings_;
  // Canonical and upper case, each with its trailing backslash.
  std::vector<std::string> importantFolders_;
  // The same folders by FileSystem::FolderIdentity, which also knows them
  // when a junction, a link or another drive letter leads there, and their
  // own names (upper case).
  std::vector<std::string> importantIdentities_;
  std::vector<std::string> importantNames_;
};

// An upper-case copy of a CP949 path: a lead byte (0x81-0xFE) keeps itself
// and its trail byte, and only single-byte a-z change.
std::string UpperCasePath(const std::string& path);

}  // namespace vantrel
