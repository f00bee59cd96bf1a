#include "engine/preview_dialog.h"

#include <commctrl.h>
#include <process.h>

#include "controls/paint_panel.h"
#include "engine/preview_count_win32.h"
#include "framework/gdi_handles.h"
#include "framework/sound.h"

namespace vantrel {

namespace {

constexpr COLORREF kPanelFill = RGB(0xFF, 0xC5, 0xFF);
constexpr COLORREF kTitleText = RGB(0x33, 0x99, 0xCC);
constexpr COLORREF kSurface = RGB(0xF8, 0xFB, 0xFB);
constexpr COLORREF kText = RGB(0x00, 0x00, 0x00);
constexpr COLORREF kButtonFace = RGB(0xEA, 0xED, 0xF4);

struct Column {
  const char* title;
  int format;
  int minimumWidth;  // pixels; the step and what it removes grow to their texts
};

// The size before the text, which is the one that may run long (a key's
// full name): a cut row then still shows its size.
constexpr Column kColumns[] = {
    {"단계", LVCFMT_LEFT, 90},
    {"크기", LVCFMT_RIGHT, 80},
    {"지울 것", LVCFMT_LEFT, 300},
};
constexpr int kSizeColumn = 1;
constexpr int kWhatColumn = 2;

void SetCell(HWND list, int row, int column, const std::string& text) {
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  if (column == 0) {
    item.mask = LVIF_TEXT;
    item.iItem = row;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  } else {
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
}

}  // namespace

struct PreviewDialog::Job : SystemPreviewCount {
  Job(HWND window, const SetupData& settings) : SystemPreviewCount(settings), window(window) {}

  HWND window;
  PreviewCount::Outcome outcome = PreviewCount::Outcome::kStopped;
  HANDLE thread = nullptr;
};

PreviewDialog::PreviewDialog(std::function<void()> startRun)
    : Dialog(IDD), startRun_(std::move(startRun)) {}

// The window, and with it the counting thread, goes before the job it uses.
PreviewDialog::~PreviewDialog() { Destroy(); }

unsigned __stdcall PreviewDialog::CountingThread(void* parameter) {
  auto* job = static_cast<Job*>(parameter);
  try {
    job->outcome = job->count.Run();
  } catch (...) {
    // Out of memory: what was counted so far is all the window can show.
  }
  PostMessageA(job->window, kCountEnded, 0, 0);
  return 0;
}

void PreviewDialog::BindControls() {
  Bind(title, IDC_PREVIEW_TITLE);
  Bind(closeButton, IDC_PREVIEW_CLOSE);
  Bind(status, IDC_PREVIEW_STATUS);
  Bind(bar, IDC_PREVIEW_BAR);
  Bind(totals, IDC_PREVIEW_TOTALS);
  Bind(cleanButton, IDC_PREVIEW_CLEAN);
  Bind(stopButton, IDC_PREVIEW_STOP);
  Bind(doneButton, IDC_PREVIEW_DONE);
}

BOOL PreviewDialog::OnInitDialog() {
  title.SetColours(kTitleText, kPanelFill);
  status.SetColours(kText, kSurface);
  totals.SetColours(kText, kSurface);
  for (HoverButton* button : {&cleanButton, &stopButton, &doneButton}) {
    button->SetColours(kText, kButtonFace);
  }
  closeButton.LoadBitmaps(IDB_CLOSE_NORMAL, IDB_CLOSE_PRESSED, IDB_CLOSE_HOVER);
  closeButton.SizeToContent();
  bar.SetRange(0, 1001);
  bar.SetPos(0);
  bar.SetBackgroundColour(RGB(0xEA, 0xED, 0xF4));
  SetUpList();
  EnableStop(false);
  return TRUE;
}

void PreviewDialog::SetUpList() {
  HWND list = Item(IDC_PREVIEW_LIST);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  SendMessageA(list, LVM_SETBKCOLOR, 0, kSurface);
  SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, kSurface);
  SendMessageA(list, LVM_SETTEXTCOLOR, 0, kText);
  for (int index = 0; index < static_cast<int>(std::size(kColumns)); ++index) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = kColumns[index].format;
    column.cx = kColumns[index].minimumWidth;
    column.pszText = const_cast<char*>(kColumns[index].title);
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
  }
}

// Columns as wide as their longest text, never narrower than at first: the
// list scrolls sideways rather than cut a path.
void PreviewDialog::FitColumns() {
  HWND list = Item(IDC_PREVIEW_LIST);
  for (int index = 0; index < static_cast<int>(std::size(kColumns)); ++index) {
    if (index == kSizeColumn) continue;
    SendMessageA(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index), LVSCW_AUTOSIZE_USEHEADER);
    const auto width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(index), 0));
    if (width < kColumns[index].minimumWidth) {
      SendMessageA(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index), kColumns[index].minimumWidth);
    }
  }
}

void PreviewDialog::Open(HWND owner, const SetupData& settings) {
  if (hwnd() == nullptr && !Create(owner)) return;
  if (IsWindowVisible(hwnd())) {
    SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(hwnd());
    return;
  }
  RECT window;
  GetWindowRect(hwnd(), &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  MoveWindow(hwnd(), (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
             (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, FALSE);
  Show(SW_SHOW);
  SetForegroundWindow(hwnd());
  Start(settings);
}

void PreviewDialog::Start(const SetupData& settings) {
  table_ = PreviewTable();
  ShowTable();
  bar.SetPos(0);
  status.SetText(CountingText(PreviewCount::Progress{}));
  job_ = std::make_unique<Job>(hwnd(), settings);
  const uintptr_t thread = _beginthreadex(nullptr, 0, &CountingThread, job_.get(), 0, nullptr);
  if (thread == 0) {
    job_.reset();
    status.SetText(OutcomeText(PreviewCount::Outcome::kStopped));
    return;
  }
  job_->thread = reinterpret_cast<HANDLE>(thread);
  EnableStop(true);
  SetTimer(hwnd(), kProgressTimer, kProgressPeriodMs, nullptr);
}

void PreviewDialog::EndJob() {
  if (!job_) return;
  job_->count.Stop();
  WaitForSingleObject(job_->thread, INFINITE);
  CloseHandle(job_->thread);
  job_->thread = nullptr;
  KillTimer(hwnd(), kProgressTimer);
  EnableStop(false);
}

void PreviewDialog::OnCountEnded() {
  // A count that was closed has gone already; its message finds no job.
  if (!job_) return;
  EndJob();
  const std::unique_ptr<Job> job = std::move(job_);
  table_ = PreviewTable(job->count.Steps());
  if (job->outcome == PreviewCount::Outcome::kCounted) bar.SetPos(1000);
  status.SetText(OutcomeText(job->outcome));
  ShowTable();
}

void PreviewDialog::Close() {
  EndJob();
  job_.reset();
  table_ = PreviewTable();
  if (hwnd() == nullptr) return;
  ShowTable();
  Hide();
}

void PreviewDialog::OnDestroy() {
  EndJob();
  job_.reset();
}

void PreviewDialog::ShowProgress() {
  if (!job_) return;
  const PreviewCount::Progress now = job_->count.Now();
  status.SetText(CountingText(now));
  bar.SetPos(now.Overall());
}

void PreviewDialog::ShowTable() {
  HWND list = Item(IDC_PREVIEW_LIST);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  int row = 0;
  for (const PreviewRow& cells : table_.Rows()) {
    SetCell(list, row, 0, cells.step);
    SetCell(list, row, kSizeColumn, cells.size);
    SetCell(list, row, kWhatColumn, cells.what);
    ++row;
  }
  FitColumns();
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  totals.SetText(table_.Empty() ? std::string() : table_.TotalsText());
}

void PreviewDialog::EnableStop(bool enabled) { EnableWindow(stopButton.hwnd(), enabled ? TRUE : FALSE); }

bool PreviewDialog::OnClicked(int id) {
  switch (id) {
    case IDC_PREVIEW_STOP:
      PlayClickSound();
      if (job_) job_->count.Stop();
      return true;
    case IDC_PREVIEW_CLEAN:
      Close();
      if (startRun_) startRun_();
      return true;
    case IDC_PREVIEW_CLOSE:
    case IDC_PREVIEW_DONE:
      PlayClickSound();
      Close();
      return true;
    default:
      return false;
  }
}

bool PreviewDialog::OnTimer(UINT_PTR id) {
  if (id != kProgressTimer) return false;
  ShowProgress();
  return true;
}

bool PreviewDialog::OnPaint() {
  PaintDC dc(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  PaintPanel(dc.get(), client, SideWindowPanelLook(kPanelFill));
  return true;
}

std::optional<LRESULT> PreviewDialog::OnNotify(int id, NMHDR& header) {
  if (id != IDC_PREVIEW_LIST || header.code != LVN_COLUMNCLICK) return std::nullopt;
  if (!job_ && !table_.Empty()) {
    table_.ToggleOrder();
    ShowTable();
  }
  return 0;
}

std::optional<LRESULT> PreviewDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCountEnded) {
    OnCountEnded();
    return 0;
  }
  return Dialog::OnMessage(message, wParam, lParam);
}

}  // namespace vantrel
