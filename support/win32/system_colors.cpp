#include "support/win32/system_colors.h"

#include "support/formatting.h"
#include "support/win32/windows_gate.h"

#include <array>

namespace vellumark {

std::int32_t TranslateColor(std::uint32_t clr, std::uint32_t hpal) {
  // Indices 0 (COLOR_SCROLLBAR) to 30 (COLOR_MENUBAR).
  std::array<std::uint32_t, 31> table{};
  for (std::size_t i = 0; i < table.size(); ++i) table[i] = ::GetSysColor(static_cast<int>(i));
  const std::int32_t translated = Colors::Translate(clr, table);
  if (translated == -1 || hpal == 0) return translated;
  const auto palette = reinterpret_cast<HPALETTE>(static_cast<std::uintptr_t>(hpal));
  switch (clr >> 24) {
    case 0x00:
      return static_cast<std::int32_t>(clr | 0x02000000);
    case 0x01: {
      PALETTEENTRY entry{};
      return ::GetPaletteEntries(palette, clr & 0xFFFF, 1, &entry) == 1 ? translated : -1;
    }
    default:
      return translated;
  }
}

}  // namespace vellumark
