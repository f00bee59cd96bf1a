#pragma once
#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <memory>
#include <string>
#include <vector>

#include "platform/update_files.h"

namespace vantrel::testing {

// The program folder in memory. Writes land in files at once, so a test
// sees a download grow. Changes land in log.
class MemoryUpdateFiles : public UpdateFiles {
 public:
  std::string CurrentFolder() override { return currentFolder; }
  bool Exists(const std::string& path) override { return files.count(path) != 0; }
  bool Remove(const std::string& path) override {
    log.push_back("remove " + path);
    if (readOnly || held.count(path) != 0) return false;
    return files.erase(path) != 0;
  }
  bool Rename(const std::string& from, const std::string& to) override {
    log.push_back("rename " + from + " " + to);
    if (readOnly || held.count(from) != 0 || files.count(from) == 0 || files.count(to) != 0) return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  std::unique_ptr<OutputFile> Create(const std::string& path) override {
    log.push_back("create " + path);
    if (readOnly) return nullptr;
    files[path].clear();
    return std::make_unique<File>(*this, path);
  }

  std::size_t TotalBytes() const {
    std::size_t total = 0;
    for (const auto& [path, bytes] : files) total += bytes.size();
    return total;
  }

  std::string currentFolder = "C:\\Vantrel";
  // Writes that would fill the folder's disk beyond this fail.
  std::size_t diskSize = SIZE_MAX;
  // The largest each written file ever grew.
  std::map<std::string, std::size_t> largest;
  // Renames and removes of these paths fail (the file is held open).
  std::set<std::string> held;
  std::map<std::string, std::string> files;
  bool readOnly = false;
  int failingWrite = -1;  // this write (0 based, over all files) fails
  int writes = 0;
  std::vector<std::string> log;

 private:
  class File : public OutputFile {
   public:
    File(MemoryUpdateFiles& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
    WriteResult Write(const char* bytes, std::size_t size) override {
      if (owner_.writes++ == owner_.failingWrite) return WriteResult::kFailed;
      std::string& file = owner_.files[path_];
      if (owner_.TotalBytes() + size > owner_.diskSize) return WriteResult::kDiskFull;
      file.append(bytes, size);
      owner_.largest[path_] = std::max(owner_.largest[path_], file.size());
      return WriteResult::kWritten;
    }
    bool Close() override { return true; }

   private:
    MemoryUpdateFiles& owner_;
    std::string path_;
  };
};

}  // namespace vantrel::testing
