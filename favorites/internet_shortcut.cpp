#include "favorites/internet_shortcut.h"

#include "favorites/ini_file.h"
#include "favorites/shortcut_text.h"
#include "favorites/utf7.h"
#include "support/text_encoding.h"

namespace vellumark {
namespace {

constexpr std::string_view kSection = "InternetShortcut";
constexpr std::string_view kUnicodeSection = "InternetShortcut.W";
constexpr std::string_view kKey = "URL";

std::string PlainUrl(std::string_view text) { return ini::ReadValue(text, kSection, kKey).value_or(""); }

std::string UrlOfText(std::string_view text) {
  std::string plain = PlainUrl(text);
  if (plain.empty()) return plain;
  const std::optional<std::string> encoded = ini::ReadValue(text, kUnicodeSection, kKey);
  if (!encoded) return plain;
  std::optional<std::string> unicode = text::Utf7ToUtf8(*encoded);
  if (!unicode || unicode->empty()) return plain;
  if (text::Windows1252ToUtf8(text::Utf8ToWindows1252(*unicode)) != plain) return plain;
  return std::move(*unicode);
}

}  // namespace

std::string ReadShortcutUrl(std::string_view bytes) { return UrlOfText(DecodeShortcutText(bytes).text); }

std::optional<std::string> CleanShortcut(std::string_view bytes) {
  const ShortcutText decoded = DecodeShortcutText(bytes);
  if (EncodeShortcutText(decoded.text, decoded.form) != bytes) return std::nullopt;
  const std::string url = PlainUrl(decoded.text);
  if (url.empty()) return std::nullopt;

  // The bare URL when it reads back unchanged; otherwise (a URL that is
  // itself quoted, or has blanks at an end) the value as it stands.
  std::string line = "URL=" + url;
  if (ini::ReadValue("[x]\n" + line, "x", kKey) != url) {
    line = "URL=" + std::string(*ini::ReadRawValue(decoded.text, kSection, kKey));
  }
  const std::optional<std::string> cleaned = ini::ReplaceSection(decoded.text, kSection, {line});
  std::optional<std::string> result = EncodeShortcutText(*cleaned, decoded.form);
  // Without the dropped lines, Windows-1252 bytes may happen to form valid
  // UTF-8 and read as another URL: such a file is left as it is.
  if (!result || ReadShortcutUrl(*result) != UrlOfText(decoded.text)) return std::nullopt;
  return result;
}

}  // namespace vellumark
