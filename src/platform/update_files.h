#pragma once
// What the updater does with the files of the program folder, in the shape
// the C run-time and CreateFileA give it. Paths are CP949 byte strings.

#include <cstddef>
#include <memory>
#include <string>

namespace vantrel {

enum class WriteResult { kWritten, kDiskFull, kFailed };

// A file being written; closed when the object goes.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // kWritten only when every byte was written; kDiskFull when the disk had
  // no room for them.
  virtual WriteResult Write(const char* bytes, std::size_t size) = 0;
  // False when closing reported an error.
  virtual bool Close() = 0;
};

class UpdateFiles {
 public:
  virtual ~UpdateFiles() = default;
  // The current folder, whole, without a trailing backslash (unless a root).
  virtual std::string CurrentFolder() = 0;
  // _access(path, 0) == 0
  virtual bool Exists(const std::string& path) = 0;
  // remove(path) == 0
  virtual bool Remove(const std::string& path) = 0;
  // rename(from, to) == 0; fails when to exists.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // CreateFileA(path, GENERIC_WRITE, no sharing, CREATE_ALWAYS); nullptr
  // when the file cannot be created.
  virtual std::unique_ptr<OutputFile> Create(const std::string& path) = 0;
};

}  // namespace vantrel
