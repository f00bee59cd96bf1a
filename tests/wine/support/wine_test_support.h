#pragma once
// Helpers shared by the Wine test programs. Each program runs in a fresh
// scratch folder of its own (its current folder, on drive B:).

#include <string>

namespace vantrel::winetest {

// The current folder, with a trailing backslash.
std::string ScratchFolder();
// Creates folder (and its parents); returns it with a trailing backslash.
std::string MakeFolder(const std::string& folder);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace vantrel::winetest
