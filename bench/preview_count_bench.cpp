// Times one way of counting a prepared tree under Wine and prints one line of
// figures; bench/run-preview-bench.sh prepares the tree and compares the ways.
//
//   preview_count_bench.exe MODE FOLDER
//     preview  the preview window's count: PreviewCount on the real ports, on
//              a thread of its own as the window starts it, its progress read
//              every 100 ms as the window's timer reads it; the settings hold
//              every category off and one entry, FOLDER with sub-folders
//     bare     the same API calls by hand: the finder walk that counts the
//              files (the W functions on \\?\ paths, as the file adapter makes
//              them), then the walk that asks of every file whether it could
//              be deleted (GetFileAttributesA, CreateFileA for DELETE), as the
//              deletion probe does
//     walk     one bare finder walk that counts the files, nothing else
#include <process.h>

#include <algorithm>
#include <cwchar>

#include "bench_support.h"
#include "engine/preview_count_win32.h"
#include "settings/setup_data.h"

namespace {

using namespace vantrel;

bool IsDots(const wchar_t* name) { return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0; }

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(length));
  return wide;
}

// Counts the files under folder (with its backslash); probes each one when
// asked, by its plain name as the probe gets it.
int BareWalk(const std::wstring& exact, const std::string& plain, bool probe) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((exact + L"*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    if (IsDots(data.cFileName)) continue;
    char name[MAX_PATH * 2] = {};
    if (probe) WideCharToMultiByte(CP_ACP, 0, data.cFileName, -1, name, sizeof name, nullptr, nullptr);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      count += BareWalk(exact + data.cFileName + L"\\", probe ? plain + name + "\\" : plain, probe);
      continue;
    }
    ++count;
    if (!probe) continue;
    const std::string path = plain + name;
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
    HANDLE file = CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return count;
}

// What the process holds now: Wine keeps no true peak of its own.
std::size_t PrivateKb() {
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  return memory.PagefileUsage / 1024;
}

unsigned __stdcall Count(void* job) {
  static_cast<SystemPreviewCount*>(job)->count.Run();
  return 0;
}

// The files the preview would delete; left, those it would fail on; held,
// the most private memory seen while it counted and at its end.
int PreviewCountOf(const std::string& folder, int& left, std::size_t& held) {
  SetupData settings;
  for (bool* flag : {&settings.cleanCache, &settings.cleanCookie, &settings.cleanRecent, &settings.cleanHistory,
                     &settings.cleanTemp, &settings.cleanRecycleBin, &settings.cleanIndexEntry,
                     &settings.cleanTypedUrl, &settings.cleanMediaPlayer, &settings.cleanRealPlayer,
                     &settings.cleanRealOne}) {
    *flag = false;
  }
  UserEntry entry;
  entry.name = "bench";
  entry.includeSubfolders = true;
  entry.dirs = {"Dir:" + folder};
  settings.AddEntry(entry);
  SystemPreviewCount job(settings);
  const auto thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Count, &job, 0, nullptr));
  if (thread == nullptr) return -1;
  while (WaitForSingleObject(thread, 100) == WAIT_TIMEOUT) {
    job.count.Now();
    held = std::max(held, PrivateKb());
  }
  CloseHandle(thread);
  held = std::max(held, PrivateKb());
  RemovalTally total;
  for (const StepTally& step : job.count.Steps()) total.Add(step.tally);
  left = static_cast<int>(total.filesLeft);
  return static_cast<int>(total.files);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: preview_count_bench preview|bare|walk FOLDER\n");
    return 2;
  }
  const std::string mode = argv[1];
  std::string folder = argv[2];
  if (folder.back() != '\\') folder += '\\';
  int counted = 0;
  int left = 0;
  std::size_t held = 0;
  const bench::Stopwatch watch;
  if (mode == "preview") {
    counted = PreviewCountOf(folder, left, held);
  } else if (mode == "bare") {
    counted = BareWalk(L"\\\\?\\" + Wide(folder), folder, false);
    if (BareWalk(L"\\\\?\\" + Wide(folder), folder, true) != counted) return 1;
  } else if (mode == "walk") {
    counted = BareWalk(L"\\\\?\\" + Wide(folder), folder, false);
  } else {
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 2;
  }
  const double seconds = watch.Seconds();
  bench::PrintFigures(mode,
                      "counted=" + std::to_string(counted) + " left=" + std::to_string(left) +
                          " held_private_kb=" + std::to_string(held),
                      seconds);
  return 0;
}
