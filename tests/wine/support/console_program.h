#pragma once
// Runs a console program the way a scheduled task does: no console input,
// standard output and error redirected to a file.

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace vantrel::winetest {

struct ConsoleRun {
  DWORD exitCode = STILL_ACTIVE;  // STILL_ACTIVE when it did not start or end in time
  std::string output;             // standard output and error, as bytes
};

// Lines of output, without their carriage returns.
std::vector<std::string> OutputLines(const std::string& output);

// environment: variables set (or replaced) for the program, on top of this
// program's own.
ConsoleRun RunRedirected(const std::string& exe, const std::string& parameters,
                         const std::string& folder, const std::string& outputFile,
                         const std::map<std::string, std::string>& environment = {},
                         DWORD timeoutMs = 120000);

}  // namespace vantrel::winetest
