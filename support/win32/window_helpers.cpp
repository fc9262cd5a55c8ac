#include "support/win32/window_helpers.h"

#include <algorithm>

namespace vellumark::win32 {
namespace {

constexpr int kDefaultDpi = 96;

// A dialog template without controls, menu, class or title.
struct alignas(DWORD) EmptyDialogTemplate {
  DLGTEMPLATE header;
  WORD menu = 0;
  WORD windowClass = 0;
  WORD title = 0;
};

}  // namespace

LOGFONTW MessageLogFont(int dpi) {
  // Looked up at run time: older systems do not have it.
  using ParametersForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  static const auto parametersForDpi = reinterpret_cast<ParametersForDpi>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SystemParametersInfoForDpi")));
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (parametersForDpi == nullptr ||
      !parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof metrics.lfMessageFont, &metrics.lfMessageFont);
    }
    WindowDc screen(nullptr);
    const int systemDpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : kDefaultDpi;
    metrics.lfMessageFont.lfHeight = ::MulDiv(metrics.lfMessageFont.lfHeight, dpi, systemDpi);
  }
  return metrics.lfMessageFont;
}

UniqueFont MessageFont(int dpi) {
  const LOGFONTW font = MessageLogFont(dpi);
  return UniqueFont(::CreateFontIndirectW(&font));
}

void CentreOnOwner(HWND window, HWND owner) {
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  ::GetMonitorInfoW(::MonitorFromWindow(owner != nullptr ? owner : window, MONITOR_DEFAULTTOPRIMARY), &info);
  RECT centre = info.rcWork;
  if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &centre);
  const LONG width = bounds.right - bounds.left;
  const LONG height = bounds.bottom - bounds.top;
  const LONG left = std::clamp((centre.left + centre.right - width) / 2, info.rcWork.left,
                               std::max(info.rcWork.left, info.rcWork.right - width));
  const LONG top = std::clamp((centre.top + centre.bottom - height) / 2, info.rcWork.top,
                              std::max(info.rcWork.top, info.rcWork.bottom - height));
  ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR ShowControllessDialog(HINSTANCE instance, HWND owner, DLGPROC procedure, LPARAM parameter) {
  EmptyDialogTemplate dialogTemplate{};
  dialogTemplate.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  return ::DialogBoxIndirectParamW(instance, &dialogTemplate.header, owner, procedure, parameter);
}

}  // namespace vellumark::win32
