#pragma once
#include "platform/update_files.h"

namespace vantrel {

// The updater's files over the C run-time and CreateFileA.
class Win32UpdateFiles : public UpdateFiles {
 public:
  std::string CurrentFolder() override;
  bool Exists(const std::string& path) override;
  bool Remove(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
};

}  // namespace vantrel
