#pragma once
#include <map>
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
    if (readOnly) return false;
    return files.erase(path) != 0;
  }
  bool Rename(const std::string& from, const std::string& to) override {
    log.push_back("rename " + from + " " + to);
    if (readOnly || files.count(from) == 0 || files.count(to) != 0) return false;
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

  std::string currentFolder = "C:\\Vantrel";
  std::map<std::string, std::string> files;
  bool readOnly = false;
  int failingWrite = -1;  // this write (0 based, over all files) fails
  int writes = 0;
  std::vector<std::string> log;

 private:
  class File : public OutputFile {
   public:
    File(MemoryUpdateFiles& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
    bool Write(const char* bytes, std::size_t size) override {
      if (owner_.writes++ == owner_.failingWrite) return false;
      owner_.files[path_].append(bytes, size);
      return true;
    }
    bool Close() override { return true; }

   private:
    MemoryUpdateFiles& owner_;
    std::string path_;
  };
};

}  // namespace vantrel::testing
