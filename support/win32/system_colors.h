// Colour translation over the system's colour table (Windows build only).
#pragma once

#include <cstdint>

namespace vellumark {

// Colors::Translate over GetSysColor's table. With a palette, a plain colour
// becomes palette-relative and a palette index must exist in the palette.
// -1 when the colour cannot be translated.
std::int32_t TranslateColor(std::uint32_t clr, std::uint32_t hpal = 0);

}  // namespace vellumark
