#pragma once
// Directories of user entries that name many folders at once: environment
// variables (%LOCALAPPDATA%) and "*" as a whole folder name, standing for
// every folder at that level (...\User Data\*\Cache). The stored text stays
// as the user wrote it; it is expanded each time a run reaches it.

#include <string>
#include <vector>

namespace vantrel {

class Environment;
class FileSystem;
class MessagePump;

enum class DirectoryShape {
  kPlain,       // neither a variable nor "*": the folder as written
  kPattern,     // variables, "*" as whole names after the first, or both
  kNotPattern,  // "*" in the first name, "**", or "*" inside a name
};

DirectoryShape ShapeOfDirectory(const std::string& directory);

// True when directory is a full path (C:\..., \\server\share\...) or begins
// with a variable, which may stand for one; a relative path would clean
// wherever the program happens to run.
bool StartsFromRoot(const std::string& directory);

class DirectoryExpansion {
 public:
  DirectoryExpansion(Environment& environment, FileSystem& files, MessagePump& pump)
      : environment_(environment), files_(files), pump_(pump) {}

  // The folders directory names now. A plain directory gives itself,
  // unchanged. A pattern gives the existing folders it matches, in the
  // finder's order; "*" takes real folders only, never a file and never a
  // link or junction, and neither does a name that follows a "*". Nothing
  // for a variable that is not set, a result that is not an absolute path,
  // no match, or a directory that is not a pattern.
  std::vector<std::string> Folders(const std::string& directory);

  // directory with its variables replaced by their values; false when one
  // is not set or its value holds a "*" or "?".
  bool ExpandVariables(const std::string& directory, std::string& expanded);

  // True when folder exists and is a folder.
  bool IsFolder(const std::string& folder);

 private:
  // Appends to found the folders under parent (with its trailing
  // backslash) that names[next...] match.
  void Match(const std::string& parent, const std::vector<std::string>& names, std::size_t next,
             std::vector<std::string>& found);

  Environment& environment_;
  FileSystem& files_;
  MessagePump& pump_;
};

}  // namespace vantrel
