#include "online/http_reply.h"

#include <cctype>
#include <cstdint>

namespace vantrel {

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

}  // namespace

std::string_view HeaderLine(std::string_view headers, std::string_view label) {
  std::size_t at = 0;
  while (at < headers.size()) {
    std::size_t end = headers.find("\r\n", at);
    if (end == std::string_view::npos) end = headers.size();
    if (SameLetters(headers.substr(at, end - at).substr(0, label.size()), label)) {
      return headers.substr(at, end == headers.size() ? std::string_view::npos : end - at + 1);
    }
    at = end + 2;
  }
  return {};
}

bool IsReplyComplete(std::string_view reply, bool headersSuffice) {
  const std::size_t headerEnd = reply.find("\r\n\r\n");
  if (headerEnd == std::string_view::npos) return false;
  if (headersSuffice) return true;
  const std::string_view length = HeaderLine(reply.substr(0, headerEnd + 2), "Content-Length:");
  if (length.empty()) return false;
  std::uint64_t bodySize = 0;
  bool digits = false;
  for (char c : length.substr(15)) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      if (bodySize > UINT32_MAX) return false;
      bodySize = bodySize * 10 + static_cast<std::uint64_t>(c - '0');
      digits = true;
    } else if (digits || c != ' ') {
      break;
    }
  }
  return digits && reply.size() - (headerEnd + 4) >= bodySize;
}

}  // namespace vantrel
