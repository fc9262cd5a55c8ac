// Move-only owners of Win32 handles. Each kind names its close function and
// its invalid value (some APIs fail with null, others with
// INVALID_HANDLE_VALUE), so the two never mix.
#pragma once

#include "support/win32/windows_gate.h"

#include <utility>

namespace vellumark::win32 {

template <typename Handle, auto Close, auto InvalidValue>
class UniqueAny {
 public:
  UniqueAny() = default;
  explicit UniqueAny(Handle handle) : handle_(handle) {}
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;
  UniqueAny(UniqueAny&& other) noexcept : handle_(other.release()) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueAny() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid(); }

  // Closes the owned handle (keeping the caller's last-error code) and takes
  // the new one.
  void reset(Handle handle = Invalid()) {
    if (handle_ != Invalid()) {
      const DWORD lastError = ::GetLastError();
      Close(handle_);
      ::SetLastError(lastError);
    }
    handle_ = handle;
  }
  Handle release() { return std::exchange(handle_, Invalid()); }
  // Address for APIs that return a handle through an out parameter.
  Handle* put() {
    reset();
    return &handle_;
  }

 private:
  static Handle Invalid() { return reinterpret_cast<Handle>(InvalidValue); }
  Handle handle_ = Invalid();
};

inline void CloseKernelHandle(HANDLE h) { ::CloseHandle(h); }
inline void CloseFind(HANDLE h) { ::FindClose(h); }

// CreateFileW results: invalid is INVALID_HANDLE_VALUE.
using UniqueFile = UniqueAny<HANDLE, CloseKernelHandle, -1>;
// FindFirstFileW results.
using UniqueFind = UniqueAny<HANDLE, CloseFind, -1>;
// Handles that are null when invalid (events, mutexes, processes).
using UniqueHandle = UniqueAny<HANDLE, CloseKernelHandle, 0>;

inline void FreeLibraryHandle(HMODULE h) { ::FreeLibrary(h); }
// LoadLibraryW results.
using UniqueModule = UniqueAny<HMODULE, FreeLibraryHandle, 0>;

inline void DestroyWindowHandle(HWND h) { ::DestroyWindow(h); }
inline void DeleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void DestroyMenuHandle(HMENU h) { ::DestroyMenu(h); }
inline void DestroyIconHandle(HICON h) { ::DestroyIcon(h); }
inline void DeleteMemoryDc(HDC h) { ::DeleteDC(h); }

// Windows we created (child windows go with their parent, so own only the
// top of each tree or a child that may be re-created on its own).
using UniqueWindow = UniqueAny<HWND, DestroyWindowHandle, 0>;
using UniqueFont = UniqueAny<HFONT, DeleteGdiObject, 0>;
using UniqueBrush = UniqueAny<HBRUSH, DeleteGdiObject, 0>;
using UniquePen = UniqueAny<HPEN, DeleteGdiObject, 0>;
using UniqueBitmap = UniqueAny<HBITMAP, DeleteGdiObject, 0>;
using UniqueMenu = UniqueAny<HMENU, DestroyMenuHandle, 0>;
using UniqueIcon = UniqueAny<HICON, DestroyIconHandle, 0>;
// CreateCompatibleDC results.
using UniqueMemoryDc = UniqueAny<HDC, DeleteMemoryDc, 0>;

// A device context from GetDC, released to its window at the end of scope.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects a GDI object into a device context and selects the previous one
// back at the end of scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace vellumark::win32
