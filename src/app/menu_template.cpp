#include "app/menu_template.h"

#include <cstdint>

namespace vantrel {

namespace {

class TemplateReader {
 public:
  TemplateReader(const unsigned char* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

  bool Word(unsigned& value) {
    if (size_ - position_ < 2) return false;
    value = static_cast<unsigned>(bytes_[position_]) | (static_cast<unsigned>(bytes_[position_ + 1]) << 8);
    position_ += 2;
    return true;
  }

  bool Text(std::u16string& text) {
    text.clear();
    for (unsigned unit = 0; Word(unit);) {
      if (unit == 0) return true;
      text.push_back(static_cast<char16_t>(unit));
    }
    return false;
  }

  bool Skip(std::size_t count) {
    if (size_ - position_ < count) return false;
    position_ += count;
    return true;
  }

  // One level, up to and including its item with MF_END.
  bool Level(MenuTemplateLevel& level, int depth) {
    if (depth > kMaxMenuTemplateDepth) return false;
    for (;;) {
      MenuTemplateItem item;
      unsigned flags = 0;
      if (!Word(flags)) return false;
      item.flags = flags & ~menu_flags::kEnd;
      if (!item.IsPopup() && !Word(item.id)) return false;
      if (!Text(item.text)) return false;
      if (item.IsPopup() && !Level(item.items, depth + 1)) return false;
      level.push_back(std::move(item));
      if ((flags & menu_flags::kEnd) != 0) return true;
    }
  }

 private:
  const unsigned char* bytes_;
  std::size_t size_;
  std::size_t position_ = 0;
};

}  // namespace

std::optional<MenuTemplateLevel> ParseMenuTemplate(const void* bytes, std::size_t size) {
  if (bytes == nullptr) return std::nullopt;
  TemplateReader reader(static_cast<const unsigned char*>(bytes), size);
  unsigned version = 0;
  unsigned headerSize = 0;
  if (!reader.Word(version) || !reader.Word(headerSize) || version != 0) return std::nullopt;
  if (!reader.Skip(headerSize)) return std::nullopt;
  MenuTemplateLevel top;
  if (!reader.Level(top, 1)) return std::nullopt;
  return top;
}

}  // namespace vantrel
