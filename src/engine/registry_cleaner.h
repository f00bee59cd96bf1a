#pragma once
// Deletes registry values: of one key, of the sub-keys of a key down to a
// depth, and of the media players' recent-file lists. Keys themselves are
// never deleted.

#include <string>

#include "engine/removal_sink.h"
#include "platform/registry.h"

namespace vantrel {

class ProgressView;

class RegistryCleaner {
 public:
  // Values go through removals.
  RegistryCleaner(Registry& registry, ProgressView& view,
                  RemovalSink& removals = RemovalSink::OnSystem())
      : registry_(registry), removals_(removals), view_(view) {}

  // Deletes every value of the key, its default value included, whatever
  // its name; a value that cannot be deleted stays and the others still go.
  // False when the key cannot be opened.
  bool DeleteKeyValues(RootKey root, const std::string& subKey);
  // Deletes the values of the key (only when depth is not 0 or deleteAtTop
  // is set) and walks its sub-keys until depth reaches maxDepth.
  void WalkKeyValues(RootKey root, const std::string& subKey, int depth, int maxDepth,
                     bool deleteAtTop);
  // The same two on a full key name such as "HKEY_CURRENT_USER\Software\X".
  void PurgeKeyTree(std::string fullName, int depth, int maxDepth, bool deleteAtTop);
  void PurgeKeyPath(std::string fullName);

  // One whole step of a cleaning run for media player kind 0, 1 or 2, with
  // its label, count text and bars; done is the run's count of finished
  // steps and goes up by one. Any other kind does nothing.
  void CleanMediaList(int kind, int& done, int total, int step);

 private:
  void CleanWindowsMediaList();
  void CleanRealPlayer8Lists();
  void CleanRealOneLists();
  // fullNameStem followed by 1, 2, ... 19.
  void PurgeNumberedKeys(const std::string& fullNameStem);

  Registry& registry_;
  RemovalSink& removals_;
  ProgressView& view_;
};

}  // namespace vantrel
