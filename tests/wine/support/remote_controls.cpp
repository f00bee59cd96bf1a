#include "remote_controls.h"

#include <cstddef>

namespace vantrel::winetest {

namespace {
constexpr int kBrowserTree = 14145;
constexpr std::size_t kTextSize = 1024;
}  // namespace

RemoteBuffer::RemoteBuffer(HWND window, std::size_t size) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (process_ == nullptr) return;
  address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBuffer::~RemoteBuffer() {
  if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  if (process_ != nullptr) CloseHandle(process_);
}

bool RemoteBuffer::Write(const void* data, std::size_t size, std::size_t offset) {
  return address_ != nullptr &&
         WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr) != FALSE;
}

bool RemoteBuffer::Read(void* data, std::size_t size, std::size_t offset) const {
  return address_ != nullptr &&
         ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr) != FALSE;
}

std::string TreeItemText(HWND tree, HTREEITEM item) {
  RemoteBuffer remote(tree, sizeof(TVITEMA) + kTextSize);
  if (!remote.Ok()) return std::string();
  TVITEMA request = {};
  request.mask = TVIF_TEXT;
  request.hItem = item;
  request.pszText = static_cast<char*>(remote.Address()) + sizeof(TVITEMA);
  request.cchTextMax = static_cast<int>(kTextSize);
  const char zero = 0;
  remote.Write(&request, sizeof request);
  remote.Write(&zero, 1, sizeof(TVITEMA));
  if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.Address()))) return std::string();
  std::string text(kTextSize, '\0');
  remote.Read(text.data(), kTextSize, sizeof(TVITEMA));
  text.resize(text.find('\0') == std::string::npos ? kTextSize : text.find('\0'));
  return text;
}

HTREEITEM ExpandAndFindChild(HWND tree, HTREEITEM parent, const std::string& suffix) {
  SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
  auto child = reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
  while (child != nullptr) {
    const std::string text = TreeItemText(tree, child);
    if (text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0) {
      return child;
    }
    child = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
  }
  return nullptr;
}

bool SelectFolderInBrowser(HWND browser, const std::vector<std::string>& suffixes) {
  HWND tree = GetDlgItem(browser, kBrowserTree);
  if (tree == nullptr) return false;
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  if (item == nullptr) return false;
  // The drives sit one level down (Desktop, then My Computer): look there
  // for the first step.
  HTREEITEM found = nullptr;
  SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
  for (auto child = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
       child != nullptr && found == nullptr;
       child = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)))) {
    found = ExpandAndFindChild(tree, child, suffixes.front());
    if (found == nullptr) SendMessageA(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(child));
  }
  item = found;
  for (std::size_t i = 1; item != nullptr && i < suffixes.size(); ++i) {
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    item = ExpandAndFindChild(tree, item, suffixes[i]);
  }
  if (item == nullptr) return false;
  return SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != FALSE;
}

int ListViewCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string ListViewItemText(HWND list, int index, int subItem) {
  RemoteBuffer remote(list, sizeof(LVITEMA) + kTextSize);
  if (!remote.Ok()) return std::string();
  LVITEMA request = {};
  request.iSubItem = subItem;
  request.pszText = static_cast<char*>(remote.Address()) + sizeof(LVITEMA);
  request.cchTextMax = static_cast<int>(kTextSize);
  remote.Write(&request, sizeof request);
  const auto length = SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(remote.Address()));
  std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (!text.empty()) remote.Read(text.data(), text.size(), sizeof(LVITEMA));
  return text;
}

bool SelectListViewItem(HWND list, int index) {
  RemoteBuffer remote(list, sizeof(LVITEMA));
  if (!remote.Ok()) return false;
  LVITEMA request = {};
  request.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  request.state = LVIS_SELECTED | LVIS_FOCUSED;
  remote.Write(&request, sizeof request);
  return SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(remote.Address())) != FALSE;
}

}  // namespace vantrel::winetest
