#include "fakes/iconv_text_converter.h"

#include <iconv.h>

#include <vector>

namespace vantrel::testing {

std::string IconvTextConverter::WideToAnsi(const std::u16string& text) {
  iconv_t cd = iconv_open("CP949", "UTF-16LE");
  std::vector<char> in;
  for (char16_t c : text) {
    in.push_back(static_cast<char>(c & 0xFF));
    in.push_back(static_cast<char>(c >> 8));
  }
  std::string out(text.size() * 2 + 1, '\0');
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace vantrel::testing
