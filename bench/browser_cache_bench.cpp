// Times one way of emptying the caches of a prepared Chrome profile tree
// under Wine and prints one line of figures; bench/run-browser-cache-bench.sh
// prepares the trees and compares the ways.
//
//   browser_cache_bench.exe MODE LOCALAPPDATA
//     run     a cleaning run whose only entry is the ready-made "Chrome 캐시"
//             (its patterns expanded, the processes asked after chrome.exe,
//             every folder counted, guarded and purged), through a view that
//             draws nothing
//     bare    CountFolderFiles and PurgeFolder on each cache folder of the
//             tree, named in full, through the same view: the purge the run
//             does, without the entry, the patterns and the process check
//     expand  the expansion alone, repeated: the entry's patterns and the
//             check of each folder against the running browsers; prints
//             the time of one
#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "engine/cleaning_run.h"
#include "engine/directory_pattern.h"
#include "engine/folder_purge.h"
#include "engine/folder_purge_win32.h"
#include "engine/known_browsers.h"
#include "engine/running_browsers.h"
#include "platform/win32/environment_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/message_pump_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/running_programs_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/url_cache_win32.h"
#include "settings/setup_data.h"

namespace {

using namespace vantrel;

constexpr int kExpansionRounds = 50;

void SwitchAllOff(SetupData& settings) {
  for (bool* flag : {&settings.cleanCache, &settings.cleanCookie, &settings.cleanRecent,
                     &settings.cleanHistory, &settings.cleanTemp, &settings.cleanRecycleBin,
                     &settings.cleanIndexEntry, &settings.cleanTypedUrl, &settings.cleanMediaPlayer,
                     &settings.cleanRealPlayer, &settings.cleanRealOne}) {
    *flag = false;
  }
}

const KnownBrowser& Chrome() { return KnownBrowsers().front(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: browser_cache_bench run|bare|expand LOCALAPPDATA\n");
    return 2;
  }
  const std::string mode = argv[1];
  SetEnvironmentVariableA("LOCALAPPDATA", argv[2]);

  SetupData settings;
  SwitchAllOff(settings);
  UserEntry entry;
  entry.name = CacheEntryName(Chrome().name);
  for (const std::string& folder : Chrome().cacheFolders) entry.dirs.push_back("Dir:" + folder);
  entry.includeSubfolders = true;
  settings.AddEntry(entry);

  Win32FileSystem files;
  Win32MessagePump pump;
  Win32UrlCache cache;
  Win32Registry registry;
  Win32Shell shell;
  Win32Environment environment;
  Win32RunningPrograms programs;
  bench::SilentView view;
  DirectoryExpansion expansion(environment, files, pump);

  // What the patterns stand for, found before the clock starts.
  std::vector<std::string> folders;
  for (const std::string& folder : Chrome().cacheFolders) {
    for (std::string& found : expansion.Folders(folder)) folders.push_back(std::move(found));
  }

  int purged = 0;
  double seconds = 0;
  if (mode == "run") {
    CleaningRun run(CleaningRun::Ports{files, pump, cache, registry, shell, environment, programs}, view,
                    RunningSystemFolders());
    const bench::Stopwatch watch;
    run.RunCleaning(&settings);
    seconds = watch.Seconds();
  } else if (mode == "bare") {
    const bench::Stopwatch watch;
    FolderPurge purge(files, pump, view, settings, WithImportantFolders(RunningSystemFolders(), shell));
    for (const std::string& folder : folders) {
      const int counted = purge.CountFolderFiles(folder, true);
      if (counted > 0) purged += purge.PurgeFolder(nullptr, folder, true, 0, counted, 0, 1000);
    }
    seconds = watch.Seconds();
  } else if (mode == "expand") {
    const bench::Stopwatch watch;
    for (int round = 0; round < kExpansionRounds; ++round) {
      RunningBrowsers browsers(expansion, files, programs);
      for (const std::string& pattern : Chrome().cacheFolders) {
        for (const std::string& folder : expansion.Folders(pattern)) browsers.RunningOwnerOf(folder, true);
      }
    }
    seconds = watch.Seconds() / kExpansionRounds;
  } else {
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 2;
  }
  char extra[96];
  std::snprintf(extra, sizeof extra, "folders=%d purged=%d", static_cast<int>(folders.size()), purged);
  bench::PrintFigures(mode, extra, seconds);
  return 0;
}
