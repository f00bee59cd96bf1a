#include "platform/win32/running_programs_win32.h"

#include <windows.h>
#include <tlhelp32.h>

#include <vector>

#include "platform/win32/handles.h"

namespace vantrel {

namespace {

// Windows Vista and later let a user open his own elevated processes only
// for this access; older systems refuse the flag.
constexpr DWORD kQueryLimitedInformation = 0x1000;

// The user SID in the token of process, or nothing when the token cannot be
// read (a process of another user, or a system without tokens).
std::vector<BYTE> UserOf(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return {};
  const FileHandle tokenHandle(token);
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  if (size == 0) return {};
  std::vector<BYTE> user(size);
  if (!GetTokenInformation(token, TokenUser, user.data(), size, &size)) return {};
  return user;
}

bool SameUser(const std::vector<BYTE>& a, const std::vector<BYTE>& b) {
  return EqualSid(reinterpret_cast<const TOKEN_USER*>(a.data())->User.Sid,
                  reinterpret_cast<const TOKEN_USER*>(b.data())->User.Sid) != FALSE;
}

bool RunsForUser(DWORD processId, const std::vector<BYTE>& ownUser) {
  // Windows 95 to ME know no users: every process is the user's.
  if (ownUser.empty()) return true;
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
  if (process == nullptr) process = OpenProcess(kQueryLimitedInformation, FALSE, processId);
  if (process == nullptr) return false;
  const FileHandle processHandle(process);
  const std::vector<BYTE> user = UserOf(process);
  return !user.empty() && SameUser(user, ownUser);
}

}  // namespace

bool Win32RunningPrograms::UserRuns(const std::string& fileName) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  const FileHandle snapshotHandle(snapshot);
  const std::vector<BYTE> ownUser = UserOf(GetCurrentProcess());
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, fileName.c_str()) == 0 &&
        RunsForUser(entry.th32ProcessID, ownUser)) {
      return true;
    }
  }
  return false;
}

}  // namespace vantrel
