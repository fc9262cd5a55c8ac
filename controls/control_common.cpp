#include "controls/control_common.h"

#include "controls/dpi.h"
#include "support/win32/system_colors.h"

#include <commctrl.h>

namespace vellumark::controls {

COLORREF ToRgb(std::uint32_t color, COLORREF fallback) {
  const std::int32_t rgb = TranslateColor(color);
  return rgb < 0 ? fallback : static_cast<COLORREF>(rgb);
}

RECT ScaledBounds(HWND parent, const RECT& bounds) {
  const int dpi = DpiForWindow(parent);
  return RECT{Scale(bounds.left, dpi), Scale(bounds.top, dpi), Scale(bounds.right, dpi), Scale(bounds.bottom, dpi)};
}

bool InitCommonControlClasses(DWORD classes) {
  INITCOMMONCONTROLSEX init{sizeof init, classes};
  return ::InitCommonControlsEx(&init) != FALSE;
}

}  // namespace vellumark::controls
