// Feeds arbitrary bytes to the updater's readers of replies and program
// headers: they must never read past what arrived, and a size the size
// reader names is positive.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "online/http_reply.h"
#include "platform/program_header.h"
#include "updater/download_size.h"
#include "updater/updater.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > vantrel::kSizeReplySize) size = vantrel::kSizeReplySize;
  // An exact-size heap copy, so the address sanitizer sees any read past it.
  const std::string reply(reinterpret_cast<const char*>(data), size);
  const vantrel::DownloadSize read = vantrel::ReadDownloadSize(reply);
  if (read.bytes <= 0 || (!read.named && read.bytes != vantrel::kFallbackDownloadSize)) std::abort();
  (void)vantrel::IsReplyComplete(reply, false);
  const vantrel::ProgramHeader header = vantrel::ReadProgramHeader(reply, reply.size());
  if (!header.whole && header.machine != 0) std::abort();
  return 0;
}
