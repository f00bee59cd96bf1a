#include "app/tray_icon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel {
namespace {

// Records every call and answers as configured.
class FakeNotificationArea : public NotificationArea {
 public:
  unsigned majorVersion = 5;
  bool shellAnswer = true;
  bool menuAvailable = true;
  std::vector<std::string> calls;
  std::vector<TrayIconData> records;

  unsigned SystemMajorVersion() override { return majorVersion; }
  bool Notify(unsigned action, const TrayIconData& data) override {
    static const char* const kNames[] = {"add", "modify", "delete"};
    calls.push_back(std::string(kNames[action]) + " flags " + std::to_string(data.flags));
    records.push_back(data);
    return shellAnswer;
  }
  void* LoadIconResource(unsigned id) override {
    calls.push_back("load icon " + std::to_string(id));
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x1000 + id));
  }
  bool TrackMenu(unsigned menuId, void* owner) override {
    calls.push_back("track menu " + std::to_string(menuId) + (owner == kOwner ? " for the owner" : ""));
    return menuAvailable;
  }
  bool RunFirstItem(unsigned menuId, void* owner) override {
    calls.push_back("run first item " + std::to_string(menuId) + (owner == kOwner ? " for the owner" : ""));
    return menuAvailable;
  }

  static inline void* const kOwner = reinterpret_cast<void*>(0x5678);
};

using Calls = std::vector<std::string>;
constexpr unsigned kCallback = 0x040A;
constexpr unsigned kId = 104;

class TrayIconTest : public ::testing::Test {
 protected:
  void Install() { ASSERT_TRUE(icon.Install(FakeNotificationArea::kOwner, kCallback, "Vantrel V.ZEL 1.2", nullptr, kId)); }
  FakeNotificationArea area;
  CTrayIcon icon{area};
};

TEST_F(TrayIconTest, InstallAddsTheIconWithMessageIconAndTip) {
  Install();
  EXPECT_EQ(area.calls, (Calls{"add flags 7"}));
  const TrayIconData& added = area.records.back();
  EXPECT_EQ(added.window, FakeNotificationArea::kOwner);
  EXPECT_EQ(added.id, kId);
  EXPECT_EQ(added.callbackMessage, kCallback);
  EXPECT_EQ(added.icon, nullptr);
  EXPECT_STREQ(added.tip, "Vantrel V.ZEL 1.2");
  EXPECT_TRUE(icon.IsEnabled());
  EXPECT_FALSE(icon.IsHidden());

  EXPECT_TRUE(icon.ChangeIconFromResource(0x10080));  // only the low 16 bits name the resource
  EXPECT_EQ(area.calls, (Calls{"add flags 7", "load icon 128", "modify flags 2"}));
  EXPECT_EQ(area.records.back().icon, reinterpret_cast<void*>(0x1000 + 128));
}

TEST_F(TrayIconTest, ALongTipIsCutTo63Bytes) {
  const std::string tip(100, 'x');
  ASSERT_TRUE(icon.Install(nullptr, kCallback, tip, nullptr, kId));
  EXPECT_EQ(std::string(area.records.back().tip), tip.substr(0, 63));
  EXPECT_EQ(area.records.back().window, nullptr);
}

TEST_F(TrayIconTest, ConcealAndRevealFollowTheStateTable) {
  Install();
  area.calls.clear();
  EXPECT_FALSE(icon.Reveal()) << "not concealed: nothing to bring back";
  EXPECT_TRUE(area.calls.empty());

  EXPECT_TRUE(icon.Conceal());
  EXPECT_TRUE(icon.Conceal()) << "away already";
  EXPECT_EQ(area.calls, (Calls{"delete flags 2"})) << "concealed twice, the shell asked once";
  EXPECT_TRUE(icon.IsHidden());

  area.calls.clear();
  EXPECT_TRUE(icon.Reveal());
  EXPECT_FALSE(icon.Reveal());
  EXPECT_EQ(area.calls, (Calls{"add flags 7"}));
  EXPECT_FALSE(icon.IsHidden());
  EXPECT_EQ(area.records.back().id, kId);
  EXPECT_STREQ(area.records.back().tip, "Vantrel V.ZEL 1.2");

  area.shellAnswer = false;
  EXPECT_FALSE(icon.Conceal()) << "the shell's answer";
  EXPECT_TRUE(icon.IsHidden());
}

TEST_F(TrayIconTest, UninstallRemovesForGoodAndTheDestructorDoesItToo) {
  Install();
  area.calls.clear();
  icon.Uninstall();
  icon.Uninstall();
  EXPECT_EQ(area.calls, (Calls{"delete flags 0"}));
  EXPECT_FALSE(icon.IsEnabled());
  EXPECT_FALSE(icon.Conceal());
  EXPECT_FALSE(icon.Reveal());
  EXPECT_FALSE(icon.ChangeIcon(nullptr));
  EXPECT_EQ(area.calls.size(), 1u);

  FakeNotificationArea other;
  {
    CTrayIcon scoped(other);
    scoped.Install(nullptr, kCallback, "tip", nullptr, 7);
  }
  EXPECT_EQ(other.calls, (Calls{"add flags 7", "delete flags 0"}));
}

TEST_F(TrayIconTest, BeforeWindows4NothingIsInstalledAndNothingHappens) {
  area.majorVersion = 3;
  EXPECT_FALSE(icon.Install(FakeNotificationArea::kOwner, kCallback, "tip", nullptr, kId));
  EXPECT_FALSE(icon.IsEnabled());
  EXPECT_FALSE(icon.ChangeIconFromResource(128));
  EXPECT_FALSE(icon.Conceal());
  EXPECT_FALSE(icon.Reveal());
  icon.Uninstall();
  EXPECT_EQ(area.calls, (Calls{"load icon 128"}));
}

TEST_F(TrayIconTest, NotificationsForThisIcon) {
  Install();
  area.calls.clear();
  struct Case {
    const char* name;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool menuAvailable;
    long result;
    Calls calls;
  } cases[] = {
      {"another icon's right click", 105, 0x0205, true, 0, {}},
      {"right button up", kId, 0x0205, true, 1, {"track menu 104 for the owner"}},
      {"right button up, high word set", kId, 0x00010205, true, 1, {"track menu 104 for the owner"}},
      {"double click", kId, 0x0203, true, 1, {"run first item 104 for the owner"}},
      {"a single left click", kId, 0x0202, true, 1, {}},
      {"mouse move", kId, 0x0200, true, 1, {}},
      {"right click, menu missing", kId, 0x0205, false, 0, {"track menu 104 for the owner"}},
      {"double click, menu missing", kId, 0x0203, false, 0, {"run first item 104 for the owner"}},
  };
  for (const Case& c : cases) {
    area.calls.clear();
    area.menuAvailable = c.menuAvailable;
    EXPECT_EQ(icon.HandleNotification(c.wParam, c.lParam), c.result) << c.name;
    EXPECT_EQ(area.calls, c.calls) << c.name;
  }
}

}  // namespace
}  // namespace vantrel
