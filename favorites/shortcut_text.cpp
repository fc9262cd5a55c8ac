#include "favorites/shortcut_text.h"

#include "support/text_encoding.h"

namespace vellumark {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

std::u16string Utf16Units(std::string_view bytes, bool bigEndian) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    units[i] = static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
  }
  return units;
}

std::string Utf16Bytes(std::u16string_view units, bool bigEndian) {
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (char16_t unit : units) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

}  // namespace

ShortcutText DecodeShortcutText(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) {
    bytes.remove_prefix(kUtf8Bom.size());
    return {text::Utf16ToUtf8(text::Utf8ToUtf16(bytes)), TextForm::kUtf8WithBom};
  }
  if (bytes.starts_with(kUtf16LeBom)) {
    return {text::Utf16ToUtf8(Utf16Units(bytes.substr(2), false)), TextForm::kUtf16LeWithBom};
  }
  if (bytes.starts_with(kUtf16BeBom)) {
    return {text::Utf16ToUtf8(Utf16Units(bytes.substr(2), true)), TextForm::kUtf16BeWithBom};
  }
  if (text::IsValidUtf8(bytes)) return {std::string(bytes), TextForm::kUtf8};
  return {text::Windows1252ToUtf8(bytes), TextForm::kWindows1252};
}

std::optional<std::string> EncodeShortcutText(std::string_view text, TextForm form) {
  switch (form) {
    case TextForm::kWindows1252:
      if (!text::FitsWindows1252(text)) return std::nullopt;
      return text::Utf8ToWindows1252(text);
    case TextForm::kUtf8:
      return std::string(text);
    case TextForm::kUtf8WithBom:
      return std::string(kUtf8Bom) + std::string(text);
    case TextForm::kUtf16LeWithBom:
      return std::string(kUtf16LeBom) + Utf16Bytes(text::Utf8ToUtf16(text), false);
    case TextForm::kUtf16BeWithBom:
      return std::string(kUtf16BeBom) + Utf16Bytes(text::Utf8ToUtf16(text), true);
  }
  return std::nullopt;
}

}  // namespace vellumark
