#include "console_program.h"

#include <cstring>
#include <sstream>

#include "watchdog.h"
#include "wine_test_support.h"

namespace vantrel::winetest {

namespace {

// Variable names ignore letter case; they are plain ASCII.
std::string UpperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// This program's environment block with the given variables set.
std::string EnvironmentWith(const std::map<std::string, std::string>& changes) {
  std::map<std::string, std::string> variables;
  char* block = GetEnvironmentStringsA();
  for (const char* at = block; *at != '\0'; at += std::strlen(at) + 1) {
    const std::string entry = at;
    const auto equals = entry.find('=', 1);
    if (equals != std::string::npos) variables[UpperCase(entry.substr(0, equals))] = entry;
  }
  FreeEnvironmentStringsA(block);
  for (const auto& [name, value] : changes) variables[UpperCase(name)] = name + "=" + value;
  std::string result;
  for (const auto& [name, entry] : variables) result += entry + '\0';
  return result + '\0';
}

}  // namespace

ConsoleRun RunRedirected(const std::string& exe, const std::string& parameters,
                         const std::string& folder, const std::string& outputFile,
                         const std::map<std::string, std::string>& environment, DWORD timeoutMs) {
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
  std::string block = environment.empty() ? std::string() : EnvironmentWith(environment);
  if (StartInTestJob(exe, commandLine, folder, true, CREATE_NO_WINDOW, startup, block.empty() ? nullptr : block.data(),
                     info)) {
    CloseHandle(info.hThread);
    WaitNote note(commandLine + " to end (up to " + std::to_string(timeoutMs) + " ms)");
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

std::vector<std::string> OutputLines(const std::string& output) {
  std::vector<std::string> lines;
  std::istringstream in(output);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace vantrel::winetest
