#pragma once
// One cleaning run: every switched-on category and every user entry, in a
// fixed order, with the step counter and both bars of the progress window.

#include <string>

#include "engine/folder_purge.h"
#include "engine/removal_sink.h"

namespace vantrel {

class CacheCleaner;
class Environment;
class FileSystem;
class MessagePump;
class ProgressView;
class Registry;
class RegistryCleaner;
class RunningPrograms;
class SetupData;
class Shell;
class UrlCache;

// The user whose HKEY_USERS branch loses its typed URLs too. The program does
// not look the current user up; this is the first local account as Windows
// numbers it on a machine with no domain.
inline constexpr char kTypedUrlUserSid[] = "S-1-5-21-0-0-0-1000";

class CleaningRun {
 public:
  struct Ports {
    FileSystem& files;
    MessagePump& pump;
    UrlCache& cache;
    Registry& registry;
    Shell& shell;
    // The variables of entry patterns, and the browsers that run.
    Environment& environment;
    RunningPrograms& programs;
  };

  // Everything the run removes goes through removals.
  CleaningRun(Ports ports, ProgressView& view, SystemFolders systemFolders,
              RemovalSink& removals = RemovalSink::OnSystem());

  // Cleans by settings, which stays the caller's; a refused special folder
  // clears its switch there. A request while a run is going on (its loops
  // dispatch window messages, so a click can arrive) is ignored.
  void RunCleaning(SetupData* settings);

  bool Running() const { return running_; }
  // The record of the current or last run, or nullptr before the first.
  SetupData* settings() const { return settings_; }

 private:
  class Steps;

  Ports ports_;
  ProgressView& view_;
  SystemFolders systemFolders_;
  RemovalSink& removals_;
  SetupData* settings_ = nullptr;
  bool running_ = false;
};

}  // namespace vantrel
