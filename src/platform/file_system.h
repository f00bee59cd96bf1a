#pragma once
// The file port: what the program needs of the file system, in the shape the
// finder and the C run-time give it. Paths are CP949 byte strings.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vantrel {

struct DirEntry {
  std::string name;  // the entry's own name, "." and ".." included as the finder gives them
  bool isDirectory = false;
  bool isReparsePoint = false;  // junction, directory link, mount point
  std::uint32_t sizeLow = 0;    // low 32 bits of the file size
  std::uint32_t sizeHigh = 0;   // and the high 32 bits
  std::uint32_t attributes = 0;
};

// One search, in the finder's order. Next() yields the entries one by one and
// returns false after the last.
class DirectoryFinder {
 public:
  virtual ~DirectoryFinder() = default;
  virtual bool Next(DirEntry& entry) = 0;
};

enum class ReadResult { kOk, kMissing, kFailed };

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Searches pattern (a folder followed by "*.*"); nullptr when nothing is found.
  virtual std::unique_ptr<DirectoryFinder> Find(const std::string& pattern) = 0;
  virtual bool Delete(const std::string& path) = 0;
  // Removes an empty directory (the C library's _rmdir).
  virtual bool RemoveEmptyFolder(const std::string& path) = 0;
  // _access(path, 0) == 0
  virtual bool Exists(const std::string& path) = 0;
  // The absolute path the system resolves path to, by the rules of
  // GetFullPathName ("." and "..", "/", repeated separators, the current
  // folder), with short (8.3) names expanded where the path exists. Empty
  // when the system cannot resolve it.
  virtual std::string FullPath(const std::string& path) = 0;
  // What names the folder at path itself, whatever way leads to it (a link,
  // a junction, another drive letter): two paths to one folder give the same
  // text. Empty when the folder cannot be opened.
  virtual std::string FolderIdentity(const std::string& path) = 0;
  // FolderIdentity as a 64-bit program finds it. A 32-bit program on 64-bit
  // Windows is shown SysWOW64 where system32 is named (and system32 where
  // Sysnative is); this asks with that redirection off. Elsewhere the same
  // as FolderIdentity.
  virtual std::string NativeFolderIdentity(const std::string& path) = 0;
  // Where the folder at path really is, every link and junction on the way
  // followed ("C:\Users", "\\server\share"); empty where the system cannot
  // tell (before Windows Vista) or names no drive or share.
  virtual std::string FinalFolderPath(const std::string& path) = 0;
  // The roots of the system's fixed and RAM drives ("C:\").
  virtual std::vector<std::string> DriveRoots() = 0;

  virtual ReadResult Read(const std::string& path, std::string& bytes) = 0;
  // Creates or truncates path and writes bytes; false unless every byte was
  // written and the file was closed cleanly.
  virtual bool Write(const std::string& path, const std::string& bytes) = 0;
  // Moves from onto to, replacing to when it exists, in one step.
  virtual bool MoveReplacing(const std::string& from, const std::string& to) = 0;
  // Copies a file; fails rather than replace a file that is already at to.
  virtual bool Copy(const std::string& from, const std::string& to) = 0;
  // The time of the last write to a file, in units that only compare (later
  // is larger); false when there is no such file.
  virtual bool LastWriteTime(const std::string& path, std::uint64_t& time) = 0;
  // Creates one folder; true when it exists afterwards.
  virtual bool MakeFolder(const std::string& path) = 0;
};

}  // namespace vantrel
