#pragma once
// The console program's command line and its exit codes.

#include <string>
#include <vector>

namespace vantrel {

namespace exit_code {
inline constexpr int kSuccess = 0;
inline constexpr int kUsage = 2;
inline constexpr int kNothingSelected = 3;
inline constexpr int kSettingsUnreadable = 4;
inline constexpr int kSettingsNotSaved = 5;
}  // namespace exit_code

enum class CliCommand { kPreview, kClean, kHelp, kUsageError };

// arguments: the words after the program name. "preview", "clean", or one of
// "--help", "-h", "/?", in any letter case.
CliCommand ParseCommand(const std::vector<std::string>& arguments);

std::string HelpText();

}  // namespace vantrel
