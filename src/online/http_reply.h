#pragma once
// Reading the replies to the programs' hand-written HTTP requests.

#include <string_view>

namespace vantrel {

// The header line of headers whose name is label (matched without regard
// to case), up to its end of line; with its CR when the whole line is in
// headers, so that a number cut off by the end of what arrived can be told
// apart. Empty when there is none.
std::string_view HeaderLine(std::string_view headers, std::string_view label);

// True once reply holds its headers and, when they name a Content-Length,
// that many bytes of body (just the headers when headersSuffice).
bool IsReplyComplete(std::string_view reply, bool headersSuffice);

}  // namespace vantrel
