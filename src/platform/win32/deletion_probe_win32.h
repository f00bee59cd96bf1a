#pragma once
#include "platform/deletion_probe.h"

namespace vantrel {

// DeleteFileA fails on a read-only file and on one that another program holds
// open without letting others delete it; an open for delete access, sharing
// everything, fails in the same cases.
class Win32DeletionProbe : public DeletionProbe {
 public:
  bool CanDelete(const std::string& path) override;
};

}  // namespace vantrel
