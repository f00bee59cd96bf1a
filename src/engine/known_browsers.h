#pragma once
// The browsers the program knows: where each keeps its data, which of those
// folders are caches it rebuilds by itself, and the program file it runs as.
// Folders are directory patterns (directory_pattern.h).

#include <string>
#include <vector>

namespace vantrel {

struct KnownBrowser {
  std::string name;         // "Chrome"
  std::string subject;      // the name with its subject particle: "Chrome이"
  std::string programFile;  // "chrome.exe"
  // Where it keeps its profiles; its ready-made entry is offered when one
  // of them exists, and nothing under them is cleaned while it runs.
  std::vector<std::string> dataFolders;
  // What its ready-made entry cleans.
  std::vector<std::string> cacheFolders;
};

const std::vector<KnownBrowser>& KnownBrowsers();

// Windows' own caches: shader caches, crash dumps and error reports, all
// in the user's local application data (which Windows XP does not name in
// its environment).
const std::vector<std::string>& WindowsCacheFolders();
inline constexpr char kWindowsDataFolder[] = "%LOCALAPPDATA%";

// The name of the ready-made entry of a browser ("Chrome 캐시") and of
// Windows' caches.
std::string CacheEntryName(const std::string& browserName);
inline constexpr char kWindowsCacheEntryName[] = "Windows 캐시";

// "Chrome이 실행 중이라 건너뜁니다": what a run says of a browser it leaves
// alone because it runs.
std::string RunningBrowserNote(const std::string& browserName);

}  // namespace vantrel
