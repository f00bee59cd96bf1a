#pragma once
#include "platform/text_converter.h"

namespace vantrel::testing {

// UTF-16LE to CP949 through the C library's iconv, as WideCharToMultiByte
// does on a Korean Windows.
class IconvTextConverter : public TextConverter {
 public:
  std::string WideToAnsi(const std::u16string& text) override;
};

}  // namespace vantrel::testing
