#include "engine/canonical_path.h"

#include <algorithm>
#include <vector>

#include "platform/file_system.h"

namespace vantrel {

namespace {

bool StartsWith(const std::string& text, const char* head) {
  return text.compare(0, std::char_traits<char>::length(head), head) == 0;
}

// \\?\UNC\server\share names \\server\share; \\?\C:\x, \\.\C:\x and
// \??\C:\x name C:\x. Prefixes may be stacked.
std::string WithoutPrefixes(std::string path) {
  for (;;) {
    if (StartsWith(path, "\\\\?\\UNC\\") || StartsWith(path, "\\\\.\\UNC\\")) {
      path = "\\\\" + path.substr(8);
    } else if (StartsWith(path, "\\\\?\\") || StartsWith(path, "\\\\.\\") ||
               StartsWith(path, "\\??\\")) {
      path = path.substr(4);
    } else {
      return path;
    }
  }
}

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find('\\', start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

// Windows drops trailing dots and blanks from the names it opens, so
// "system32." and "system32 " are system32. A backslash is never the trail
// byte of a double-byte character, nor is a dot or a blank.
std::string WithoutTrailingDotsAndBlanks(std::string name) {
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  return name;
}

}  // namespace

std::string CanonicalFolder(FileSystem& files, std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  path = WithoutPrefixes(path);
  if (path.empty()) return std::string();
  if (path.back() != '\\') path += '\\';

  const std::string full = files.FullPath(path);
  // A device (\\.\CON) or a path the system would not normalise is no folder.
  if (full.empty() || StartsWith(full, "\\\\?\\") || StartsWith(full, "\\\\.\\")) {
    return std::string();
  }

  std::string root;
  std::string rest;
  if (full.size() >= 3 && full[1] == ':' && full[2] == '\\') {
    root = full.substr(0, 3);
    rest = full.substr(3);
  } else if (StartsWith(full, "\\\\")) {
    root = "\\\\";
    rest = full.substr(2);
  } else {
    return std::string();
  }

  std::string canonical = root;
  for (const std::string& part : Split(rest)) {
    if (part.empty()) continue;
    const std::string name = WithoutTrailingDotsAndBlanks(part);
    // A name of dots and blanks only ("...") names nothing the walk could
    // tell from its parent.
    if (name.empty()) return std::string();
    canonical += name;
    canonical += '\\';
  }
  return canonical;
}

bool IsShareRoot(const std::string& canonical) {
  if (!StartsWith(canonical, "\\\\")) return false;
  int names = 0;
  for (const std::string& part : Split(canonical.substr(2))) {
    if (!part.empty()) ++names;
  }
  return names <= 2;
}

}  // namespace vantrel
