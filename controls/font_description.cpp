#include "controls/font_description.h"

#include "support/ascii.h"
#include "support/win32/wide_string.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vellumark::controls {
namespace {

std::string_view Trim(std::string_view text) { return ascii::Trimmed(text, " "); }

}  // namespace

std::string FontDescription::ToText() const {
  char number[32];
  std::snprintf(number, sizeof number, "%g", size);
  std::string text = name + ", " + number;
  if (bold || italic || underline || strikeout) {
    text += ",";
    if (bold) text += " bold";
    if (italic) text += " italic";
    if (underline) text += " underline";
    if (strikeout) text += " strikeout";
  }
  return text;
}

std::optional<FontDescription> FontDescription::FromText(std::string_view text) {
  FontDescription description;
  const auto firstComma = text.find(',');
  if (firstComma == std::string_view::npos) return std::nullopt;
  description.name = std::string(Trim(text.substr(0, firstComma)));
  if (description.name.empty() || description.name.size() >= LF_FACESIZE) return std::nullopt;
  text.remove_prefix(firstComma + 1);
  const auto secondComma = text.find(',');
  const std::string size(Trim(text.substr(0, secondComma)));
  char* end = nullptr;
  description.size = std::strtod(size.c_str(), &end);
  if (size.empty() || end != size.c_str() + size.size() || !(description.size >= 1 && description.size <= 1638)) return std::nullopt;
  if (secondComma == std::string_view::npos) return description;
  std::string_view effects = text.substr(secondComma + 1);
  while (!(effects = Trim(effects)).empty()) {
    const std::string_view word = effects.substr(0, effects.find(' '));
    effects.remove_prefix(word.size());
    if (word == "bold") description.bold = true;
    else if (word == "italic") description.italic = true;
    else if (word == "underline") description.underline = true;
    else if (word == "strikeout") description.strikeout = true;
    else return std::nullopt;
  }
  return description;
}

win32::UniqueFont CreateFontFromDescription(const FontDescription& description, int dpi) {
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(description.size * dpi / 72.0));
  font.lfWeight = description.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = description.italic;
  font.lfUnderline = description.underline;
  font.lfStrikeOut = description.strikeout;
  font.lfCharSet = DEFAULT_CHARSET;
  const std::wstring face = win32::Widen(description.name);
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return win32::UniqueFont(::CreateFontIndirectW(&font));
}

FontDescription FontDescriptionOf(HFONT font, int dpi) {
  LOGFONTW logFont{};
  ::GetObjectW(font, sizeof logFont, &logFont);
  FontDescription description;
  description.name = win32::Narrow(logFont.lfFaceName);
  const int height = logFont.lfHeight < 0 ? -logFont.lfHeight : logFont.lfHeight;
  description.size = static_cast<double>(height) * 72.0 / dpi;
  return description;
}

}  // namespace vellumark::controls
