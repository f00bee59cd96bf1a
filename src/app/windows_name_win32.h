#pragma once
#include <string>

#include "app/windows_name.h"

namespace vantrel {

// GetVersionExA of the running system (all zero when it fails).
WindowsVersion RunningWindowsVersion();
// The name of the running Windows version, or "".
std::string GetWindowsName();

}  // namespace vantrel
