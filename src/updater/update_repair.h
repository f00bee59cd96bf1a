#pragma once
// The program folder's files during an update, and putting the folder right
// when an update was cut short (the updater ended from outside, the power
// gone): at their next start both programs put the old Qorv.exe back from
// Qorv.bak when no working Qorv.exe is there.

#include <string>

#include "platform/program_files.h"
#include "platform/update_files.h"

namespace vantrel {

inline constexpr char kProgramFile[] = "Qorv.exe";
inline constexpr char kBackupFile[] = "Qorv.bak";
// The new program while it downloads and is checked, beside the old one.
inline constexpr char kDownloadFile[] = "Qorv.new";

// True when the file at path is a whole Windows program of this width.
bool IsWorkingProgram(ProgramFiles& programs, const std::string& path, ProgramWidth width);

// folder ends with a backslash. Puts Qorv.bak back as Qorv.exe when Qorv.exe
// is missing or not a working program. False when Qorv.bak should have gone back and could not.
bool RepairInterruptedUpdate(UpdateFiles& files, ProgramFiles& programs, const std::string& folder,
                             ProgramWidth width);

}  // namespace vantrel
