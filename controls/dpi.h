// Per-monitor DPI: sizes in this program are given in 96-DPI units and
// scaled with the DPI of the window they are shown in.
#pragma once

#include "support/win32/windows_gate.h"

namespace vellumark::controls {

inline constexpr int kDefaultDpi = 96;

// Asks for per-monitor (v2 where available) DPI awareness for the process.
// Call before the first window is created; false when the system has no
// such mode (then the system scales the windows itself).
bool EnablePerMonitorDpiAwareness();

// The DPI the window is shown with (the system DPI on systems without
// per-monitor support).
int DpiForWindow(HWND window);

// `value96` 96-DPI units at `dpi`, rounded to the nearest pixel.
inline int Scale(int value96, int dpi) { return ::MulDiv(value96, dpi, kDefaultDpi); }

// Logical font height for a size in points at `dpi`: -points * dpi / 72.
inline int FontHeight(int points, int dpi) { return -::MulDiv(points, dpi, 72); }

}  // namespace vellumark::controls
