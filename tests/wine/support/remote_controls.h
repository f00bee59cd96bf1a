#pragma once
// Reading and driving the common controls of another program: tree views
// and list views take pointers, which must point into that program, so the
// structures are placed there (VirtualAllocEx) and read back.

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace vantrel::winetest {

// Memory in the process that owns a window; freed with the object.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, std::size_t size);
  ~RemoteBuffer();
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool Ok() const { return address_ != nullptr; }
  void* Address() const { return address_; }
  bool Write(const void* data, std::size_t size, std::size_t offset = 0);
  bool Read(void* data, std::size_t size, std::size_t offset = 0) const;

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};

// The text of a tree-view item of another program.
std::string TreeItemText(HWND tree, HTREEITEM item);
// Expands parent and returns its child whose text ends with suffix, or null.
HTREEITEM ExpandAndFindChild(HWND tree, HTREEITEM parent, const std::string& suffix);
// In the shell's folder browser: from the first root item, a path of items
// each found by the end of its text among the children of the one before
// (for example {"(B:)", "folder"} below the root's children); the last one
// is selected. False when one is missing.
bool SelectFolderInBrowser(HWND browser, const std::vector<std::string>& suffixes);

// List views of another program.
int ListViewCount(HWND list);
// The text of an item, or of one of its sub-items (the columns of a report).
std::string ListViewItemText(HWND list, int index, int subItem = 0);
// Selects and focuses item index, as a click would.
bool SelectListViewItem(HWND list, int index);

}  // namespace vantrel::winetest
