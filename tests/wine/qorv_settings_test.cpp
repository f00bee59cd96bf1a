// The real Qorv.exe keeps its settings beside itself: read at start, written
// when it is closed.
#include <gtest/gtest.h>
#include <windows.h>

#include "settings/archive.h"
#include "settings/setup_data.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr char kTitle[] = "Vantrel V.ZEL";

std::string DefaultBytes() {
  SetupData defaults;
  ArchiveWriter writer;
  defaults.Store(writer);
  return writer.Bytes();
}

class QorvSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = MakeFolder(ScratchFolder() + "program");
    ASSERT_TRUE(CopyFileA(BuiltProgram("Qorv.exe").c_str(), (folder + "Qorv.exe").c_str(), FALSE));
    DeleteFileA((folder + "SetupData.Sav").c_str());
  }

  // Starts Qorv.exe, waits for its window, closes it the way the system does.
  void RunAndClose() {
    RunningProgram qorv(folder + "Qorv.exe", "", folder);
    ASSERT_TRUE(qorv.Started());
    HWND window = WaitForVisibleWindow(kTitle, 20000);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(qorv.WaitForExit(20000));
  }

  std::string folder;
};

TEST_F(QorvSettingsTest, FirstRunWritesTheDefaultFileWhenClosed) {
  RunAndClose();
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), DefaultBytes());
}

TEST_F(QorvSettingsTest, SettingsSurviveARun) {
  SetupData settings;
  settings.cleanCookie = false;
  UserEntry entry;
  entry.name = "내 임시 폴더";
  entry.dirs = {"Dir:C:\\MyTemp"};
  settings.AddEntry(entry);
  ArchiveWriter writer;
  settings.Store(writer);
  WriteBytes(folder + "SetupData.Sav", writer.Bytes());

  RunAndClose();
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), writer.Bytes());
}

TEST_F(QorvSettingsTest, ASecondCopyEndsAtOnce) {
  RunningProgram first(folder + "Qorv.exe", "", folder);
  ASSERT_NE(WaitForVisibleWindow(kTitle, 20000), nullptr);
  RunningProgram second(folder + "Qorv.exe", "", folder);
  ASSERT_TRUE(second.Started());
  EXPECT_TRUE(second.WaitForExit(10000));
}

}  // namespace
}  // namespace vantrel
