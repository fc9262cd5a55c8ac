// A hidden top-level window to put controls on in tests, and helpers to
// read what a window really shows.
#pragma once

#include "support/win32/unique_handle.h"
#include "support/win32/windows_gate.h"

#include <commctrl.h>

#include <array>
#include <string>
#include <tuple>
#include <string_view>
#include <vector>

namespace vellumark::controls::testing {

// A hidden overlapped window with a system menu and the given client size.
class TestForm {
 public:
  explicit TestForm(int clientWidth = 400, int clientHeight = 300, DWORD style = WS_OVERLAPPEDWINDOW) {
    static const WNDCLASSW windowClass{0, ::DefWindowProcW, 0, 0, ::GetModuleHandleW(nullptr), nullptr, nullptr,
                                       nullptr, nullptr, L"VellumarkTestForm"};
    static const ATOM atom = ::RegisterClassW(&windowClass);
    RECT bounds{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&bounds, style, FALSE, 0);
    window_.reset(::CreateWindowExW(0, reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atom)), L"Test form", style,
                                    0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr));
  }
  HWND get() const { return window_.get(); }

 private:
  win32::UniqueWindow window_;
};

// Runs the messages waiting in this thread's queue.
inline void PumpMessages() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

// The width of `text` in the font `window` draws with (WM_GETFONT).
inline int TextWidth(HWND window, std::wstring_view text) {
  win32::WindowDc dc(window);
  win32::SelectedObject font(dc.get(), reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)));
  SIZE size{};
  ::GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

// The right edges of a status bar's parts, as the bar reports them.
inline std::vector<int> StatusParts(HWND bar) {
  std::vector<int> rights(300, 0);
  const auto count = ::SendMessageW(bar, SB_GETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
  rights.resize(static_cast<std::size_t>(count));
  return rights;
}

// The text of a status bar's part; its drawing flags (SBT_*) in `flags`.
inline std::wstring StatusText(HWND bar, int part, int* flags = nullptr) {
  std::wstring text(LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0)) + 1u, L'\0');
  const auto result = ::SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
  text.resize(LOWORD(result));
  if (flags != nullptr) *flags = HIWORD(result);
  return text;
}

// An entry of a menu as the system keeps it.
struct MenuEntry {
  UINT id;
  UINT type;   // MFT_*
  UINT state;  // MFS_*
  std::wstring text;
  bool operator==(const MenuEntry&) const = default;
};

inline std::vector<MenuEntry> MenuEntries(HMENU menu) {
  std::vector<MenuEntry> entries;
  for (UINT i = 0; i < static_cast<UINT>(::GetMenuItemCount(menu)); ++i) {
    wchar_t text[32768] = {};
    MENUITEMINFOW info{};
    std::tie(info.cbSize, info.fMask, info.dwTypeData, info.cch) =
        std::tuple(sizeof info, MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING, text, 32768);
    ::GetMenuItemInfoW(menu, i, TRUE, &info);
    entries.push_back({info.wID, info.fType, info.fState, text});
  }
  return entries;
}

// A progress bar window's low, high and position as it shows them.
inline std::array<int, 3> ProgressShown(HWND bar) {
  PBRANGE range{};
  ::SendMessageW(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  return {range.iLow, range.iHigh, static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0))};
}

// A pixel of `window`'s client area as painted through WM_PRINTCLIENT into
// a memory bitmap.
inline COLORREF PrintedPixel(HWND window, int x, int y) {
  RECT client{};
  ::GetClientRect(window, &client);
  win32::WindowDc screen(nullptr);
  win32::UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  win32::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
  win32::SelectedObject selected(dc.get(), bitmap.get());
  ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT | PRF_ERASEBKGND);
  return ::GetPixel(dc.get(), x, y);
}

}  // namespace vellumark::controls::testing
