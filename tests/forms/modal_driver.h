// Drives a modal window from inside its own message loop, as a person
// would: each step runs on its own tick of a thread timer, with the modal
// dialog this thread shows, so messages a step posts (keys) are handled
// before the next step. A dialog still open after the last step is a
// failure and is closed, so a test never hangs.
#pragma once

#include "support/win32/windows_gate.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vellumark::testing {

class ModalDriver {
 public:
  using Step = std::function<void(HWND dialog)>;

  explicit ModalDriver(std::vector<Step> steps) : steps_(std::move(steps)) {
    current_ = this;
    timer_ = ::SetTimer(nullptr, 0, 20, &ModalDriver::Tick);
  }
  ~ModalDriver() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  // Steps that ran (all of them when the dialog stayed open long enough).
  std::size_t StepsRun() const { return next_; }
  // The dialog the steps saw.
  HWND Dialog() const { return dialog_; }

 private:
  static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (::IsWindowVisible(window) && ::IsWindowEnabled(window) && std::wstring_view(className) == L"#32770") {
      *reinterpret_cast<HWND*>(found) = window;
      return FALSE;
    }
    return TRUE;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalDriver* self = current_;
    if (self == nullptr) return;
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr) return;
    self->dialog_ = dialog;
    if (self->next_ < self->steps_.size()) {
      const Step step = self->steps_[self->next_++];
      step(dialog);
      return;
    }
    ADD_FAILURE() << "the dialog is still open after the last step";
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }

  static inline ModalDriver* current_ = nullptr;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  HWND dialog_ = nullptr;
  UINT_PTR timer_ = 0;
};

// Reads a window's text as UTF-8.
std::string TextOf(HWND window);

// Clicks a button as the mouse does (press and release over it).
inline void Click(HWND dialog, int id) { ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Posts a key press to `window`, as the keyboard would.
inline void PressKey(HWND window, WPARAM key) {
  ::PostMessageW(window, WM_KEYDOWN, key, 1);
  ::PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

// Saves what the screen shows of `window` (frame included) as a bitmap file
// "artefacts\<name>-<dpi>dpi.bmp"; false when it could not be written.
bool SaveScreenshot(HWND window, std::string_view name);

}  // namespace vellumark::testing
