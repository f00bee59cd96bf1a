#pragma once
#include "platform/file_system.h"

namespace vantrel {

// The file port over FindFirstFileA, DeleteFileA, _rmdir and friends.
class Win32FileSystem : public FileSystem {
 public:
  std::unique_ptr<DirectoryFinder> Find(const std::string& pattern) override;
  bool Delete(const std::string& path) override;
  bool RemoveEmptyFolder(const std::string& path) override;
  bool Exists(const std::string& path) override;
  std::string FullPath(const std::string& path) override;
  std::string FolderIdentity(const std::string& path) override;
  std::string NativeFolderIdentity(const std::string& path) override;
  std::string FinalFolderPath(const std::string& path) override;
  std::vector<std::string> DriveRoots() override;
  ReadResult Read(const std::string& path, std::string& bytes) override;
  bool Write(const std::string& path, const std::string& bytes) override;
  bool MoveReplacing(const std::string& from, const std::string& to) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool LastWriteTime(const std::string& path, std::uint64_t& time) override;
  bool MakeFolder(const std::string& path) override;
};

}  // namespace vantrel
