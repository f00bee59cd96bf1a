#include "engine/directory_pattern.h"

#include "engine/folder_purge.h"
#include "engine/folder_walk.h"
#include "platform/environment.h"
#include "platform/file_system.h"

namespace vantrel {

namespace {

constexpr char kAnyFolder[] = "*";

// Neither "%", "*" nor "\" can be the trail byte of a Korean character, so
// the bytes can be looked at one by one.
std::vector<std::string> Names(const std::string& path) {
  std::vector<std::string> names;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = path.find('\\', start);
    names.push_back(path.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return names;
    start = end + 1;
  }
}

// Where a %NAME% starting at from ends (at its closing "%"), or npos when
// the "%" there starts no variable: an empty name or one with a backslash
// is text.
std::size_t VariableEnd(const std::string& text, std::size_t from) {
  const std::size_t end = text.find('%', from + 1);
  if (end == std::string::npos || end == from + 1) return std::string::npos;
  if (text.find('\\', from + 1) < end) return std::string::npos;
  return end;
}

bool HasVariable(const std::string& text) {
  for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1)) {
    if (VariableEnd(text, at) != std::string::npos) return true;
  }
  return false;
}

bool IsAbsolute(const std::string& path) {
  const bool drive = path.size() >= 3 && path[1] == ':' && path[2] == '\\' &&
                     ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return drive || path.compare(0, 2, "\\\\") == 0;
}

}  // namespace

bool StartsFromRoot(const std::string& directory) {
  return IsAbsolute(directory) || (!directory.empty() && directory[0] == '%' &&
                                   VariableEnd(directory, 0) != std::string::npos);
}

DirectoryShape ShapeOfDirectory(const std::string& directory) {
  const std::vector<std::string> names = Names(directory);
  bool anyFolder = false;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i].find('*') == std::string::npos) continue;
    if (i == 0 || names[i] != kAnyFolder) return DirectoryShape::kNotPattern;
    anyFolder = true;
  }
  return anyFolder || HasVariable(directory) ? DirectoryShape::kPattern : DirectoryShape::kPlain;
}

bool DirectoryExpansion::ExpandVariables(const std::string& directory, std::string& expanded) {
  expanded.clear();
  std::size_t at = 0;
  while (at < directory.size()) {
    const std::size_t end = directory[at] == '%' ? VariableEnd(directory, at) : std::string::npos;
    if (end == std::string::npos) {
      expanded += directory[at++];
      continue;
    }
    std::string value;
    if (!environment_.Variable(directory.substr(at + 1, end - at - 1), value)) return false;
    if (value.find_first_of("*?") != std::string::npos) return false;
    expanded += value;
    at = end + 1;
  }
  return true;
}

bool DirectoryExpansion::IsFolder(const std::string& folder) {
  std::string pattern = folder;
  if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
  return files_.Find(pattern + "*.*") != nullptr;
}

std::vector<std::string> DirectoryExpansion::Folders(const std::string& directory) {
  switch (ShapeOfDirectory(directory)) {
    case DirectoryShape::kPlain:
      return {directory};
    case DirectoryShape::kNotPattern:
      return {};
    case DirectoryShape::kPattern:
      break;
  }
  std::string expanded;
  if (!ExpandVariables(directory, expanded) || !IsAbsolute(expanded)) return {};
  const std::vector<std::string> names = Names(expanded);

  // Up to the first "*" the path is taken as written, as a typed folder is.
  std::string fixed;
  std::size_t next = 0;
  while (next < names.size() && names[next] != kAnyFolder) fixed += names[next++] + '\\';
  if (next == names.size()) {
    fixed.pop_back();
    return {fixed};
  }
  std::vector<std::string> found;
  Match(fixed, names, next, found);
  return found;
}

void DirectoryExpansion::Match(const std::string& parent, const std::vector<std::string>& names,
                               std::size_t next, std::vector<std::string>& found) {
  const std::string& wanted = names[next];
  // A trailing backslash leaves an empty last name: the folder itself.
  if (wanted.empty() && next + 1 == names.size()) {
    found.push_back(parent.substr(0, parent.size() - 1));
    return;
  }
  const std::string upperWanted = UpperCasePath(wanted);
  std::vector<std::string> matches;
  WalkFolder(files_, pump_, parent + "*.*", [&](const DirEntry& entry) {
    if (!entry.isDirectory || IsFolderLink(entry)) return;
    if (wanted == kAnyFolder ? IsDotEntry(entry) : UpperCasePath(entry.name) != upperWanted) return;
    matches.push_back(parent + entry.name);
  });
  for (const std::string& match : matches) {
    if (next + 1 == names.size()) {
      found.push_back(match);
    } else {
      Match(match + '\\', names, next + 1, found);
    }
  }
}

}  // namespace vantrel
