#pragma once
// An in-memory file tree behind the file port. Paths are Windows-style
// ("C:\Temp\a.txt"); names compare case-insensitively as on Windows, and a
// search yields ".", "..", then the entries sorted case-insensitively, as
// Wine's finder does.
//
// Every path given to it is resolved as Windows resolves it before it is
// looked up: against the current folder when relative, "/" as "\",
// repeated separators, "." and "..", trailing dots and blanks of names,
// short names, and the \\?\, \\.\ and \??\ prefixes. So a spelling that
// reaches a folder on Windows reaches it here too.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace vantrel::testing {

class MemoryFileSystem : public FileSystem {
 public:
  void AddFile(const std::string& path, const std::string& bytes = "", std::uint32_t attributes = 0);
  void AddDirectory(const std::string& path, std::uint32_t attributes = 0);
  // A directory link: listed as DIRECTORY|REPARSE_POINT; whatever is below
  // it lives in its target. Deleting and removing go through it, as under
  // Wine: removing the link of an empty folder removes that folder.
  void AddDirectoryLink(const std::string& path, const std::string& target);
  void SetReadOnly(const std::string& path);
  // From now on the tree is seen as a 32-bit program on 64-bit Windows sees
  // it: a path below windowsFolder\System32 leads to SysWOW64 instead, and
  // one below windowsFolder\Sysnative to the real System32. Link targets
  // and NativeFolderIdentity are not redirected, as on Windows.
  void SeeAsWow64(const std::string& windowsFolder) { wow64Windows_ = Key(windowsFolder); }
  // Gives the existing long path a short (8.3) name, such as C:\PROGRA~1.
  void AddShortName(const std::string& shortPath, const std::string& longPath);
  // Makes writes to paths that start with prefix fail.
  void FailWritesUnder(const std::string& prefix) { failingWritePrefixes_.push_back(prefix); }
  void FailReadsOf(const std::string& path) { failingReads_.insert(Key(path)); }
  // Every write stamps a file with the next tick of a clock; a test can set
  // a file's stamp to order it against others.
  void SetLastWriteTime(const std::string& path, std::uint64_t time) { nodes_.at(Key(path)).written = time; }

  bool HasFile(const std::string& path) const;
  bool HasDirectory(const std::string& path) const;
  std::string Contents(const std::string& path) const;
  std::vector<std::string> AllPaths() const;  // in key order, for diagnostics
  std::vector<std::string> AllFiles() const;  // the same, files only, in no view

  std::unique_ptr<DirectoryFinder> Find(const std::string& pattern) override;
  bool Delete(const std::string& path) override;
  bool RemoveEmptyFolder(const std::string& path) override;
  bool Exists(const std::string& path) override;
  std::string FullPath(const std::string& path) override;
  // The key of the folder behind every link on the way.
  std::string FolderIdentity(const std::string& path) override;
  std::string NativeFolderIdentity(const std::string& path) override;
  // The path of the folder behind every link on the way.
  std::string FinalFolderPath(const std::string& path) override;
  // Every drive that holds something.
  std::vector<std::string> DriveRoots() override;
  ReadResult Read(const std::string& path, std::string& bytes) override;
  bool Write(const std::string& path, const std::string& bytes) override;
  bool MoveReplacing(const std::string& from, const std::string& to) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool LastWriteTime(const std::string& path, std::uint64_t& time) override;
  bool MakeFolder(const std::string& path) override;

  // Every call the port received, in order ("Delete C:\x", ...); FullPath
  // is left out.
  std::vector<std::string> calls;
  // What relative paths are resolved against (one for every drive).
  std::string currentFolder = "C:\\Work";

 private:
  struct Node {
    std::string path;  // as first given, for the entry name's letter case
    bool isDirectory = false;
    std::string target;  // directory links only
    std::string bytes;
    std::uint32_t attributes = 0;
    std::uint64_t written = 0;
  };
  std::string Resolve(const std::string& path) const;
  std::string Key(const std::string& path) const;
  static std::string Parent(const std::string& key);
  bool WritesFail(const std::string& path) const;
  void EnsureParents(const std::string& path);
  // redirected: as the program sees path, which a 32-bit one may see in
  // the other view.
  const Node* Lookup(const std::string& path, bool redirected = true) const;
  std::string Redirected(const std::string& key) const;
  // The folder a link (or a chain of them) leads to; nullptr for no folder.
  const Node* Behind(const Node* node) const;
  std::string IdentityOf(const Node* node) const;

  std::map<std::string, Node> nodes_;
  std::uint64_t clock_ = 0;
  std::vector<std::string> failingWritePrefixes_;
  std::set<std::string> failingReads_;
  std::map<std::string, std::string> shortNames_;  // lower-case short path -> long path
  std::string wow64Windows_;  // key of the Windows folder a 32-bit view redirects in
};

}  // namespace vantrel::testing
