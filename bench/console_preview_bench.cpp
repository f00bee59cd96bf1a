// Times VantrelCli.exe on a prepared tree under Wine and prints one line of
// figures; bench/run-cli-bench.sh prepares the tree and a settings file whose
// only entry is that tree.
//
//   console_preview_bench.exe COMMAND FOLDER
//     COMMAND  preview or clean, passed to VantrelCli.exe in FOLDER
// The output of the program goes to FOLDER\bench_output.txt.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: console_preview_bench.exe preview|clean FOLDER\n");
    return 2;
  }
  const std::string command = argv[1];
  const std::string folder = std::string(argv[2]) + "\\";
  const std::string exe = folder + "VantrelCli.exe";

  SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
  HANDLE output = CreateFileA((folder + "bench_output.txt").c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output;
  startup.hStdError = output;
  std::string commandLine = "\"" + exe + "\" " + command;
  PROCESS_INFORMATION info = {};
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                      nullptr, folder.c_str(), &startup, &info)) {
    std::fprintf(stderr, "cannot start %s\n", exe.c_str());
    return 1;
  }
  // Wine forgets the figures of a process that has ended: sample while it runs.
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  while (WaitForSingleObject(info.hProcess, 10) == WAIT_TIMEOUT) {
    PROCESS_MEMORY_COUNTERS_EX now = {};
    now.cb = sizeof now;
    if (GetProcessMemoryInfo(info.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&now),
                             sizeof now)) {
      if (now.PeakPagefileUsage > memory.PeakPagefileUsage) memory.PeakPagefileUsage = now.PeakPagefileUsage;
      if (now.PeakWorkingSetSize > memory.PeakWorkingSetSize) memory.PeakWorkingSetSize = now.PeakWorkingSetSize;
    }
  }
  QueryPerformanceCounter(&end);
  DWORD code = 0;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  CloseHandle(output);
  const double seconds =
      static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  std::printf("%s exit=%lu seconds=%.3f peak_private_kb=%lu peak_working_set_kb=%lu\n",
              command.c_str(), static_cast<unsigned long>(code), seconds,
              static_cast<unsigned long>(memory.PeakPagefileUsage / 1024),
              static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024));
  return 0;
}
