// Drives a modal system dialog from inside its own message loop: a thread
// timer finds the dialog window of this thread, lets the test look at it,
// then presses a button of it.
#pragma once

#include "support/win32/windows_gate.h"

#include <functional>

namespace vellumark::testing {

class DialogDriver {
 public:
  // When the dialog is up and `ready` says so, however long that takes,
  // calls `inspect` with it and then clicks the button `buttonId` (IDOK,
  // IDCANCEL). A dialog that never gets ready ends in the test's timeout.
  explicit DialogDriver(int buttonId, std::function<void(HWND dialog)> inspect = {},
                        std::function<bool(HWND dialog)> ready = {}) {
    current_ = this;
    buttonId_ = buttonId;
    inspect_ = std::move(inspect);
    ready_ = std::move(ready);
    timer_ = ::SetTimer(nullptr, 0, 100, &DialogDriver::Tick);
  }
  ~DialogDriver() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  bool Pressed() const { return pressed_; }

 private:
  static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (::IsWindowVisible(window) && std::wstring_view(className) == L"#32770") {
      *reinterpret_cast<HWND*>(found) = window;
      return FALSE;
    }
    return TRUE;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogDriver* self = current_;
    if (self == nullptr || self->pressed_) return;
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr) return;
    if (self->ready_ && !self->ready_(dialog)) return;
    self->pressed_ = true;
    if (self->inspect_) self->inspect_(dialog);
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(self->buttonId_, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, self->buttonId_)));
  }

  static inline DialogDriver* current_ = nullptr;
  int buttonId_ = IDOK;
  std::function<void(HWND)> inspect_;
  std::function<bool(HWND)> ready_;
  UINT_PTR timer_ = 0;
  bool pressed_ = false;
};

}  // namespace vellumark::testing
