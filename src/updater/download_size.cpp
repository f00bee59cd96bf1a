#include "updater/download_size.h"

#include <cctype>

#include "online/http_reply.h"

namespace vantrel {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The run of digits starting at the first digit at or after from, within
// text. Nothing when there is no digit, when the run reaches the end of the
// text (it may go on beyond what arrived), or when it reads as zero.
std::int64_t NumberFrom(std::string_view text, std::size_t from) {
  while (from < text.size() && !IsDigit(text[from])) ++from;
  std::size_t end = from;
  while (end < text.size() && IsDigit(text[end])) ++end;
  if (from == text.size() || end == text.size()) return 0;
  std::int64_t value = 0;
  for (std::size_t i = from; i < end; ++i) {
    if (value > (INT64_MAX - 9) / 10) return 0;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

int StatusCode(std::string_view reply) {
  const std::size_t blank = reply.find(' ');
  if (reply.substr(0, 5) != "HTTP/" || blank == std::string_view::npos || blank + 4 > reply.size()) return 0;
  int status = 0;
  for (std::size_t i = blank + 1; i < blank + 4; ++i) {
    if (!IsDigit(reply[i])) return 0;
    status = status * 10 + (reply[i] - '0');
  }
  return status;
}

}  // namespace

std::string SizeRequest(const std::string& server, const std::string& programFile) {
  return "GET /%7ekvq0417/qorv/" + programFile +
         " HTTP/1.1\r\n"
         "Accept: */*\r\n"
         "Accept-Language: ko\r\n"
         "User-Agent: Mozilla/4.0(Windows; U; 32.bit)\r\n"
         "Host: " +
         server +
         ":80\r\n"
         "Range: bytes=-0\r\n"
         "\r\n";
}

DownloadSize ReadDownloadSize(std::string_view reply) {
  const std::size_t headerEnd = reply.find("\r\n\r\n");
  const std::string_view headers =
      headerEnd == std::string_view::npos ? reply : reply.substr(0, headerEnd + 2);

  // "Content-Range: bytes */400000" or "bytes 0-0/400000": the total follows the slash.
  const std::string_view range = HeaderLine(headers, "Content-Range:");
  if (!range.empty()) {
    const std::size_t slash = range.find('/');
    if (slash != std::string_view::npos) {
      if (const std::int64_t total = NumberFrom(range, slash + 1)) return DownloadSize{total, true};
    }
  }
  if (StatusCode(reply) == 200) {
    const std::string_view length = HeaderLine(headers, "Content-Length:");
    if (!length.empty()) {
      if (const std::int64_t bytes = NumberFrom(length, 15)) return DownloadSize{bytes, true};
    }
  }
  return DownloadSize{};
}

}  // namespace vantrel
