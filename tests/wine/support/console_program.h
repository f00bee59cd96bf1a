#pragma once
// Runs a console program the way a scheduled task does: no console input,
// standard output and error redirected to a file.

#include <windows.h>

#include <string>

namespace vantrel::winetest {

struct ConsoleRun {
  DWORD exitCode = STILL_ACTIVE;  // STILL_ACTIVE when it did not start or end in time
  std::string output;             // standard output and error, as bytes
};

ConsoleRun RunRedirected(const std::string& exe, const std::string& parameters,
                         const std::string& folder, const std::string& outputFile,
                         DWORD timeoutMs = 120000);

}  // namespace vantrel::winetest
