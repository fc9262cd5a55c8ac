// Drives a modal dialog of this thread from inside its own message loop, as
// a person would: a thread timer finds the dialog, waits until `ready` says
// so, then runs one step per tick, so what a step posts (keys, clicks) is
// handled before the next. A dialog that does not get ready within 20 s, or
// is still open after the last step, is a failure and is cancelled: a test
// never hangs. The destructor checks that every step ran.
#pragma once

#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vellumark::testing {

class DialogDriver {
 public:
  using Step = std::function<void(HWND dialog)>;

  explicit DialogDriver(std::vector<Step> steps, std::function<bool(HWND)> ready = {})
      : steps_(std::move(steps)), ready_(std::move(ready)) {
    current_ = this;
    timer_ = ::SetTimer(nullptr, 0, kTick, &DialogDriver::Tick);
  }
  ~DialogDriver() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
    EXPECT_EQ(next_, steps_.size()) << "steps run";
  }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // The dialog the steps saw.
  HWND Dialog() const { return dialog_; }

 private:
  static constexpr UINT kTick = 20;
  static constexpr int kPatience = 20000 / kTick;

  static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (!::IsWindowVisible(window) || !::IsWindowEnabled(window) || std::wstring_view(className) != L"#32770")
      return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }

  static void Cancel(HWND dialog, const char* why) {
    ADD_FAILURE() << why;
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogDriver* self = current_;
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (self == nullptr || dialog == nullptr) return;
    self->dialog_ = dialog;
    if (self->next_ == 0 && self->ready_ && !self->ready_(dialog)) {
      if (++self->waited_ == kPatience) Cancel(dialog, "the dialog did not get ready");
      return;
    }
    if (self->next_ < self->steps_.size()) return self->steps_[self->next_++](dialog);
    Cancel(dialog, "the dialog is still open after the last step");
  }

  static inline DialogDriver* current_ = nullptr;
  std::vector<Step> steps_;
  std::function<bool(HWND)> ready_;
  std::size_t next_ = 0;
  int waited_ = 0;
  HWND dialog_ = nullptr;
  UINT_PTR timer_ = 0;
};

// Presses the dialog's button `id` as its keyboard interface would.
inline DialogDriver::Step Press(int id) {
  return [id](HWND dialog) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
  };
}

// What `show` (which shows a dialog and returns once it is closed) returns
// when `button` is pressed in that dialog, once `ready` says so.
template <typename Show>
auto Answering(int button, Show show, std::function<bool(HWND)> ready = {}) {
  const DialogDriver driver({Press(button)}, std::move(ready));
  return show();
}

// Clicks a button as the mouse does (press and release over it).
inline void Click(HWND dialog, int id) { ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Posts a key press to `window`, as the keyboard would.
inline void PressKey(HWND window, WPARAM key) {
  ::PostMessageW(window, WM_KEYDOWN, key, 1);
  ::PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

// Whether two paths name the same file as the system compares names.
inline bool SamePath(const std::string& a, const std::string& b) {
  return ::CompareStringOrdinal(win32::Widen(a).c_str(), -1, win32::Widen(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

// A window's text as UTF-8.
inline std::string TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return win32::Narrow(text);
}

}  // namespace vellumark::testing
