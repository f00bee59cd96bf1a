#pragma once
// Whether a file could be deleted now, found out without deleting it: what a
// preview needs to tell the files a run will delete from those it will fail
// on (read-only, held open by another program).

#include <string>

namespace vantrel {

class DeletionProbe {
 public:
  virtual ~DeletionProbe() = default;
  virtual bool CanDelete(const std::string& path) = 0;
};

}  // namespace vantrel
