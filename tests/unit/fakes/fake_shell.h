#pragma once
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace vantrel::testing {

// A shell whose folders are set by the test. Like the real one it writes a
// path and its terminating zero into the caller's buffer on success and
// leaves the buffer alone on failure.
class FakeShell : public Shell {
 public:
  bool SpecialFolderPath(int folder, char* buffer) override {
    buffersSeen.emplace_back(buffer, kShellPathSize);
    calls.push_back("SpecialFolderPath " + std::to_string(folder));
    const auto found = folders.find(folder);
    if (found == folders.end()) return false;
    std::memcpy(buffer, found->second.c_str(), found->second.size() + 1);
    return true;
  }

  std::size_t TempPath(std::size_t size, char* buffer) override {
    buffersSeen.emplace_back(buffer, kShellPathSize);
    calls.push_back("TempPath " + std::to_string(size));
    if (!tempAvailable) return 0;
    if (tempFolder.size() + 1 > size) return tempFolder.size() + 1;
    std::memcpy(buffer, tempFolder.c_str(), tempFolder.size() + 1);
    return tempFolder.size();
  }

  RecycleBinInfo QueryRecycleBin() override {
    calls.push_back("QueryRecycleBin");
    return recycleBin;
  }

  bool EmptyRecycleBin(unsigned flags) override {
    calls.push_back("EmptyRecycleBin " + std::to_string(flags));
    return true;
  }

  std::vector<std::string> ImportantFolders() override {
    calls.push_back("ImportantFolders");
    return importantFolders;
  }

  std::string ProfilesFolder() override {
    calls.push_back("ProfilesFolder");
    return profilesFolder;
  }

  std::map<int, std::string> folders;  // a folder left out cannot be given
  std::string tempFolder = "C:\\Temp\\";
  bool tempAvailable = true;
  RecycleBinInfo recycleBin{true, 0, 0};
  std::vector<std::string> importantFolders;
  std::string profilesFolder;

  std::vector<std::string> calls;
  std::vector<std::string> buffersSeen;  // all 260 bytes at each path call
};

}  // namespace vantrel::testing
