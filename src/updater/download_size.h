#pragma once
// The size of the program file, read from the reply to the updater's size
// request ("Range: bytes=-0").

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

// The bar is scaled to this when the reply names no size.
inline constexpr std::int64_t kFallbackDownloadSize = 390000;

struct DownloadSize {
  std::int64_t bytes = kFallbackDownloadSize;
  bool named = false;  // the server named it: the download must match it
};

// The request for the size of programFile ("Qorv.exe") on the server, byte
// for byte.
std::string SizeRequest(const std::string& server, const std::string& programFile);

// Reads the reply (exactly the bytes received): the total of a
// "Content-Range:" header when there is one, else "Content-Length:" of a
// 200 reply, else the fallback. A number that runs to the last byte
// received may be cut short and does not count, nor does zero.
DownloadSize ReadDownloadSize(std::string_view reply);

}  // namespace vantrel
