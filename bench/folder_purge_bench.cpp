// Times one way of emptying a prepared tree under Wine and prints one line of
// figures; bench/run-purge-bench.sh prepares the trees and compares the ways.
//
//   folder_purge_bench.exe MODE FOLDER
//     window CountFolderFiles + PurgeFolder as a cleaning run calls them, on
//            the progress window shown on screen
//     silent the same through FolderPurge with a view that draws nothing
//     bare   the same API calls by hand, as the file adapter makes them (the
//            W functions on \\?\ paths): a finder walk with the pump before
//            every entry, then the walk with the pump, DeleteFileW and
//            RemoveDirectoryW
//     nopump a finder walk with DeleteFileW and RemoveDirectoryW, no pump,
//            no count
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "engine/folder_purge.h"
#include "engine/folder_purge_win32.h"
#include "engine/progress_dialog.h"
#include "platform/progress_view.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/message_pump_win32.h"
#include "settings/setup_data.h"

namespace {

using namespace vantrel;

class SilentView : public ProgressView, MessageBoxes, LabelView {
 public:
  ProgressBarView& CategoryBar() override { return category_; }
  ProgressBarView& OverallBar() override { return overall_; }
  LabelView& StepLabel() override { return *this; }
  LabelView& CountLabel() override { return *this; }
  MessageBoxes& Messages() override { return *this; }
  int Show(const std::string&, const std::string&, unsigned) override { return IDOK; }
  void SetText(const std::string&) override {}

 private:
  struct Bar : ProgressBarView {
    void SetRange(int, int) override {}
    void SetPos(int position) override { last = position; }
    int last = 0;
  } category_, overall_;
};

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool IsDots(const wchar_t* name) { return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0; }

int BareCount(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    Pump();
    if (IsDots(data.cFileName)) continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      count += BareCount(folder + data.cFileName + L"\\");
    } else {
      ++count;
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return count;
}

int BarePurge(const std::wstring& folder, bool pump) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    if (pump) Pump();
    if (IsDots(data.cFileName)) continue;
    const std::wstring full = folder + data.cFileName;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      count += BarePurge(full + L"\\", pump);
      RemoveDirectoryW(full.c_str());
    } else {
      ++count;
      DeleteFileW(full.c_str());
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return count;
}

std::wstring ExactFolder(const std::string& folder) {
  std::wstring wide(folder.size(), L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, folder.data(), static_cast<int>(folder.size()),
                                         wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(length));
  return L"\\\\?\\" + wide;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: folder_purge_bench window|silent|bare|nopump FOLDER\n");
    return 2;
  }
  const std::string mode = argv[1];
  std::string folder = argv[2];
  if (folder.back() != '\\') folder += '\\';

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  int counted = 0;
  int purged = 0;
  if (mode == "window") {
    SetupData settings;
    ProgressDialog dialog;
    if (!dialog.Create(nullptr)) return 3;
    dialog.settings = &settings;
    SetWindowPos(dialog.hwnd(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(dialog.hwnd());
    dialog.CategoryBar().SetRange(0, 1001);
    dialog.OverallBar().SetRange(0, 1001);
    QueryPerformanceCounter(&start);
    counted = dialog.CountFolderFiles(folder, true);
    purged = dialog.PurgeFolder(&settings.cleanTemp, folder, true, 0, counted, 0, 1000);
    QueryPerformanceCounter(&end);
  } else if (mode == "silent") {
    Win32FileSystem files;
    Win32MessagePump pump;
    SilentView view;
    SetupData settings;
    FolderPurge purge(files, pump, view, settings, RunningSystemFolders());
    counted = purge.CountFolderFiles(folder, true);
    purged = purge.PurgeFolder(&settings.cleanTemp, folder, true, 0, counted, 0, 1000);
  } else if (mode == "bare") {
    counted = BareCount(ExactFolder(folder));
    purged = BarePurge(ExactFolder(folder), true);
  } else if (mode == "nopump") {
    purged = BarePurge(ExactFolder(folder), false);
    counted = purged;
  } else {
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 2;
  }
  if (mode != "window") QueryPerformanceCounter(&end);
  const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;

  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ticks = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  const double cpu = (ticks(kernel) + ticks(user)) / 1e7;

  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  std::printf("mode=%s counted=%d purged=%d seconds=%.3f cpu_seconds=%.3f peak_working_set_kb=%lu "
              "peak_private_kb=%lu\n",
              mode.c_str(), counted, purged, seconds, cpu,
              static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024),
              static_cast<unsigned long>(memory.PeakPagefileUsage / 1024));
  return counted == purged ? 0 : 1;
}
