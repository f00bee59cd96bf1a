#pragma once
// An in-memory file tree behind the file port. Paths are Windows-style
// ("C:\Temp\a.txt"); names compare case-insensitively as on Windows, and a
// search yields ".", "..", then the entries sorted case-insensitively, as
// Wine's finder does.

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

  std::unique_ptr<DirectoryFinder> Find(const std::string& pattern) override;
  bool Delete(const std::string& path) override;
  bool RemoveEmptyFolder(const std::string& path) override;
  bool Exists(const std::string& path) override;
  ReadResult Read(const std::string& path, std::string& bytes) override;
  bool Write(const std::string& path, const std::string& bytes) override;
  bool MoveReplacing(const std::string& from, const std::string& to) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool LastWriteTime(const std::string& path, std::uint64_t& time) override;
  bool MakeFolder(const std::string& path) override;

  // Every call the port received, in order ("Delete C:\x", ...).
  std::vector<std::string> calls;

 private:
  struct Node {
    std::string path;  // as first given, for the entry name's letter case
    bool isDirectory = false;
    std::string target;  // directory links only
    std::string bytes;
    std::uint32_t attributes = 0;
    std::uint64_t written = 0;
  };
  static std::string Key(const std::string& path);
  static std::string Parent(const std::string& key);
  bool WritesFail(const std::string& path) const;
  void EnsureParents(const std::string& path);
  const Node* Lookup(const std::string& path) const;

  std::map<std::string, Node> nodes_;
  std::uint64_t clock_ = 0;
  std::vector<std::string> failingWritePrefixes_;
  std::set<std::string> failingReads_;
};

}  // namespace vantrel::testing
