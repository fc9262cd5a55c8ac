// Forms whose layout, captions and control properties live in a form
// description compiled into the program's resources (RCDATA).
#pragma once

#include "controls/property_store.h"
#include "support/win32/windows_gate.h"

#include <optional>

namespace vellumark::gui {

// The form description stored as RCDATA resource `id` of the program;
// nothing when it is missing or malformed.
std::optional<controls::FormDescription> LoadFormResource(int id);

// A control's rectangle in 96-DPI units from its "Left", "Top", "Width"
// and "Height" properties.
RECT BoundsOf(const controls::PropertyStore& store);

// `bounds96` in pixels at `dpi`.
RECT ScaleBounds(const RECT& bounds96, int dpi);

}  // namespace vellumark::gui
