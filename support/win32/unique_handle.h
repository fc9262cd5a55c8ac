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

}  // namespace vellumark::win32
