// The program files a test run drives: each test program starts the Qorv.exe
// and QorvUpDate.exe of its own width, so the 32-bit tests really run the
// 32-bit programs; and what Windows reads from those files before the program
// runs: the version resource (Explorer's properties) and the manifest.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "wine_test_support.h"

namespace {

using vantrel::winetest::BuiltProgram;
using vantrel::winetest::ReadBytes;

// The machine field of a PE file's header; 0 when the file is no PE file.
WORD MachineOf(const std::string& image) {
  if (image.size() < sizeof(IMAGE_DOS_HEADER)) return 0;
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
  if (dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew < 0) return 0;
  const size_t at = static_cast<size_t>(dos->e_lfanew);
  if (image.size() < at + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER)) return 0;
  DWORD signature;
  memcpy(&signature, image.data() + at, sizeof signature);
  if (signature != IMAGE_NT_SIGNATURE) return 0;
  IMAGE_FILE_HEADER header;
  memcpy(&header, image.data() + at + sizeof signature, sizeof header);
  return header.Machine;
}

WORD MachineOfThisProgram() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return MachineOf(ReadBytes(std::string(path, length)));
}

TEST(ProgramFiles, AreOfThisTestProgramsBuild) {
  const WORD machine = MachineOfThisProgram();
  ASSERT_TRUE(machine == IMAGE_FILE_MACHINE_I386 || machine == IMAGE_FILE_MACHINE_AMD64) << machine;
  EXPECT_EQ(machine, sizeof(void*) == 8 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386);
  for (const char* program : {"Qorv.exe", "QorvUpDate.exe"}) {
    EXPECT_EQ(MachineOf(ReadBytes(BuiltProgram(program))), machine) << program;
  }
}

struct VersionCase {
  const char* program;
  DWORD versionMs;
  DWORD versionLs;
  const char* versionText;
  const char* fileDescription;
};

class VersionResource : public ::testing::TestWithParam<VersionCase> {};

// A string of the Korean (0x0412, code page 949) block of the version resource.
std::string VersionString(const std::vector<char>& info, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\041203b5\\") + name;
  if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || length == 0) {
    return "<missing>";
  }
  return std::string(value, strnlen(value, length));
}

TEST_P(VersionResource, NamesTheProgramAndItsVersionInKorean) {
  const VersionCase& c = GetParam();
  const std::string path = BuiltProgram(c.program);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  ASSERT_GT(size, 0u) << "no version resource in " << c.program;
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, c.versionMs);
  EXPECT_EQ(fixed->dwFileVersionLS, c.versionLs);
  EXPECT_EQ(fixed->dwProductVersionMS, c.versionMs);
  EXPECT_EQ(fixed->dwProductVersionLS, c.versionLs);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  struct Translation {
    WORD language;
    WORD codePage;
  }* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                             &length));
  ASSERT_GE(length, sizeof *translation);
  EXPECT_EQ(translation->language, 0x0412);
  EXPECT_EQ(translation->codePage, 949);

  EXPECT_EQ(VersionString(info, "ProductName"), "Vantrel V.ZEL");
  EXPECT_EQ(VersionString(info, "FileDescription"), c.fileDescription);
  EXPECT_EQ(VersionString(info, "FileVersion"), c.versionText);
  EXPECT_EQ(VersionString(info, "ProductVersion"), c.versionText);
  EXPECT_EQ(VersionString(info, "OriginalFilename"), c.program);
  EXPECT_EQ(VersionString(info, "Comments"), "한 번의 클릭으로 PC의 사용 흔적과 임시 파일을 지우는 청소 프로그램");
}

INSTANTIATE_TEST_SUITE_P(
    Programs, VersionResource,
    ::testing::Values(VersionCase{"Qorv.exe", MAKELONG(2, 1), 0, "1.2.0.0", "Vantrel V.ZEL PC 청소기"},
                      VersionCase{"QorvUpDate.exe", MAKELONG(2, 0), 0, "0.2.0.0", "Vantrel V.ZEL 업데이트 프로그램"}),
    [](const ::testing::TestParamInfo<VersionCase>& info) {
      return std::string(info.param.program).substr(0, std::strlen(info.param.program) - 4);
    });

// The manifest the loader reads: the program runs with the user's own rights
// (no elevation prompt, no file redirection in protected folders) and names
// the systems it was made for, from Vista to Windows 11.
TEST(ProgramFiles, CarryTheirManifest) {
  for (const char* program : {"Qorv.exe", "QorvUpDate.exe"}) {
    SCOPED_TRACE(program);
    HMODULE module = LoadLibraryExA(BuiltProgram(program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(resource, nullptr) << "no manifest";
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    const std::string manifest(bytes, SizeofResource(module, resource));
    FreeLibrary(module);

    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"), std::string::npos);
    for (const char* system : {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                               "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                               "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
      EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + system + "\"/>"), std::string::npos) << system;
    }
    // Common controls 6 would give the system controls another look than
    // the one the windows were drawn for.
    EXPECT_EQ(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  }
}

}  // namespace
