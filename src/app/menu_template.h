#pragma once
// The standard menu template of a MENU resource, read into a tree of items:
// a 4-byte header (version 0, then the size of the header's extra bytes),
// then per item a flags word, a command id word unless the item opens a
// popup, and the zero-terminated UTF-16 text. MF_END marks the last item of
// each level; a popup's own items follow it directly.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

// Item flags of menu templates and of AppendMenu (MF_ values).
namespace menu_flags {
constexpr unsigned kGrayed = 0x0001;
constexpr unsigned kPopup = 0x0010;
constexpr unsigned kEnd = 0x0080;
constexpr unsigned kOwnerDraw = 0x0100;
constexpr unsigned kByPosition = 0x0400;
constexpr unsigned kSeparator = 0x0800;
}  // namespace menu_flags

struct MenuTemplateItem {
  unsigned flags = 0;  // as in the template, less MF_END
  unsigned id = 0;     // 0 for popups and separators
  std::u16string text;
  std::vector<MenuTemplateItem> items;  // a popup's own items

  bool IsPopup() const { return (flags & menu_flags::kPopup) != 0; }
  bool IsSeparator() const { return !IsPopup() && id == 0; }
};

using MenuTemplateLevel = std::vector<MenuTemplateItem>;

// Deeper nesting than this is taken for a damaged template.
constexpr int kMaxMenuTemplateDepth = 16;

// The top level of the template, or nothing when the bytes are not a whole
// standard template (another version, cut short, a level without MF_END,
// nesting deeper than kMaxMenuTemplateDepth). Bytes after the top level's
// last item are ignored.
std::optional<MenuTemplateLevel> ParseMenuTemplate(const void* bytes, std::size_t size);

}  // namespace vantrel
