// Feeds arbitrary bytes to the menu template reader. Whatever it accepts,
// written out again as a template, must read back to the same tree; nothing
// may crash or nest deeper than the reader allows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/menu_template.h"

namespace {

using vantrel::MenuTemplateItem;
using vantrel::MenuTemplateLevel;

void Word(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Write(std::string& out, const MenuTemplateLevel& level, int depth) {
  if (depth > vantrel::kMaxMenuTemplateDepth || level.empty()) std::abort();
  for (std::size_t i = 0; i < level.size(); ++i) {
    const MenuTemplateItem& item = level[i];
    if ((item.flags & vantrel::menu_flags::kEnd) != 0) std::abort();
    Word(out, item.flags | (i + 1 == level.size() ? vantrel::menu_flags::kEnd : 0));
    if (!item.IsPopup()) Word(out, item.id);
    for (char16_t unit : item.text) Word(out, unit);
    Word(out, 0);
    if (item.IsPopup()) Write(out, item.items, depth + 1);
  }
}

bool Same(const MenuTemplateLevel& a, const MenuTemplateLevel& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].flags != b[i].flags || a[i].id != b[i].id || a[i].text != b[i].text || !Same(a[i].items, b[i].items)) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto top = vantrel::ParseMenuTemplate(data, size);
  if (!top) return 0;
  std::string written;
  Word(written, 0);
  Word(written, 0);
  Write(written, *top, 1);
  const auto again = vantrel::ParseMenuTemplate(written.data(), written.size());
  if (!again || !Same(*top, *again)) std::abort();
  return 0;
}
