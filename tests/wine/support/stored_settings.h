#pragma once
// The bytes of "SetupData.Sav" as the program writes them, to compare a
// file on disk with.

#include <string>

#include "settings/setup_data.h"

namespace vantrel::winetest {

std::string StoredSettings(const SetupData& settings);
// The file of a program that has never been set up.
std::string DefaultSettingsBytes();

}  // namespace vantrel::winetest
