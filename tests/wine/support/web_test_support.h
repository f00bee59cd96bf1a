#pragma once
// Helpers for the tests of the programs' web traffic: the nginx folder that
// scripts/web-test.sh sets up, the stand-in programs' notes, and (from
// loopback_http_server.h) the servers of the test's own.

#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "loopback_http_server.h"
#include "program_driving.h"

namespace vantrel::winetest {

bool StartsWith(const std::string& text, const std::string& start);

// The nginx folder of this test (VANTREL_WEB_FOLDER), with a trailing backslash.
std::string WebFolder();
// Puts a file into the document root ("~kvq0417\\qorv\\QORV.RQ").
void ServeFile(const std::string& relativePath, const std::string& bytes);
void RemoveServedFile(const std::string& relativePath);
// The access log, one entry per request:
// request|Accept|Accept-Language|User-Agent|Host|Range|Connection|status
std::vector<std::string> AccessLog();

// Lines of "<name>.started.txt" that a stand-in program wrote in folder:
// the command line and the current folder of each start.
std::vector<std::string> StandInStarts(const std::string& folder, const std::string& name);
// The window of a running stand-in program of this test, or nullptr.
HWND StandInWindow(const std::string& name);

}  // namespace vantrel::winetest
