#pragma once
// What a cleaning run may do with one folder: walk it, pass it over, or
// refuse it. The judge knows the folders as the running system names them
// and also by what they are (FileSystem::FolderIdentity), so a link, a
// junction, another drive letter or another view of the system folders that
// leads to one is judged as that folder.

#include <string>
#include <vector>

namespace vantrel {

class FileSystem;

// Where the running Windows keeps itself (GetWindowsDirectoryA,
// GetSystemDirectoryA), the other folders it cannot do without
// (Shell::ImportantFolders), the folder of every user's profile, and the
// program's own folders. Empty when unknown.
struct SystemFolders {
  std::string windowsFolder;
  std::string systemFolder;
  std::vector<std::string> importantFolders;
  // Every folder in it is a profile, and protected as one.
  std::string profilesFolder;
  // The folder the running program started from and the one its settings
  // fall back to: never cleaned, wherever a walk meets them.
  std::vector<std::string> programFolders;
};

class PathGuard {
 public:
  enum class Verdict {
    kPass,
    kRoot,               // a drive or share root
    kWindowsFolder,      // the Windows folder itself
    kProtectedFolder,    // a folder the system cannot do without
    kHoldsProtected,     // a folder that holds one of those
    kOtherView,          // a folder this program sees in place of another one
    kProgramFolder,      // the program's own folder
  };

  // Asks the file system for the identities of every folder it guards,
  // once.
  PathGuard(FileSystem& files, const SystemFolders& folders);

  // folder: canonical (CanonicalFolder), with its trailing backslash. given:
  // the folder is the one a count or a purge was handed, which any link may
  // lead to; otherwise it was met in a walk, which follows no link, so it is
  // what its path names.
  Verdict Judge(const std::string& folder, bool given) const;

 private:
  struct Guarded {
    std::vector<std::string> paths;       // canonical, upper case
    std::vector<std::string> identities;  // in both views of the system
  };
  void Add(Guarded& guarded, const std::string& canonical);
  Verdict JudgeByPath(const std::string& folder) const;
  Verdict JudgeByIdentity(const std::string& folder, bool given) const;

  FileSystem& files_;
  Guarded protected_;
  Guarded holders_;
  Guarded programs_;
  std::vector<std::string> rootIdentities_;
  // The system folder in both views, when this program sees two (a 32-bit
  // program on 64-bit Windows).
  std::vector<std::string> splitViews_;
  // The last names (upper case) of everything guarded: a folder met in a
  // walk under any other name cannot be one of them.
  std::vector<std::string> names_;
};

// Why a folder was passed over, in a few words for the user.
const char* ReasonText(PathGuard::Verdict verdict);

// An upper-case copy of a CP949 path: a lead byte (0x81-0xFE) keeps itself
// and its trail byte, and only single-byte a-z change.
std::string UpperCasePath(const std::string& path);

}  // namespace vantrel
