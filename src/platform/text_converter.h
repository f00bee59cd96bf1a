#pragma once
// Conversion from UTF-16 to the program's ANSI code page (949).

#include <string>

namespace vantrel {

class TextConverter {
 public:
  virtual ~TextConverter() = default;
  virtual std::string WideToAnsi(const std::u16string& text) = 0;
};

}  // namespace vantrel
