#pragma once
// Counting and emptying the folders of a cleaning run, behind a guard that
// refuses drive roots, the Windows folder, the folders Windows cannot do
// without and every folder that holds one, and passes over the program's
// own folders. Both judge and walk the folder the system resolves a path to
// (CanonicalFolder), never the text as given.

#include <string>
#include <vector>

#include "engine/path_guard.h"
#include "engine/removal_sink.h"

namespace vantrel {

class FileSystem;
class MessagePump;
class ProgressView;
class SetupData;
class Shell;

// systemFolders with what the shell names added (the important folders,
// the profiles folder, the settings fallback folder); asked once for each
// run.
SystemFolders WithImportantFolders(SystemFolders systemFolders, Shell& shell);

class FolderPurge {
 public:
  // Files and emptied sub-folders go through removals.
  FolderPurge(FileSystem& files, MessagePump& pump, ProgressView& view, const SetupData& settings,
              SystemFolders systemFolders, RemovalSink& removals = RemovalSink::OnSystem());

  // The number of files PurgeFolder will try to delete; 0 for a drive or
  // share root (however reached), an empty or unresolvable path, the Windows
  // folder itself and the program's own folder, which are passed over
  // without a word (and reported to the removal sink). The program's own
  // folders met on the way are not counted.
  int CountFolderFiles(std::string path, bool includeSubfolders);

  // Deletes the files of path (and of its sub-folders when asked), moving the
  // category bar from 0 towards 1000 and the overall bar from base towards
  // base + span. Returns startCount plus the files it tried to delete, 0 when
  // expectedCount is 0, and -1 when the guard refused path, after showing why
  // and clearing *guardedSwitch (when given). A folder the guard refuses on
  // the way is left as it is and the walk goes on; the program's own folder
  // is passed over without a word or a change of the switch.
  int PurgeFolder(bool* guardedSwitch, std::string path, bool includeSubfolders, int startCount,
                  int expectedCount, int base, int span);

 private:
  // Both take and give canonical folders (with their trailing backslash).
  int CountCanonical(const std::string& folder, bool includeSubfolders);
  // given: folder is the one PurgeFolder was given, not one met in its walk.
  int PurgeCanonical(bool* guardedSwitch, const std::string& folder, bool given,
                     bool includeSubfolders, int startCount, int expectedCount, int base,
                     int span);
  // Shows the warning of a refusal, clears the switch and tells the sink.
  void Refuse(PathGuard::Verdict verdict, const std::string& folder, bool* guardedSwitch);
  void ShowProgress(int count, int expectedCount, int base, int span);

  FileSystem& files_;
  RemovalSink& removals_;
  MessagePump& pump_;
  ProgressView& view_;
  const SetupData& settings_;
  PathGuard guard_;
};

}  // namespace vantrel
