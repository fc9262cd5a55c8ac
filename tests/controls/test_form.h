// A hidden top-level window to put controls on in tests, and helpers to
// read what a window really shows.
#pragma once

#include "support/win32/unique_handle.h"
#include "support/win32/windows_gate.h"

#include <string>

namespace vellumark::controls::testing {

// A hidden overlapped window with a system menu and the given client size.
class TestForm {
 public:
  explicit TestForm(int clientWidth = 400, int clientHeight = 300, DWORD style = WS_OVERLAPPEDWINDOW) {
    static const ATOM atom = [] {
      WNDCLASSEXW windowClass{};
      windowClass.cbSize = sizeof windowClass;
      windowClass.lpfnWndProc = ::DefWindowProcW;
      windowClass.hInstance = ::GetModuleHandleW(nullptr);
      windowClass.lpszClassName = L"VellumarkTestForm";
      return ::RegisterClassExW(&windowClass);
    }();
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

// The client area of `window` as painted through WM_PRINTCLIENT into a
// memory bitmap; read pixels with Pixel().
class PrintedClient {
 public:
  explicit PrintedClient(HWND window) {
    ::GetClientRect(window, &client_);
    win32::WindowDc screen(nullptr);
    dc_.reset(::CreateCompatibleDC(screen.get()));
    bitmap_.reset(::CreateCompatibleBitmap(screen.get(), client_.right, client_.bottom));
    previous_ = ::SelectObject(dc_.get(), bitmap_.get());
    ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.get()), PRF_CLIENT | PRF_ERASEBKGND);
  }
  ~PrintedClient() { ::SelectObject(dc_.get(), previous_); }
  PrintedClient(const PrintedClient&) = delete;
  PrintedClient& operator=(const PrintedClient&) = delete;

  COLORREF Pixel(int x, int y) const { return ::GetPixel(dc_.get(), x, y); }
  const RECT& Client() const { return client_; }

 private:
  RECT client_{};
  win32::UniqueMemoryDc dc_;
  win32::UniqueBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace vellumark::controls::testing
