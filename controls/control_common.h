// What every control shares: how it is placed on its form, colour
// translation, and the change notification a form designer listens to.
#pragma once

#include "support/win32/windows_gate.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace vellumark::controls {

// Creation arguments of a control: its parent window and its rectangle in
// 96-DPI units, scaled with the parent's DPI when the control is created.
struct Placement {
  HWND parent = nullptr;
  RECT bounds{0, 0, 100, 24};
};

// Called with a property's key each time a setter changes the persisted
// state (for example "PanelText(0)").
using PropertyChanged = std::function<void(std::string_view key)>;

// A stored colour (plain 0x00BBGGRR or 0x80000000 | system colour index)
// as a plain colour; `fallback` when it cannot be translated.
COLORREF ToRgb(std::uint32_t color, COLORREF fallback);

// `bounds` in 96-DPI units as pixels at the DPI of `parent`.
RECT ScaledBounds(HWND parent, const RECT& bounds);

// Registers the common-control window classes named by `classes` (ICC_...)
// once per flag set; true when they are available.
bool InitCommonControlClasses(DWORD classes);

}  // namespace vellumark::controls
