#pragma once
// The folder of the running program file and the files the program keeps
// beside itself.

#include <string>

namespace vantrel {

// The program file's folder: everything before its last backslash; empty
// when there is none (the name could not be read), and then nothing may be
// kept or removed beside the program.
std::string AppFolderOf(const std::string& moduleFileName);

// fileName in folder, with one backslash between them unless folder ends
// in one already.
std::string BesideProgram(const std::string& folder, const std::string& fileName);

}  // namespace vantrel
