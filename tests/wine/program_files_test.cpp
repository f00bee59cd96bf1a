// The program files a test run drives: each test program starts the Qorv.exe
// and QorvUpDate.exe of its own build, so the 32-bit tests really run the
// 32-bit programs.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

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

}  // namespace
