#pragma once
// The bytes of "SetupData.Sav" as the program writes them, to compare a
// file on disk with.

#include <string>

#include "settings/setup_data.h"

namespace vantrel::winetest {

std::string StoredSettings(const SetupData& settings);
// The defaults, no entries: the file after a start that found a damaged
// file or one of another version.
std::string DefaultSettingsBytes();
// The file a first start writes (no settings file found): the defaults and
// the ready-made cache entries for the folders this machine has.
std::string FirstStartSettingsBytes();

}  // namespace vantrel::winetest
