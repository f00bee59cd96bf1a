#pragma once
// The shell port: where the shell keeps its special folders, the temp folder
// and the Recycle Bin. Paths are CP949 byte strings.
//
// The path calls write into a caller's buffer the way the shell does, so a
// call that fails leaves the buffer as it was.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// The shell's folder identifiers (CSIDL values).
namespace csidl {
constexpr int kRecent = 0x08;
constexpr int kInternetCache = 0x20;
constexpr int kCookies = 0x21;
constexpr int kHistory = 0x22;
constexpr int kAppData = 0x1A;
}  // namespace csidl

// Flags of EmptyRecycleBin (SHERB_ values).
namespace recycle_bin {
constexpr unsigned kNoConfirmation = 0x1;
constexpr unsigned kNoProgressUi = 0x2;
constexpr unsigned kNoSound = 0x4;
}  // namespace recycle_bin

// The size of every path buffer the program hands to the shell (MAX_PATH).
constexpr std::size_t kShellPathSize = 260;

struct RecycleBinInfo {
  bool ok = false;  // the query answered S_OK; size and items mean nothing otherwise
  std::int64_t size = 0;
  std::int64_t items = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;

  // SHGetSpecialFolderPathA(owner, buffer, folder, no create); buffer holds
  // kShellPathSize bytes. True when the shell gave the path.
  virtual bool SpecialFolderPath(int folder, char* buffer) = 0;
  // GetTempPathA(size, buffer): the length of the path (with its trailing
  // backslash), or the size needed when it does not fit, or 0 on failure.
  virtual std::size_t TempPath(std::size_t size, char* buffer) = 0;
  // SHQueryRecycleBinA over all drives.
  virtual RecycleBinInfo QueryRecycleBin() = 0;
  // SHEmptyRecycleBinA(NULL, NULL, flags) over all drives; true on S_OK.
  virtual bool EmptyRecycleBin(unsigned flags) = 0;
  // The folders the running system cannot do without, as it names them: the
  // desktop, start menu and Programs folders (the user's and all users'),
  // the profile, My Documents, the application-data folders (roaming,
  // local, LocalLow and all users'), the public profile, Program Files (both
  // on 64-bit Windows), the Windows and system folders (both on 64-bit
  // Windows). Folders the system does not name are left out.
  virtual std::vector<std::string> ImportantFolders() = 0;
  // The folder that holds the users' profiles ("C:\Users", "C:\Documents
  // and Settings"), as the system names it; empty when it names none.
  virtual std::string ProfilesFolder() = 0;
};

}  // namespace vantrel
