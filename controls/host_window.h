// The base of our own window classes: one static window procedure per class
// that binds the C++ object at WM_NCCREATE and forgets it at WM_NCDESTROY,
// and a class registration done once per process.
//
// Derived supplies:
//   static constexpr const wchar_t* kClassName;
//   static constexpr UINT kClassStyle;           (CS_... bits)
//   LRESULT HandleMessage(UINT, WPARAM, LPARAM) noexcept;
//
// Derived's destructor calls DestroyHostWindow() while its members still
// exist when it wants to see the window's last messages (WM_DESTROY) or
// its child windows go first. A window still there when only this base is
// left is destroyed without Derived: its messages go to DefWindowProcW.
#pragma once

#include "support/win32/unique_handle.h"
#include "support/win32/windows_gate.h"

namespace vellumark::controls {

// The module our window classes are registered in.
inline HINSTANCE ModuleInstance() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ModuleInstance), &module);
  return module;
}

template <typename Derived>
class HostWindow {
 public:
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND Hwnd() const { return window_.get(); }

 protected:
  HostWindow() = default;
  ~HostWindow() {
    if (window_) ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
  }

  // Creates the window as a child of `parent` (or a top-level window when
  // `parent` is null). False when the system refuses.
  bool CreateHostWindow(HWND parent, const RECT& bounds, DWORD style, DWORD exStyle = 0,
                        const wchar_t* title = L"") {
    if (!Registered()) return false;
    ::CreateWindowExW(exStyle, Derived::kClassName, title, style, bounds.left, bounds.top,
                      bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr, ModuleInstance(),
                      static_cast<Derived*>(this));
    return static_cast<bool>(window_);
  }
  void DestroyHostWindow() { window_.reset(); }

  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(window_.get(), message, wParam, lParam);
  }

 private:
  static bool Registered() {
    static const ATOM atom = [] {
      WNDCLASSEXW windowClass{};
      windowClass.cbSize = sizeof windowClass;
      windowClass.style = Derived::kClassStyle;
      windowClass.lpfnWndProc = &HostWindow::StaticProc;
      windowClass.hInstance = ModuleInstance();
      windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
      windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
      windowClass.lpszClassName = Derived::kClassName;
      return ::RegisterClassExW(&windowClass);
    }();
    return atom != 0;
  }

  static LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      self->window_.reset(window);
      ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->window_.release();
      return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
  }

  win32::UniqueWindow window_;
};

}  // namespace vellumark::controls
