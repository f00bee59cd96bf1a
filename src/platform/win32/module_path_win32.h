#pragma once
#include <string>

namespace vantrel {

// GetModuleFileNameA(NULL, ...) with the 260-byte buffer the program uses.
std::string RunningProgramFileName();

}  // namespace vantrel
