// "레지스트리 찾기": the registry editor is started, waited for and sent its
// find command, or given up on silently.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/program_windows.h"
#include "settings/registry_editor_find.h"

namespace vantrel {
namespace {

class RecordingProgramWindows : public ProgramWindows {
 public:
  void Open(const std::string& file) override { calls.push_back("open " + file); }
  void Sleep(unsigned milliseconds) override { calls.push_back("sleep " + std::to_string(milliseconds)); }
  WindowId FindTopLevelWindow(const std::string& title) override {
    calls.push_back("find " + title);
    return editorWindow;
  }
  void PostCommand(WindowId window, int command) override {
    calls.push_back("post " + std::to_string(window) + " " + std::to_string(command));
  }
  WindowId editorWindow = 0;
  std::vector<std::string> calls;
};

TEST(RegistryEditorFindTest, PostsTheFindCommandToTheEditorItFinds) {
  RecordingProgramWindows windows;
  windows.editorWindow = 0x1234;
  FindInRegistryEditor(windows);
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"open regedit.exe", "sleep 400", "find 레지스트리 편집기",
                                                     "post 4660 662"}));
}

TEST(RegistryEditorFindTest, WaitsOnceMoreAndGivesUpWhenTheEditorIsNotThere) {
  RecordingProgramWindows windows;
  FindInRegistryEditor(windows);
  EXPECT_EQ(windows.calls,
            (std::vector<std::string>{"open regedit.exe", "sleep 400", "find 레지스트리 편집기", "sleep 400"}));
}

}  // namespace
}  // namespace vantrel
