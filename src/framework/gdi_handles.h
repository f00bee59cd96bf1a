#pragma once
// Owning wrappers for GDI objects and device contexts. Every pen, brush,
// bitmap and DC the windows make lives in one of these, so a paint handler
// cannot leak one on an early return.

#include <windows.h>

namespace vantrel {

// A pen, brush, bitmap, font or region that is deleted with the wrapper.
template <class Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle handle = nullptr) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : handle_(other.Release()) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  explicit operator bool() const { return handle_ != nullptr; }
  Handle get() const { return handle_; }

  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr) DeleteObject(handle_);
    handle_ = handle;
  }
  Handle Release() {
    Handle handle = handle_;
    handle_ = nullptr;
    return handle;
  }

 private:
  Handle handle_;
};

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;
using Font = GdiObject<HFONT>;
using Region = GdiObject<HRGN>;

inline Pen SolidPen(COLORREF colour, int width = 1) { return Pen(CreatePen(PS_SOLID, width, colour)); }
inline Brush SolidBrush(COLORREF colour) { return Brush(CreateSolidBrush(colour)); }

// Selects an object into a DC for one scope and puts the old one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (old_ != nullptr && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// The client-area DC of a window (GetDC / ReleaseDC).
class ClientDC {
 public:
  explicit ClientDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ClientDC() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  ClientDC(const ClientDC&) = delete;
  ClientDC& operator=(const ClientDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The whole-window DC of a window (GetWindowDC / ReleaseDC).
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
  ~WindowDC() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint for one WM_PAINT.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDC() { EndPaint(window_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC get() const { return dc_; }
  const PAINTSTRUCT& paint() const { return paint_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_ = {};
  HDC dc_;
};

// A memory DC compatible with another (CreateCompatibleDC / DeleteDC).
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDC() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A bitmap that stays selected in a memory DC of its own, for a picture that
// is copied to the screen again and again: under Wine, selecting a bitmap
// into a DC costs ten times what the copy does.
class OffscreenImage {
 public:
  OffscreenImage() = default;
  ~OffscreenImage() { Reset(); }
  OffscreenImage(const OffscreenImage&) = delete;
  OffscreenImage& operator=(const OffscreenImage&) = delete;

  // A new image of the size, compatible with the DC; empty when the system
  // cannot make one.
  bool Create(HDC compatibleWith, SIZE size) {
    Reset();
    dc_ = CreateCompatibleDC(compatibleWith);
    bitmap_.Reset(CreateCompatibleBitmap(compatibleWith, size.cx, size.cy));
    if (dc_ == nullptr || !bitmap_) {
      Reset();
      return false;
    }
    old_ = SelectObject(dc_, bitmap_.get());
    size_ = size;
    return true;
  }
  void Reset() {
    if (dc_ != nullptr) {
      if (old_ != nullptr && old_ != HGDI_ERROR) SelectObject(dc_, old_);
      DeleteDC(dc_);
    }
    dc_ = nullptr;
    old_ = nullptr;
    bitmap_.Reset();
    size_ = SIZE{};
  }

  explicit operator bool() const { return dc_ != nullptr; }
  HDC dc() const { return dc_; }
  SIZE size() const { return size_; }

 private:
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
  Bitmap bitmap_;
  SIZE size_ = {};
};

}  // namespace vantrel
