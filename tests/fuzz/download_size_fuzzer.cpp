// Feeds arbitrary bytes to the updater's size-reply reader as one receive:
// it must never read past what arrived, and a size it names is positive.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "updater/download_size.h"
#include "updater/updater.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > vantrel::kSizeReplySize) size = vantrel::kSizeReplySize;
  // An exact-size heap copy, so the address sanitizer sees any read past it.
  const std::string reply(reinterpret_cast<const char*>(data), size);
  const vantrel::DownloadSize read = vantrel::ReadDownloadSize(reply);
  if (read.bytes <= 0 || (!read.named && read.bytes != vantrel::kFallbackDownloadSize)) std::abort();
  (void)vantrel::LooksLikeWindowsProgram(reply);
  return 0;
}
