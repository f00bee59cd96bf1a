#pragma once
// Paths between the program's CP949 text and the system's UTF-16 names.
//
// A folder may hold names that the code page cannot spell (é, an emoji); the
// A functions hand those back as "?" and can then neither find nor delete
// them. The file adapter works in UTF-16 instead and gives the portable core
// such a name in a form it can hand back unchanged: the byte 0xFF followed by
// the name's UTF-16 code units, four upper-case hex digits each. 0xFF is no
// byte of CP949 text, so the form cannot be mistaken for a real name, and it
// holds no backslash, so paths built from it split as usual.

#include <string>

namespace vantrel {

// One name as the core sees it: CP949 when the name survives the trip
// through the code page exactly, the 0xFF form otherwise.
std::string NarrowName(const std::wstring& name);
// The system's form of one name NarrowName gave, which may hold backslashes
// (a registry value's name may).
std::wstring WideName(const std::string& name);
// A whole path, name by name.
std::string NarrowPath(const std::wstring& path);
// The system's form of a path the core built, 0xFF names decoded.
std::wstring WidePath(const std::string& path);

// The form that takes a path beyond MAX_PATH and exactly as spelt (names
// with trailing dots or blanks included): \\?\ before an absolute path
// (\\?\UNC\ before a share). Only a path that is already canonical (no "."
// or ".." names, no "/", no empty names) gets it; any other path is
// returned unchanged and the system resolves it as usual.
std::wstring ExactPathForm(const std::wstring& path);

}  // namespace vantrel
