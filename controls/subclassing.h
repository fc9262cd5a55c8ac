// Window subclassing: puts a procedure of ours in front of the window
// procedure of a window we did not create (the button inside a drop-down
// button, a form's window for its system menu). State lives in the object;
// the system keeps only its address with the window.
#pragma once

#include "support/win32/windows_gate.h"

#include <functional>

namespace vellumark::controls {

class Subclassing {
 public:
  // Sees every message of the window first; returns the message's result,
  // usually from Default() for what it does not handle itself.
  using Procedure = std::function<LRESULT(HWND window, UINT message, WPARAM wParam, LPARAM lParam)>;

  Subclassing() = default;
  Subclassing(const Subclassing&) = delete;
  Subclassing& operator=(const Subclassing&) = delete;
  ~Subclassing() { Destroy(); }

  // Subclasses `owner` with `procedure`. False when this object already
  // subclasses a window (nothing changes, Active() stays true) or the
  // system refuses (Active() false).
  bool Create(HWND owner, Procedure procedure);
  // Hands the window back to its previous procedure; nothing when not
  // active. Also happens by itself when the window is destroyed.
  void Destroy();

  bool Active() const { return owner_ != nullptr; }
  HWND OwnerHwnd() const { return owner_; }

  // The handling the window would have had without this subclassing.
  static LRESULT Default(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR self) noexcept;
  HWND owner_ = nullptr;
  Procedure procedure_;
};

}  // namespace vellumark::controls
