// A control's font as it is persisted: face, size in points and effects,
// with the text form "Verdana, 9.75, bold italic underline strikeout".
#pragma once

#include "support/win32/unique_handle.h"

#include <optional>
#include <string>
#include <string_view>

namespace vellumark::controls {

struct FontDescription {
  std::string name = "MS Shell Dlg";
  double size = 8;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;

  bool operator==(const FontDescription&) const = default;

  std::string ToText() const;
  // nullopt when the text is not of the form above or the size is not in 1..1638.
  static std::optional<FontDescription> FromText(std::string_view text);
};

// The font at `dpi` (height -size * dpi / 72, rounded); null on failure.
win32::UniqueFont CreateFontFromDescription(const FontDescription& description, int dpi);

// The face and point size of an existing font shown at `dpi` (effects are
// left at their defaults).
FontDescription FontDescriptionOf(HFONT font, int dpi);

}  // namespace vellumark::controls
