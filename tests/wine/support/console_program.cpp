#include "console_program.h"

#include "wine_test_support.h"

namespace vantrel::winetest {

ConsoleRun RunRedirected(const std::string& exe, const std::string& parameters,
                         const std::string& folder, const std::string& outputFile,
                         DWORD timeoutMs) {
  ConsoleRun run;
  SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
  HANDLE output = CreateFileA(outputFile.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (output == INVALID_HANDLE_VALUE) return run;

  std::string commandLine = "\"" + exe + "\"";
  if (!parameters.empty()) commandLine += " " + parameters;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = output;
  PROCESS_INFORMATION info = {};
  if (CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                     nullptr, folder.c_str(), &startup, &info)) {
    CloseHandle(info.hThread);
    if (WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_OBJECT_0) {
      GetExitCodeProcess(info.hProcess, &run.exitCode);
    } else {
      TerminateProcess(info.hProcess, 1);
      WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hProcess);
  }
  CloseHandle(output);
  if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
  run.output = ReadBytes(outputFile);
  return run;
}

}  // namespace vantrel::winetest
