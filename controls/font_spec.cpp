#include "controls/font_spec.h"

#include "support/win32/wide_string.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vellumark::controls {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::string FontSpec::ToText() const {
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

std::optional<FontSpec> FontSpec::FromText(std::string_view text) {
  FontSpec spec;
  const auto firstComma = text.find(',');
  if (firstComma == std::string_view::npos) return std::nullopt;
  spec.name = std::string(Trim(text.substr(0, firstComma)));
  if (spec.name.empty() || spec.name.size() >= LF_FACESIZE) return std::nullopt;
  text.remove_prefix(firstComma + 1);
  const auto secondComma = text.find(',');
  const std::string size(Trim(text.substr(0, secondComma)));
  char* end = nullptr;
  spec.size = std::strtod(size.c_str(), &end);
  if (size.empty() || end != size.c_str() + size.size() || !(spec.size >= 1 && spec.size <= 1638)) return std::nullopt;
  if (secondComma == std::string_view::npos) return spec;
  std::string_view effects = text.substr(secondComma + 1);
  while (!(effects = Trim(effects)).empty()) {
    const std::string_view word = effects.substr(0, effects.find(' '));
    effects.remove_prefix(word.size());
    if (word == "bold") spec.bold = true;
    else if (word == "italic") spec.italic = true;
    else if (word == "underline") spec.underline = true;
    else if (word == "strikeout") spec.strikeout = true;
    else return std::nullopt;
  }
  return spec;
}

win32::UniqueFont CreateFontFromSpec(const FontSpec& spec, int dpi) {
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(spec.size * dpi / 72.0));
  font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = spec.italic;
  font.lfUnderline = spec.underline;
  font.lfStrikeOut = spec.strikeout;
  font.lfCharSet = DEFAULT_CHARSET;
  const std::wstring face = win32::Widen(spec.name);
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return win32::UniqueFont(::CreateFontIndirectW(&font));
}

FontSpec FontSpecOf(HFONT font, int dpi) {
  LOGFONTW description{};
  ::GetObjectW(font, sizeof description, &description);
  FontSpec spec;
  spec.name = win32::Narrow(description.lfFaceName);
  const int height = description.lfHeight < 0 ? -description.lfHeight : description.lfHeight;
  spec.size = static_cast<double>(height) * 72.0 / dpi;
  return spec;
}

}  // namespace vellumark::controls
