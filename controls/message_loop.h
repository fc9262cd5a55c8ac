// The program's message loop. Before dialog navigation sees a key, the
// focused window is asked (kPreTranslateKey) whether it wants Enter, Tab,
// Escape, Space or a navigation key for itself; so a focused custom control
// gets those keys even on a form that navigates like a dialog.
#pragma once

#include "support/win32/windows_gate.h"

namespace vellumark::controls {

// True when `message` is fully handled (by the focused control or by
// dialog navigation within `dialogWindow`, which may be null) and must not be
// translated and dispatched again.
bool PreTranslateMessage(HWND dialogWindow, MSG& message);

// Runs the thread's messages through PreTranslateMessage, then
// TranslateMessage/DispatchMessageW, until WM_QUIT; returns its exit code.
int RunMessageLoop(HWND dialogWindow);

}  // namespace vellumark::controls
