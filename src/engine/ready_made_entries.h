#pragma once
// The ready-made cache entries: one for each browser the user has, and one
// for Windows' own caches. Added on a first start (no settings file yet) and
// by the menu command, never to settings a user already has by itself.

#include <string>
#include <vector>

#include "settings/setup_data.h"

namespace vantrel {

class DirectoryExpansion;

// One entry, sub-folders on, for each known browser one of whose data
// folders exists (and whose caches the environment can name), then the
// Windows entry when its folder exists.
std::vector<UserEntry> ReadyMadeCacheEntries(DirectoryExpansion& expansion);

// Appends the ready-made entries whose name no entry of settings bears
// (the user may have renamed or changed his own; those stay as they are)
// and returns how many it added.
int AddMissingCacheEntries(SetupData& settings, DirectoryExpansion& expansion);

// What the menu command says after adding added entries.
std::string AddedCacheEntriesText(int added);
inline constexpr char kAddCacheEntriesCaption[] = "브라우저 캐시 추가";

}  // namespace vantrel
