#include "app/menu_template.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel {
namespace {

// A menu template written word by word, as the resource compiler writes it.
class TemplateBytes {
 public:
  explicit TemplateBytes(unsigned version = 0, const std::string& headerExtra = "") {
    Word(version);
    Word(static_cast<unsigned>(headerExtra.size()));
    bytes += headerExtra;
  }
  TemplateBytes& Item(unsigned flags, unsigned id, const std::u16string& text) {
    Word(flags);
    Word(id);
    Text(text);
    return *this;
  }
  TemplateBytes& Popup(unsigned flags, const std::u16string& text) {
    Word(flags | menu_flags::kPopup);
    Text(text);
    return *this;
  }
  std::string bytes;

 private:
  void Word(unsigned value) {
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>((value >> 8) & 0xFF);
  }
  void Text(const std::u16string& text) {
    for (char16_t unit : text) Word(unit);
    Word(0);
  }
};

struct Entry {
  unsigned id;
  std::u16string text;
};

// The items of the main window's menu; the tray's has "열기" first.
const std::vector<Entry> kMainMenuItems = {
    {32778, u"폴더 정보 보기"}, {32779, u"진행바 보기"}, {32781, u"미리 보기"}, {0, u""},
    {1070, u"설정"},
    {0, u""},                   {1067, u"프로그램 카운터 가기"},       {1048, u"제작 홈페이지 가기"},
    {0, u""},                   {57670, u"프로그램 정보"},           {0, u""},
    {1, u"종료"},
};

std::string ProgramMenu(const std::u16string& title, const std::vector<Entry>& items) {
  TemplateBytes bytes;
  bytes.Popup(menu_flags::kEnd, title);
  for (std::size_t i = 0; i < items.size(); ++i) {
    bytes.Item(i + 1 == items.size() ? menu_flags::kEnd : 0, items[i].id, items[i].text);
  }
  return bytes.bytes;
}

std::optional<MenuTemplateLevel> Parse(const std::string& bytes) { return ParseMenuTemplate(bytes.data(), bytes.size()); }

TEST(MenuTemplate, TheProgramsTwoMenusAreOnePopupWithTheirItemsInOrder) {
  std::vector<Entry> trayItems = kMainMenuItems;
  trayItems.insert(trayItems.begin(), Entry{32780, u"열기"});
  struct Case {
    std::u16string title;
    std::vector<Entry> items;
  } cases[] = {{u"Menu", kMainMenuItems}, {u"Tray Menu", trayItems}};
  for (const Case& c : cases) {
    const auto top = Parse(ProgramMenu(c.title, c.items));
    ASSERT_TRUE(top);
    ASSERT_EQ(top->size(), 1u);
    const MenuTemplateItem& popup = top->front();
    EXPECT_TRUE(popup.IsPopup());
    EXPECT_EQ(popup.flags, menu_flags::kPopup) << "MF_END is not kept";
    EXPECT_EQ(popup.text, c.title);
    ASSERT_EQ(popup.items.size(), c.items.size());
    int separators = 0;
    for (std::size_t i = 0; i < c.items.size(); ++i) {
      const MenuTemplateItem& item = popup.items[i];
      EXPECT_EQ(item.id, c.items[i].id) << i;
      EXPECT_EQ(item.text, c.items[i].text) << i;
      EXPECT_EQ(item.flags, 0u) << i;
      EXPECT_TRUE(item.items.empty());
      if (item.IsSeparator()) ++separators;
    }
    EXPECT_EQ(separators, 4);
  }
}

TEST(MenuTemplate, LevelsCloseFromTheInnermostOutward) {
  // File [Open, Recent [One, Two], Exit]; Help [About]. "Recent" is the
  // last item of nothing, "Two" ends Recent only, "Exit" ends File.
  TemplateBytes bytes;
  bytes.Popup(0, u"File")
      .Item(menu_flags::kGrayed, 10, u"Open\tCtrl+O")
      .Popup(0, u"Recent")
      .Item(0, 11, u"One")
      .Item(menu_flags::kEnd, 12, u"Two")
      .Item(menu_flags::kEnd, 13, u"Exit")
      .Popup(menu_flags::kEnd, u"Help")
      .Popup(menu_flags::kEnd, u"More")
      .Item(menu_flags::kEnd, 14, u"About");
  const auto top = Parse(bytes.bytes);
  ASSERT_TRUE(top);
  ASSERT_EQ(top->size(), 2u);
  const MenuTemplateItem& file = (*top)[0];
  ASSERT_EQ(file.items.size(), 3u);
  EXPECT_EQ(file.items[0].flags, menu_flags::kGrayed);
  EXPECT_EQ(file.items[0].text, u"Open\tCtrl+O");
  ASSERT_EQ(file.items[1].items.size(), 2u);
  EXPECT_EQ(file.items[1].items[1].id, 12u);
  EXPECT_EQ(file.items[2].id, 13u);
  const MenuTemplateItem& help = (*top)[1];
  ASSERT_EQ(help.items.size(), 1u);
  ASSERT_EQ(help.items[0].items.size(), 1u);
  EXPECT_EQ(help.items[0].items[0].text, u"About");
}

TEST(MenuTemplate, HeaderBytesAreSkippedAndTrailingBytesIgnored) {
  TemplateBytes bytes(0, std::string("\x01\x02\x03\x04", 4));
  bytes.Item(menu_flags::kEnd, 7, u"Only");
  bytes.bytes += "left over";
  const auto top = Parse(bytes.bytes);
  ASSERT_TRUE(top);
  ASSERT_EQ(top->size(), 1u);
  EXPECT_EQ((*top)[0].id, 7u);
}

std::string Nested(int depth) {
  TemplateBytes bytes;
  for (int i = 0; i < depth; ++i) bytes.Popup(menu_flags::kEnd, u"P");
  bytes.Item(menu_flags::kEnd, 1, u"x");
  return bytes.bytes;
}

TEST(MenuTemplate, DamagedTemplatesAreRefused) {
  const std::string whole = ProgramMenu(u"Menu", kMainMenuItems);
  std::string noEnd = whole;
  noEnd[noEnd.size() - 10] = 0;  // the flags of "종료" lose MF_END: the popup never ends
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"half a header", std::string("\0\0", 2)},
      {"header only", std::string("\0\0\0\0", 4)},
      {"header size past the end", std::string("\0\0\x10\0", 4)},
      {"an extended template", TemplateBytes(1).Item(menu_flags::kEnd, 1, u"x").bytes},
      {"cut inside a text", whole.substr(0, whole.size() - 3)},
      {"cut before the last id", whole.substr(0, whole.size() - 7)},
      {"cut after a flags word", whole.substr(0, 6)},
      {"no MF_END", noEnd},
      {"nested too deep", Nested(kMaxMenuTemplateDepth)},
  };
  for (const Case& c : cases) EXPECT_FALSE(Parse(c.bytes)) << c.name;
  EXPECT_FALSE(ParseMenuTemplate(nullptr, 4));
  EXPECT_TRUE(Parse(Nested(kMaxMenuTemplateDepth - 1))) << "the deepest nesting allowed";
}

}  // namespace
}  // namespace vantrel
