#include "engine/path_guard.h"

#include <algorithm>

#include "engine/canonical_path.h"
#include "engine/folder_walk.h"
#include "platform/file_system.h"

namespace vantrel {

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

void AddOnce(std::vector<std::string>& list, std::string item) {
  if (!item.empty() && !Contains(list, item)) list.push_back(std::move(item));
}

// X:\WINDOWS\ or X:\WINNT\ exactly, after a three-byte prefix.
bool IsWindowsFolderShape(const std::string& upper) {
  if (upper.size() <= 5) return false;
  const std::string rest = upper.substr(3);
  return rest == "WINDOWS\\" || rest == "WINNT\\";
}

// The system folders below a WINDOWS or WINNT folder, wherever that folder
// lies, as long as there is room for a drive prefix before the name; and
// folders named like the desktop or the start menu.
bool IsImportantShape(const std::string& upper) {
  if (upper.size() > 13 && (EndsWith(upper, "시작 메뉴\\") || EndsWith(upper, "바탕 화면\\"))) {
    return true;
  }
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

// The folders that hold a canonical folder, nearest first, down to the one
// just below its drive or share root.
std::vector<std::string> Holders(const std::string& folder) {
  std::vector<std::string> holders;
  std::string holder = folder;
  for (;;) {
    const std::size_t slash = holder.rfind('\\', holder.size() - 2);
    if (slash == std::string::npos) break;
    holder.resize(slash + 1);
    if (holder.size() < 4 || IsShareRoot(holder)) break;
    holders.push_back(holder);
  }
  return holders;
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

const char* ReasonText(PathGuard::Verdict verdict) {
  switch (verdict) {
    case PathGuard::Verdict::kPass: break;
    case PathGuard::Verdict::kRoot: return "드라이브의 루트";
    case PathGuard::Verdict::kWindowsFolder: return "윈도우 폴더";
    case PathGuard::Verdict::kProtectedFolder: return "보호된 폴더";
    case PathGuard::Verdict::kHoldsProtected: return "보호된 폴더를 담고 있는 폴더";
    case PathGuard::Verdict::kOtherView: return "32비트 프로그램에는 다른 폴더로 보이는 시스템 폴더";
    case PathGuard::Verdict::kProgramFolder: return "프로그램 폴더";
  }
  return "";
}

PathGuard::PathGuard(FileSystem& files, const SystemFolders& folders) : files_(files) {
  std::vector<std::string> important = folders.importantFolders;
  important.push_back(folders.windowsFolder);
  important.push_back(folders.systemFolder);
  important.push_back(folders.profilesFolder);
  // Every profile, whoever it belongs to, and the links Windows keeps among
  // them ("All Users", "Default User").
  const std::string profiles =
      folders.profilesFolder.empty() ? std::string() : CanonicalFolder(files_, folders.profilesFolder);
  if (!profiles.empty()) {
    if (const std::unique_ptr<DirectoryFinder> finder = files_.Find(profiles + "*.*")) {
      DirEntry entry;
      while (finder->Next(entry)) {
        if (entry.isDirectory && !IsDotEntry(entry)) important.push_back(profiles + entry.name);
      }
    }
  }

  for (const std::string& folder : important) {
    if (folder.empty()) continue;
    const std::string canonical = CanonicalFolder(files_, folder);
    Add(protected_, canonical);
    for (const std::string& holder : Holders(canonical)) Add(holders_, holder);
  }
  for (const std::string& folder : folders.programFolders) {
    if (!folder.empty()) Add(programs_, CanonicalFolder(files_, folder));
  }
  for (const std::string& root : files_.DriveRoots()) AddOnce(rootIdentities_, files_.FolderIdentity(root));
  // A 32-bit program on 64-bit Windows is shown SysWOW64 where the system
  // folder is named, and the real one through Sysnative or any link.
  if (!folders.systemFolder.empty()) {
    const std::string system = CanonicalFolder(files_, folders.systemFolder);
    const std::string own = files_.FolderIdentity(system);
    const std::string native = files_.NativeFolderIdentity(system);
    if (!own.empty() && !native.empty() && own != native) splitViews_ = {own, native};
  }
}

void PathGuard::Add(Guarded& guarded, const std::string& canonical) {
  if (canonical.size() < 4 || IsShareRoot(canonical)) return;
  const std::string upper = UpperCasePath(canonical);
  if (Contains(guarded.paths, upper)) return;
  guarded.paths.push_back(upper);
  AddOnce(names_, NameOf(upper));
  // A 32-bit program on 64-bit Windows opens SysWOW64 where the system
  // folder is named; the real one is its identity in the native view.
  AddOnce(guarded.identities, files_.FolderIdentity(canonical));
  AddOnce(guarded.identities, files_.NativeFolderIdentity(canonical));
}

PathGuard::Verdict PathGuard::Judge(const std::string& folder, bool given) const {
  const Verdict byPath = JudgeByPath(folder);
  if (byPath != Verdict::kPass) return byPath;
  const Verdict byIdentity = JudgeByIdentity(folder, given);
  if (byIdentity != Verdict::kPass || !given) return byIdentity;
  // Where the system can tell, the place a link leads to is judged as well:
  // a share root has no identity to compare with.
  std::string final = files_.FinalFolderPath(folder);
  if (final.empty()) return Verdict::kPass;
  if (final.back() != '\\') final += '\\';
  return JudgeByPath(final);
}

PathGuard::Verdict PathGuard::JudgeByPath(const std::string& folder) const {
  if (folder.size() < 4 || IsShareRoot(folder)) return Verdict::kRoot;
  const std::string upper = UpperCasePath(folder);
  if (IsWindowsFolderShape(upper)) return Verdict::kWindowsFolder;
  if (IsImportantShape(upper)) return Verdict::kProtectedFolder;
  if (Contains(protected_.paths, upper)) return Verdict::kProtectedFolder;
  if (Contains(holders_.paths, upper)) return Verdict::kHoldsProtected;
  if (Contains(programs_.paths, upper)) return Verdict::kProgramFolder;
  return Verdict::kPass;
}

// Opening a folder for its identity costs the system a few calls, so only
// the folders that can be a guarded one under another path are asked: the
// folder a count or purge was given, and in a walk those that bear the name
// of a guarded one.
PathGuard::Verdict PathGuard::JudgeByIdentity(const std::string& folder, bool given) const {
  if (!given && !Contains(names_, NameOf(UpperCasePath(folder)))) return Verdict::kPass;
  const std::string identity = files_.FolderIdentity(folder);
  if (identity.empty()) return Verdict::kPass;
  if (given && Contains(rootIdentities_, identity)) return Verdict::kRoot;
  if (Contains(protected_.identities, identity)) return Verdict::kProtectedFolder;
  if (Contains(holders_.identities, identity)) return Verdict::kHoldsProtected;
  if (Contains(programs_.identities, identity)) return Verdict::kProgramFolder;
  // Below either system folder, a path leads to one folder for this program
  // and to another for Windows itself: cleaning it would clean the other.
  if (given && !splitViews_.empty()) {
    for (const std::string& holder : Holders(folder)) {
      if (Contains(splitViews_, files_.FolderIdentity(holder))) return Verdict::kOtherView;
    }
  }
  return Verdict::kPass;
}

}  // namespace vantrel
