// What the program's windows share: the system's message font at a DPI,
// centring on the owner, modal dialogs whose controls are made in code and
// their procedures, and the busy pointer (Windows build only).
#pragma once

#include "support/win32/unique_handle.h"
#include "support/win32/windows_gate.h"

namespace vellumark::win32 {

// The description of the system's message font (the font of dialogs) at
// `dpi`. Where the system cannot give it for a DPI, its font for the screen
// scaled to `dpi`; where it cannot give that either, the stock GUI font so
// scaled.
LOGFONTW MessageLogFont(int dpi);

// The font MessageLogFont(dpi) describes; null when it cannot be made.
UniqueFont MessageFont(int dpi);

// Moves `window` so that it stands centred on `owner`, kept inside the work
// area of the owner's monitor (the window's own when `owner` is null). With
// no owner, or one hidden or minimized, it is centred on that work area.
// Its size and Z order stay as they are.
void CentreOnOwner(HWND window, HWND owner);

// Shows a modal dialog with a caption, a system menu and no controls, and
// returns what EndDialog was given (-1 when it could not be shown).
// `procedure` gets `parameter` with WM_INITDIALOG and creates and places
// the controls there, so they are laid out at the window's real DPI.
INT_PTR ShowControllessDialog(HINSTANCE instance, HWND owner, DLGPROC procedure, LPARAM parameter);

// The body of a dialog procedure that hands each message to the object
// given as the WM_INITDIALOG parameter: its member `window` holds the
// dialog from WM_INITDIALOG until WM_NCDESTROY, and `handle` answers every
// message in between.
template <typename Form>
INT_PTR DispatchToForm(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, HWND Form::*window,
                       INT_PTR (Form::*handle)(UINT, WPARAM, LPARAM)) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    reinterpret_cast<Form*>(lParam)->*window = dialog;
  }
  auto* self = reinterpret_cast<Form*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  if (self == nullptr) return FALSE;
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(dialog, DWLP_USER, 0);
    self->*window = nullptr;
    return FALSE;
  }
  return (self->*handle)(message, wParam, lParam);
}

// The hourglass for the life of the object, then the normal pointer.
class BusyPointer {
 public:
  BusyPointer() { ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT)); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
  ~BusyPointer() { ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW)); }
};

}  // namespace vellumark::win32
