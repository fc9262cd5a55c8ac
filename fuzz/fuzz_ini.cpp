// The INI reader, the section rewriter and shortcut cleaning on arbitrary
// bytes. Checks: a value read is a piece of the text; a rewritten section
// reads back as written while every other section reads as before; a
// cleaned shortcut keeps its URL, its other sections and is clean already.
#include "favorites/ini_file.h"
#include "favorites/internet_shortcut.h"
#include "favorites/shortcut_text.h"
#include "fuzz/require.h"
#include "support/ascii.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace vellumark;
using fuzz::Require;

bool IsBlank(char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Folded(std::string_view name) { return ascii::Lowered(name.substr(0, name.find('\0'))); }

// (section, key) pairs as a plain scan of the lines sees them.
std::vector<std::pair<std::string, std::string>> NamesIn(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> names;
  std::string section;
  bool inSection = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    const std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty()) continue;
    const std::size_t close = line.rfind(']');
    if (line[0] == '[' && close != std::string_view::npos) {
      section = std::string(Trim(line.substr(1, close - 1)));
      inSection = section.find('\0') == std::string::npos;
      continue;
    }
    const std::string key(Trim(line.substr(0, line.find('='))));
    if (inSection && !key.empty() && key.find('\0') == std::string::npos) names.emplace_back(section, key);
  }
  return names;
}

bool IsPieceOf(std::string_view piece, std::string_view text) {
  return piece.empty() || text.find(piece) != std::string_view::npos;
}

constexpr std::array<std::string_view, 5> kSections = {"InternetShortcut", "x", "a b", "InternetShortcut.W", "Default"};
constexpr std::array<std::string_view, 4> kKeys = {"URL", "IconFile", "x", "Modified"};

void CheckReaderAndRewriter(std::string_view text, std::string_view section, std::string_view key) {
  const std::optional<std::string_view> raw = ini::ReadRawValue(text, section, key);
  if (raw) {
    Require(raw->data() >= text.data() && raw->data() + raw->size() <= text.data() + text.size(),
            "raw value lies inside the text");
  }
  const std::optional<std::string> value = ini::ReadValue(text, section, key);
  Require(value.has_value() == raw.has_value(), "value and raw value agree on presence");
  if (value) Require(IsPieceOf(*value, text), "value is a piece of the text");

  const std::optional<std::string> rewritten = ini::ReplaceSection(text, section, {"Key=new value", "Other"});
  if (!rewritten) return;
  Require(ini::ReadValue(*rewritten, section, "Key") == "new value", "rewritten section reads back");
  Require(!ini::ReadValue(*rewritten, section, "Other"), "a key without = has no value");
  for (const auto& [otherSection, otherKey] : NamesIn(text)) {
    if (Folded(otherSection) == Folded(section)) continue;
    Require(ini::ReadValue(*rewritten, otherSection, otherKey) == ini::ReadValue(text, otherSection, otherKey),
            "other sections read as before");
  }
}

void CheckCleaning(std::string_view bytes) {
  const std::string url = ReadShortcutUrl(bytes);
  const std::optional<std::string> cleaned = CleanShortcut(bytes);
  if (!cleaned) return;
  Require(!url.empty(), "only a shortcut with a URL is cleaned");
  Require(ReadShortcutUrl(*cleaned) == url, "cleaned shortcut keeps its URL");
  Require(CleanShortcut(*cleaned) == *cleaned, "cleaning is idempotent");
  const ShortcutText before = DecodeShortcutText(bytes);
  const ShortcutText after = DecodeShortcutText(*cleaned);
  // Files with a byte-order mark keep it; the others keep their bytes, which
  // may read as UTF-8 once odd lines are gone (the URL was checked above).
  const bool marked = before.form != TextForm::kWindows1252 && before.form != TextForm::kUtf8;
  if (marked) Require(after.form == before.form, "cleaned shortcut keeps its byte-order mark");
  const std::string_view beforeText = marked ? std::string_view(before.text) : bytes;
  const std::string_view afterText = marked ? std::string_view(after.text) : std::string_view(*cleaned);
  for (const auto& [section, key] : NamesIn(beforeText)) {
    if (Folded(section) == "internetshortcut") continue;
    Require(ini::ReadValue(afterText, section, key) == ini::ReadValue(beforeText, section, key),
            "cleaning keeps every other section");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string_view section = kSections[data[0] % kSections.size()];
  const std::string_view key = kKeys[data[1] % kKeys.size()];
  const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
  CheckReaderAndRewriter(text, section, key);
  CheckCleaning(text);
  return 0;
}
