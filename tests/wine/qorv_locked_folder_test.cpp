// The real Qorv.exe in a program folder it cannot write (as under Program
// Files without administrator rights): its settings go to the user's
// application-data folder and come back from there at the next start; when
// that cannot be written either, the user is told.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "program_driving.h"
#include "settings/setup_data.h"
#include "stored_settings.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr char kTitle[] = "Vantrel V.ZEL";

class QorvLockedFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveFallbackSettings();
    const std::string probe = folder + "probe.txt";
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      DeleteFileA(probe.c_str());
      GTEST_SKIP() << "the file system here cannot make a folder unwritable";
    }
    ASSERT_EQ(ReadBytes(folder + "SetupData.Sav"), DefaultSettingsBytes()) << "the fixture did not prepare the folder";
  }
  void TearDown() override {
    PointTheTempFolderAt(savedTmp, savedTemp);
    RemoveFallbackSettings();
  }

  // The temp folder of the programs this one starts from now on (they
  // inherit its environment).
  static void PointTheTempFolderAt(const std::string& tmp, const std::string& temp) {
    SetEnvironmentVariableA("TMP", tmp.c_str());
    SetEnvironmentVariableA("TEMP", temp.c_str());
  }

  HWND StartAndShow() {
    qorv = std::make_unique<RunningProgram>(folder + "Qorv.exe", "", folder);
    HWND window = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (window = FindTestWindow(nullptr, kTitle)) != nullptr && StartIsOver(window); },
                          20000))
        << "the main window never came on screen in the middle";
    return window;
  }

  // A cleaning run that finds the temp folder in the system folder refuses
  // it and switches the temp category off: a switch changed while the program
  // runs, as the user would change it.
  void CleanWithTheTempFolderInTheSystemFolder(HWND window) {
    PostMessageA(GetDlgItem(window, 1068), BM_CLICK, 0, 0);
    HWND warning = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (warning = VisibleMessageBox(nullptr, window)) != nullptr; }, 60000))
        << "the temp folder in the system folder was not refused";
    PostMessageA(warning, WM_COMMAND, IDOK, 0);
    HWND progress = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
          progress = VisibleOwnedWindowWith(window, 1056);
          return progress != nullptr && TextOfWindow(GetDlgItem(progress, 1043)) == "청소 끝.";
        },
        120000))
        << "the run did not finish";
  }

  void Close(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(qorv->WaitForExit(20000)) << "the program did not end";
  }

  const std::string folder = ScratchFolder() + "locked\\";
  std::unique_ptr<RunningProgram> qorv;
  std::string savedTmp = EnvironmentValue("TMP");
  std::string savedTemp = EnvironmentValue("TEMP");

 private:
  static std::string EnvironmentValue(const char* name) {
    char value[MAX_PATH] = {};
    GetEnvironmentVariableA(name, value, sizeof value);
    return value;
  }
};

TEST_F(QorvLockedFolderTest, AChangedSwitchSurvivesARestart) {
  PointTheTempFolderAt("C:\\windows\\system32", "C:\\windows\\system32");
  HWND window = StartAndShow();
  ASSERT_NE(window, nullptr);
  PointTheTempFolderAt(savedTmp, savedTemp);
  CleanWithTheTempFolderInTheSystemFolder(window);
  ASSERT_FALSE(HasFatalFailure());
  Close(window);
  EXPECT_EQ(VisibleMessageBox("ERROR"), nullptr) << "the save went somewhere, so nothing to say";

  SetupData changed;
  changed.cleanTemp = false;
  const std::string expected = StoredSettings(changed);
  EXPECT_EQ(ReadBytes(FallbackSettingsFileOfUser()), expected);
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), DefaultSettingsBytes()) << "the locked folder was written";

  // The restart reads the newer file, from the application-data folder, and
  // saves what it read.
  window = StartAndShow();
  ASSERT_NE(window, nullptr);
  Close(window);
  EXPECT_EQ(ReadBytes(FallbackSettingsFileOfUser()), expected);
}

TEST_F(QorvLockedFolderTest, WithBothPlacesUnwritableTheUserIsTold) {
  // A file where the application-data folder would be made.
  WriteBytes(FallbackSettingsFolderOfUser(), "in the way");
  HWND window = StartAndShow();
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);

  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = VisibleMessageBox("ERROR")) != nullptr; }, 20000))
      << "no message about the settings";
  EXPECT_EQ(MessageBoxText(box), "설정을 저장할 수 없습니다.\n설정 파일: " + folder + "SetupData.Sav");
  EXPECT_EQ(GetWindow(box, GW_OWNER), window) << "owned by the main window";
  EXPECT_FALSE(IsWindowVisible(window)) << "the main window is on its way out";
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(500);  // let it paint before the picture is taken
  Capture(GetDesktopWindow()).SaveBmp(ScratchFolder() + "settings_not_saved.bmp");
  EXPECT_FALSE(qorv->WaitForExit(0)) << "the program waits for the user";

  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(qorv->WaitForExit(20000));
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), DefaultSettingsBytes());
  EXPECT_EQ(ReadBytes(FallbackSettingsFolderOfUser()), "in the way");
}

}  // namespace
}  // namespace vantrel
