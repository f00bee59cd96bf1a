#include "fakes/memory_file_system.h"

#include <algorithm>
#include <cctype>

namespace vantrel::testing {

namespace {
constexpr std::uint32_t kReadOnly = 0x1;
constexpr std::uint32_t kDirectory = 0x10;
constexpr std::uint32_t kReparsePoint = 0x400;

class ListFinder : public DirectoryFinder {
 public:
  explicit ListFinder(std::vector<DirEntry> entries) : entries_(std::move(entries)) {}
  bool Next(DirEntry& entry) override {
    if (next_ >= entries_.size()) return false;
    entry = entries_[next_++];
    return true;
  }

 private:
  std::vector<DirEntry> entries_;
  std::size_t next_ = 0;
};

std::string StripTrailingSlash(std::string path) {
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool StartsWith(const std::string& text, const char* head) {
  return text.compare(0, std::char_traits<char>::length(head), head) == 0;
}

std::vector<std::string> SplitNames(const std::string& text) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\\', start);
    if (end == std::string::npos) end = text.size();
    names.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return names;
}
}  // namespace

// The rules of GetFullPathName, then the file system's own: trailing dots
// and blanks of a name do not count, and a short name stands for its long
// one. \\?\ and \??\ paths are taken literally, as Windows takes them.
std::string MemoryFileSystem::Resolve(const std::string& given) const {
  if (given.empty()) return given;
  if (StartsWith(given, "\\\\?\\") || StartsWith(given, "\\??\\")) {
    const std::string literal = given.substr(4);
    return StartsWith(literal, "UNC\\") ? "\\\\" + literal.substr(4) : literal;
  }
  std::string path = given;
  std::replace(path.begin(), path.end(), '/', '\\');
  if (StartsWith(path, "\\\\.\\")) path = path.substr(4);
  const bool trailing = path.back() == '\\';

  std::string root;
  std::string rest;
  const std::string current = StripTrailingSlash(currentFolder);
  if (path.size() >= 2 && path[1] == ':') {
    const bool sameDrive = std::tolower(static_cast<unsigned char>(path[0])) ==
                           std::tolower(static_cast<unsigned char>(current[0]));
    root = path.substr(0, 2) + "\\";
    if (path.size() >= 3 && path[2] == '\\') {
      rest = path.substr(3);
    } else {
      rest = (sameDrive ? current.substr(3) + "\\" : std::string()) + path.substr(2);
    }
  } else if (StartsWith(path, "\\\\")) {
    root = "\\\\";
    rest = path.substr(2);
  } else if (path[0] == '\\') {
    root = current.substr(0, 3);
    rest = path.substr(1);
  } else {
    root = current.substr(0, 3);
    rest = current.substr(3) + "\\" + path;
  }

  std::vector<std::string> kept;
  for (std::string name : SplitNames(rest)) {
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    if (!name.empty()) kept.push_back(name);
  }
  std::string resolved = root;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    resolved += kept[i];
    const auto alias = shortNames_.find(Lower(resolved));
    if (alias != shortNames_.end()) resolved = alias->second;
    if (i + 1 < kept.size()) resolved += '\\';
  }
  if (trailing && resolved.back() != '\\') resolved += '\\';
  return resolved;
}

std::string MemoryFileSystem::Key(const std::string& path) const {
  return Lower(StripTrailingSlash(Resolve(path)));
}

std::string MemoryFileSystem::FullPath(const std::string& path) {
  if (path.empty()) return path;
  return Resolve(path);
}

const MemoryFileSystem::Node* MemoryFileSystem::Behind(const Node* node) const {
  while (node != nullptr && !node->target.empty()) node = Lookup(node->target, false);
  return node != nullptr && node->isDirectory ? node : nullptr;
}

std::string MemoryFileSystem::IdentityOf(const Node* node) const {
  node = Behind(node);
  return node == nullptr ? std::string() : "folder " + Key(node->path);
}

std::string MemoryFileSystem::FinalFolderPath(const std::string& path) {
  const Node* node = Behind(Lookup(path));
  return node == nullptr ? std::string() : node->path;
}

std::string MemoryFileSystem::FolderIdentity(const std::string& path) { return IdentityOf(Lookup(path)); }

std::string MemoryFileSystem::NativeFolderIdentity(const std::string& path) {
  return IdentityOf(Lookup(path, false));
}

std::vector<std::string> MemoryFileSystem::DriveRoots() {
  std::vector<std::string> roots;
  for (const auto& [key, node] : nodes_) {
    if (key.size() < 3 || key[1] != ':') continue;
    const std::string root = std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])))) + ":\\";
    if (std::find(roots.begin(), roots.end(), root) == roots.end()) roots.push_back(root);
  }
  return roots;
}

// The names below the Windows folder that a 32-bit program on 64-bit
// Windows sees redirected.
std::string MemoryFileSystem::Redirected(const std::string& key) const {
  if (wow64Windows_.empty()) return key;
  const auto below = [&](const std::string& folder) {
    const std::string head = wow64Windows_ + "\\" + folder;
    return key.compare(0, head.size(), head) == 0 && (key.size() == head.size() || key[head.size()] == '\\');
  };
  const std::size_t tail = wow64Windows_.size() + 1 + std::string("system32").size();
  if (below("system32")) return wow64Windows_ + "\\syswow64" + key.substr(tail);
  if (below("sysnative")) return wow64Windows_ + "\\system32" + key.substr(tail + 1);
  return key;
}

void MemoryFileSystem::AddShortName(const std::string& shortPath, const std::string& longPath) {
  shortNames_[Lower(StripTrailingSlash(shortPath))] = StripTrailingSlash(longPath);
}

std::string MemoryFileSystem::Parent(const std::string& key) {
  const auto slash = key.rfind('\\');
  if (slash == std::string::npos) return "";
  if (slash == 2) return key.substr(0, 3);  // "c:\"
  return key.substr(0, slash);
}

void MemoryFileSystem::EnsureParents(const std::string& path) {
  std::string key = Parent(Key(path));
  std::string original = StripTrailingSlash(path);
  while (!key.empty() && nodes_.find(key) == nodes_.end()) {
    original = original.substr(0, std::min(original.size(), key.size()));
    nodes_[key] = Node{original, true, "", "", kDirectory};
    if (key.size() <= 3) break;
    key = Parent(key);
  }
}

const MemoryFileSystem::Node* MemoryFileSystem::Lookup(const std::string& path, bool redirected) const {
  // Resolve a link anywhere along the path to its target.
  const std::string key = redirected ? Redirected(Key(path)) : Key(path);
  for (const auto& [linkKey, node] : nodes_) {
    if (node.target.empty()) continue;
    if (key.size() > linkKey.size() && key.compare(0, linkKey.size(), linkKey) == 0 &&
        key[linkKey.size()] == '\\') {
      return Lookup(node.target + key.substr(linkKey.size()), false);
    }
  }
  const auto found = nodes_.find(key);
  return found == nodes_.end() ? nullptr : &found->second;
}

void MemoryFileSystem::AddFile(const std::string& path, const std::string& bytes,
                               std::uint32_t attributes) {
  EnsureParents(path);
  nodes_[Key(path)] = Node{StripTrailingSlash(path), false, "", bytes, attributes, ++clock_};
}

void MemoryFileSystem::AddDirectory(const std::string& path, std::uint32_t attributes) {
  EnsureParents(path);
  nodes_[Key(path)] = Node{StripTrailingSlash(path), true, "", "", kDirectory | attributes};
}

void MemoryFileSystem::AddDirectoryLink(const std::string& path, const std::string& target) {
  EnsureParents(path);
  nodes_[Key(path)] = Node{StripTrailingSlash(path), true, target, "", kDirectory | kReparsePoint};
}

void MemoryFileSystem::SetReadOnly(const std::string& path) {
  nodes_.at(Key(path)).attributes |= kReadOnly;
}

bool MemoryFileSystem::HasFile(const std::string& path) const {
  const Node* node = Lookup(path);
  return node != nullptr && !node->isDirectory;
}

bool MemoryFileSystem::HasDirectory(const std::string& path) const {
  const Node* node = Lookup(path);
  return node != nullptr && node->isDirectory;
}

std::string MemoryFileSystem::Contents(const std::string& path) const {
  const Node* node = Lookup(path);
  return node == nullptr ? "" : node->bytes;
}

std::vector<std::string> MemoryFileSystem::AllPaths() const {
  std::vector<std::string> paths;
  for (const auto& [key, node] : nodes_) paths.push_back(node.path);
  return paths;
}

std::vector<std::string> MemoryFileSystem::AllFiles() const {
  std::vector<std::string> paths;
  for (const auto& [key, node] : nodes_) {
    if (!node.isDirectory) paths.push_back(node.path);
  }
  return paths;
}

bool MemoryFileSystem::WritesFail(const std::string& path) const {
  const std::string key = Key(path);
  return std::any_of(failingWritePrefixes_.begin(), failingWritePrefixes_.end(),
                     [&](const std::string& prefix) { return key.rfind(Key(prefix), 0) == 0; });
}

std::unique_ptr<DirectoryFinder> MemoryFileSystem::Find(const std::string& pattern) {
  calls.push_back("Find " + pattern);
  const auto slash = pattern.rfind('\\');
  if (slash == std::string::npos || pattern.substr(slash + 1) != "*.*") return nullptr;
  const std::string folder = pattern.substr(0, slash + 1);
  const Node* dir = Lookup(folder);
  if (dir == nullptr || !dir->isDirectory) return nullptr;
  const std::string dirKey = dir->target.empty() ? Key(dir->path) : Key(dir->target);

  std::vector<DirEntry> entries;
  if (dirKey.size() > 3) {
    entries.push_back(DirEntry{".", true, false, 0, kDirectory});
    entries.push_back(DirEntry{"..", true, false, 0, kDirectory});
  }
  for (const auto& [key, node] : nodes_) {
    if (key == dirKey || Parent(key) != dirKey) continue;
    DirEntry entry;
    entry.name = node.path.substr(node.path.rfind('\\') + 1);
    entry.isDirectory = node.isDirectory;
    entry.isReparsePoint = (node.attributes & kReparsePoint) != 0;
    entry.sizeLow = static_cast<std::uint32_t>(node.bytes.size());
    entry.attributes = node.attributes;
    entries.push_back(entry);
  }
  if (entries.empty()) return nullptr;
  return std::make_unique<ListFinder>(std::move(entries));
}

bool MemoryFileSystem::Delete(const std::string& path) {
  calls.push_back("Delete " + path);
  const Node* node = Lookup(path);
  if (node == nullptr || node->isDirectory || (node->attributes & kReadOnly) != 0) return false;
  nodes_.erase(Key(node->path));
  return true;
}

bool MemoryFileSystem::RemoveEmptyFolder(const std::string& path) {
  calls.push_back("RemoveEmptyFolder " + path);
  const Node* node = Lookup(path);
  if (node == nullptr || !node->isDirectory) return false;
  // As under Wine: removing a link to an empty folder removes the folder.
  if (!node->target.empty()) node = Lookup(node->target);
  if (node == nullptr || !node->isDirectory) return false;
  const std::string key = Key(node->path);
  for (const auto& [other, ignored] : nodes_) {
    if (other != key && Parent(other) == key) return false;
  }
  nodes_.erase(key);
  return true;
}

bool MemoryFileSystem::Exists(const std::string& path) { return Lookup(path) != nullptr; }

ReadResult MemoryFileSystem::Read(const std::string& path, std::string& bytes) {
  calls.push_back("Read " + path);
  if (failingReads_.count(Key(path)) != 0) return ReadResult::kFailed;
  const Node* node = Lookup(path);
  if (node == nullptr) return ReadResult::kMissing;
  if (node->isDirectory) return ReadResult::kFailed;
  bytes = node->bytes;
  return ReadResult::kOk;
}

bool MemoryFileSystem::Write(const std::string& path, const std::string& bytes) {
  calls.push_back("Write " + path);
  const Node* node = Lookup(path);
  if (WritesFail(path) || (node != nullptr && (node->isDirectory || (node->attributes & kReadOnly)))) {
    return false;
  }
  AddFile(path, bytes);
  return true;
}

bool MemoryFileSystem::MoveReplacing(const std::string& from, const std::string& to) {
  calls.push_back("MoveReplacing " + from + " " + to);
  const Node* source = Lookup(from);
  const Node* target = Lookup(to);
  if (source == nullptr || source->isDirectory || WritesFail(to) ||
      (target != nullptr && (target->isDirectory || (target->attributes & kReadOnly)))) {
    return false;
  }
  Node moved = *source;
  nodes_.erase(Key(from));
  moved.path = StripTrailingSlash(to);
  nodes_[Key(to)] = moved;
  return true;
}

bool MemoryFileSystem::Copy(const std::string& from, const std::string& to) {
  calls.push_back("Copy " + from + " " + to);
  const Node* source = Lookup(from);
  if (source == nullptr || source->isDirectory || WritesFail(to) || Lookup(to) != nullptr) return false;
  AddFile(to, source->bytes);
  return true;
}

bool MemoryFileSystem::LastWriteTime(const std::string& path, std::uint64_t& time) {
  const Node* node = Lookup(path);
  if (node == nullptr || node->isDirectory) return false;
  time = node->written;
  return true;
}

bool MemoryFileSystem::MakeFolder(const std::string& path) {
  calls.push_back("MakeFolder " + path);
  const Node* node = Lookup(path);
  if (node != nullptr) return node->isDirectory;
  if (WritesFail(path + "\\") || Lookup(Parent(Key(path))) == nullptr) return false;
  AddDirectory(path);
  return true;
}

}  // namespace vantrel::testing
