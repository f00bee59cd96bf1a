// Feeds arbitrary bytes to the version-reply reader as one receive of the
// update check: it must never read past what arrived and never crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "online/update_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > vantrel::kVersionReplySize) size = vantrel::kVersionReplySize;
  // An exact-size heap copy, so the address sanitizer sees any read past it.
  const std::string reply(reinterpret_cast<const char*>(data), size);
  const long version = vantrel::ServerVersion(reply);
  if (version > vantrel::kProgramVersion) (void)vantrel::UpdateQuestion(version);
  return 0;
}
