#pragma once
// Message boxes, with the style bits and answers of MessageBoxA.

#include <string>

namespace vantrel {

namespace mb {
inline constexpr unsigned kOk = 0x0;
inline constexpr unsigned kYesNo = 0x4;
inline constexpr unsigned kIconHand = 0x10;
inline constexpr unsigned kIconQuestion = 0x20;
inline constexpr unsigned kIconExclamation = 0x30;
inline constexpr unsigned kIconAsterisk = 0x40;
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
}  // namespace mb

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a message box owned by whatever window this instance stands for
  // (or none) and returns the button pressed.
  virtual int Show(const std::string& text, const std::string& caption, unsigned style) = 0;
};

}  // namespace vantrel
