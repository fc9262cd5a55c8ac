#include "controls/dpi.h"

#include "support/win32/unique_handle.h"

namespace vellumark::controls {
namespace {

// user32 entry points newer than the Windows 7 API we build against.
template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

bool EnablePerMonitorDpiAwareness() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  static const auto setContext = User32Function<SetContext>("SetProcessDpiAwarenessContext");
  const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
  const auto perMonitor = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
  if (setContext != nullptr) return setContext(perMonitorV2) != FALSE || setContext(perMonitor) != FALSE;
  return ::SetProcessDPIAware() != FALSE;
}

int DpiForWindow(HWND window) {
  using GetDpi = UINT(WINAPI*)(HWND);
  static const auto getDpi = User32Function<GetDpi>("GetDpiForWindow");
  if (getDpi != nullptr && window != nullptr) {
    if (const UINT dpi = getDpi(window); dpi != 0) return static_cast<int>(dpi);
  }
  win32::WindowDc dc(window);
  const int dpi = dc ? ::GetDeviceCaps(dc.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace vellumark::controls
