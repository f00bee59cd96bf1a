#pragma once
// The one spelling of a folder that the guard judges and the walks use.
//
// A folder can be named in many ways ("C:\users\..\windows", "C:/windows",
// "C:\windows.", "\\?\C:\windows", "PROGRA~1"); the system resolves them all
// to the same folder. Judging the text as given would let such a spelling
// past the guard, so the guard and the walk both work on the form the system
// resolves the path to.

#include <string>

namespace vantrel {

class FileSystem;

// The folder the system means by path, with one trailing backslash: any
// \\?\, \\.\ or \??\ prefix taken off, then made absolute by the system's
// rules (the current folder, "." and "..", "/" as "\", repeated separators,
// short names expanded), and trailing dots and blanks dropped from every
// name. The folder is taken to be named as the program always has: "C:"
// means "C:\". Empty when the system cannot resolve the path.
std::string CanonicalFolder(FileSystem& files, std::string path);

// A canonical folder that is the root of a network share (\\server\share\),
// the drive root of a share.
bool IsShareRoot(const std::string& canonical);

}  // namespace vantrel
