// The real Qorv.exe keeps its settings beside itself: read at start, written
// when it is closed or when Windows ends the session. Damaged, foreign and
// locked files neither get lost nor keep the program from showing. Built for
// 32-bit Windows too, where it drives the 32-bit Qorv.exe.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "../shared/damaged_settings_files.h"
#include "program_driving.h"
#include "settings/setup_data.h"
#include "stored_settings.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr char kTitle[] = "Vantrel V.ZEL";

class QorvSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = MakeFolder(ScratchFolder() + "program");
    ASSERT_TRUE(CopyFileA(BuiltProgram("Qorv.exe").c_str(), (folder + "Qorv.exe").c_str(), FALSE));
    for (const char* name : {"SetupData.Sav", "SetupData.Sav.bad", "UpDateInf.Txt"}) {
      DeleteFileA((folder + name).c_str());
    }
    RemoveFallbackSettings();
  }

  // Starts Qorv.exe and waits until its main window is shown for good.
  HWND StartAndShow(std::unique_ptr<RunningProgram>& qorv) {
    qorv = std::make_unique<RunningProgram>(folder + "Qorv.exe", "", folder);
    HWND window = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (window = FindTestWindow(nullptr, kTitle)) != nullptr && StartIsOver(window); },
                          20000))
        << "the main window never came on screen in the middle";
    return window;
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
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), FirstStartSettingsBytes());
}

// A file as a user's earlier run left it, with one switch stored as 2: any
// non-zero value reads as on and is written back as 1, so the file after the
// run shows that the program really saved.
struct UsersFile {
  std::string asFound;
  std::string asSaved;
};

UsersFile AUsersFile() {
  SetupData settings;
  settings.cleanCookie = false;
  UserEntry entry;
  entry.name = "내 임시 폴더";
  entry.dirs = {"Dir:C:\\MyTemp"};
  settings.AddEntry(entry);
  const std::string stored = StoredSettings(settings);
  UsersFile file{stored, stored};
  file.asFound[4] = 2;  // cleanCache
  return file;
}

TEST_F(QorvSettingsTest, SettingsSurviveARun) {
  const UsersFile file = AUsersFile();
  WriteBytes(folder + "SetupData.Sav", file.asFound);

  RunAndClose();
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), file.asSaved);
}

TEST_F(QorvSettingsTest, TheEndOfTheSessionWritesTheSettingsAndTidiesUp) {
  const UsersFile file = AUsersFile();
  WriteBytes(folder + "SetupData.Sav", file.asFound);
  WriteBytes(folder + "UpDateInf.Txt", "1.3");
  std::unique_ptr<RunningProgram> qorv;
  HWND window = StartAndShow(qorv);
  ASSERT_NE(window, nullptr);

  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer));
  EXPECT_NE(answer, 0u) << "the program refused the end of the session";
  ASSERT_TRUE(SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 10000, &answer));
  // Windows would end the process now, window and all.
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), file.asSaved);
  EXPECT_FALSE(FileExists(folder + "UpDateInf.Txt"));
  EXPECT_TRUE(IsWindow(window));
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(qorv->WaitForExit(20000));
}

TEST_F(QorvSettingsTest, AFileOfAnotherVersionIsKeptAsBadBeforeItIsRewritten) {
  std::string old = DefaultSettingsBytes();
  old[0] = 9;
  old[8] = 0;  // cleanCookie
  WriteBytes(folder + "SetupData.Sav", old);
  std::unique_ptr<RunningProgram> qorv = std::make_unique<RunningProgram>(folder + "Qorv.exe", "", folder);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = VisibleMessageBox("ERROR")) != nullptr; }, 20000))
      << "no message about the version";
  EXPECT_EQ(MessageBoxText(box), "Save 파일 버젼이 다릅니다.");
  PostMessageA(box, WM_COMMAND, IDOK, 0);

  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (window = FindTestWindow(nullptr, kTitle)) != nullptr && StartIsOver(window); },
                        20000));
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(qorv->WaitForExit(20000));
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav.bad"), old);
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), DefaultSettingsBytes());
}

TEST_F(QorvSettingsTest, AFileHeldOpenAtStartSurvivesTheExit) {
  const UsersFile file = AUsersFile();
  WriteBytes(folder + "SetupData.Sav", file.asFound);
  HANDLE holder = CreateFileA((folder + "SetupData.Sav").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  RunningProgram qorv(folder + "Qorv.exe", "", folder);
  HWND window = WaitForVisibleWindow(kTitle, 20000);
  CloseHandle(holder);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(qorv.WaitForExit(20000));
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), file.asFound);
  EXPECT_FALSE(FileExists(folder + "SetupData.Sav.bad"));
  EXPECT_FALSE(FileExists(FallbackSettingsFileOfUser()));
}

// The crafted file whose string length once wrapped in the 32-bit reader and
// stopped the start-up half way, off-screen for good.
TEST_F(QorvSettingsTest, ACraftedFileLeavesACentredWorkingMainWindow) {
  const std::string crafted = damaged_settings::WrappingWideLengthFile();
  WriteBytes(folder + "SetupData.Sav", crafted);
  std::unique_ptr<RunningProgram> qorv;
  HWND window = StartAndShow(qorv);
  ASSERT_NE(window, nullptr);

  // The side windows were made after the settings were read.
  PostMessageA(window, WM_COMMAND, 32779, 0);
  EXPECT_TRUE(WaitUntil([&] { return VisibleOwnedWindowWith(window, 1056) != nullptr; }, 10000))
      << "no progress window";
  PostMessageA(window, WM_COMMAND, 32778, 0);
  EXPECT_TRUE(WaitUntil([&] { return VisibleOwnedWindowWith(window, 1096) != nullptr; }, 10000))
      << "no folder window";
  Sleep(300);  // let them paint before the picture is taken
  Capture(GetDesktopWindow()).SaveBmp(ScratchFolder() + "crafted_file_start.bmp");

  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(qorv->WaitForExit(20000));
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav.bad"), crafted);
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), DefaultSettingsBytes());
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
