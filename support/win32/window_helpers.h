// What the program's windows share: the system's message font at a DPI,
// centring on the owner, modal dialogs whose controls are made in code, and
// the busy pointer (Windows build only).
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

// The hourglass for the life of the object, then the normal pointer.
class BusyPointer {
 public:
  BusyPointer() { ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT)); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
  ~BusyPointer() { ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW)); }
};

}  // namespace vellumark::win32
