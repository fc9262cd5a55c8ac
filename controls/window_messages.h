// The program's own window messages, numbered from WM_APP.
#pragma once

#include "support/win32/windows_gate.h"

namespace vellumark::controls {

// Sent by the message loop to the focused window before a key message is
// translated or handed to dialog navigation. wParam: the virtual key. It
// carries no pointer, as any process on the desktop can send it. Answer a
// KeyRoute value; windows that do not know the message answer 0
// (kKeyNotWanted).
inline constexpr UINT kPreTranslateKey = WM_APP + 1;

enum KeyRoute : LRESULT {
  kKeyNotWanted = 0,    // normal handling: dialog navigation, then dispatch
  kKeyDispatch = 1,     // dispatch to the focused window, skipping dialog navigation
  kKeyHandled = 2,      // the control has handled it; the loop drops it
};

// Child messages not in the system headers of our build target.
inline constexpr UINT kDpiChangedAfterParent = 0x02E3;  // WM_DPICHANGED_AFTERPARENT
inline constexpr UINT kDpiChanged = 0x02E0;             // WM_DPICHANGED

}  // namespace vellumark::controls
