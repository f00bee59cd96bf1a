#pragma once
// Which folders a run must leave alone because the browser that owns them
// runs: a browser rewrites its caches while it runs, and what it holds open
// could not go anyway.

#include <optional>
#include <string>
#include <vector>

#include "engine/known_browsers.h"

namespace vantrel {

class DirectoryExpansion;
class FileSystem;
class RunningPrograms;

class RunningBrowsers {
 public:
  RunningBrowsers(DirectoryExpansion& expansion, FileSystem& files, RunningPrograms& programs)
      : expansion_(expansion), files_(files), programs_(programs) {}

  // The browser whose data folder a purge of folder would reach (folder is
  // that data folder or lies in it, or, with includeSubfolders, holds it),
  // when a process of the current user runs it; nullptr otherwise. The
  // processes are asked once per browser, when a folder of it is first met.
  const KnownBrowser* RunningOwnerOf(const std::string& folder, bool includeSubfolders);

 private:
  struct Owner {
    const KnownBrowser* browser;
    std::vector<std::string> dataFolders;  // canonical, upper case
    std::optional<bool> runs;
  };
  void FindDataFolders();

  DirectoryExpansion& expansion_;
  FileSystem& files_;
  RunningPrograms& programs_;
  std::optional<std::vector<Owner>> owners_;
};

}  // namespace vantrel
