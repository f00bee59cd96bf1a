#include "app/menu_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel {
namespace {

class RecordingTarget : public MenuCommandTarget {
 public:
  std::vector<std::string> calls;
  void RestoreFromTray() override { calls.push_back("restore"); }
  void ShowFolderWindow() override { calls.push_back("folder window"); }
  void ShowProgressWindow() override { calls.push_back("progress window"); }
  void ShowPreview() override { calls.push_back("preview"); }
  void OpenPage(const std::string& address) override { calls.push_back("open " + address); }
  void ShowAbout() override { calls.push_back("about"); }
  void AddBrowserCaches() override { calls.push_back("add browser caches"); }
  void Exit() override { calls.push_back("exit"); }
};

TEST(MenuCommands, EveryCommandOfBothMenus) {
  const MenuCommands commands("http://home.example/", "http://counter.example/");
  struct Case {
    int id;
    const char* call;
  } cases[] = {
      {32780, "restore"},
      {32778, "folder window"},
      {32779, "progress window"},
      {32781, "preview"},
      {1067, "open http://counter.example/"},
      {1048, "open http://home.example/"},
      {57670, "about"},
      {32790, "add browser caches"},
      {1, "exit"},
  };
  for (const Case& c : cases) {
    RecordingTarget target;
    EXPECT_TRUE(commands.Run(c.id, target)) << c.id;
    EXPECT_EQ(target.calls, std::vector<std::string>{c.call}) << c.id;
  }
}

TEST(MenuCommands, OtherIdsAreLeftToTheWindow) {
  const MenuCommands commands("h", "c");
  // 1070 is the settings button's own id; the others are the main window's
  // buttons and the cancel command.
  for (int id : {1070, 1039, 1040, 1053, 1068, 1069, 2, 0, 16}) {
    RecordingTarget target;
    EXPECT_FALSE(commands.Run(id, target)) << id;
    EXPECT_TRUE(target.calls.empty()) << id;
  }
}

}  // namespace
}  // namespace vantrel
