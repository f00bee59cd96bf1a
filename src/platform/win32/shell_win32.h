#pragma once
#include <windows.h>

#include "platform/shell.h"

namespace vantrel {

// The shell port over shell32 and GetTempPathA. The owner window is the one
// the shell may use for its own messages while it looks a folder up.
class Win32Shell : public Shell {
 public:
  explicit Win32Shell(HWND owner = nullptr) : owner_(owner) {}

  bool SpecialFolderPath(int folder, char* buffer) override;
  std::size_t TempPath(std::size_t size, char* buffer) override;
  RecycleBinInfo QueryRecycleBin() override;
  bool EmptyRecycleBin(unsigned flags) override;
  std::vector<std::string> ImportantFolders() override;
  std::string ProfilesFolder() override;

 private:
  HWND owner_;
};

}  // namespace vantrel
