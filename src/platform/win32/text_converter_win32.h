#pragma once
#include "platform/text_converter.h"

namespace vantrel {

// WideCharToMultiByte to the ANSI code page.
class Win32TextConverter : public TextConverter {
 public:
  std::string WideToAnsi(const std::u16string& text) override;
};

}  // namespace vantrel
