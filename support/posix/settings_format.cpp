#include "support/posix/settings_format.h"

#include "support/ascii.h"
#include "support/registry.h"
#include "support/registry_storage.h"
#include "support/text_encoding.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace vellumark::settings_format {
namespace {

using registry_storage::IsTextType;

// ------------------------------------------------------------ escaping

void AppendEscapedByte(std::string& out, unsigned char byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out += '%';
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0xF];
}

// Escapes control bytes, bytes that are not UTF-8, a "%" that would read as
// an escape, and whatever `alsoEscape` says must not appear literally.
template <typename Predicate>
std::string Escape(std::string_view text, Predicate alsoEscape) {
  const bool utf8 = text::IsValidUtf8(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && !utf8) || ascii::IsPercentEscape(text, i) ||
        alsoEscape(i, byte)) {
      AppendEscapedByte(out, byte);
    } else {
      out += static_cast<char>(byte);
    }
  }
  return out;
}

std::string EscapeText(std::string_view text) {
  return Escape(text, [](std::size_t, unsigned char) { return false; });
}

// Names also escape "=", and what would change the line's meaning or be
// trimmed away at their ends.
std::string EscapeName(std::string_view name) {
  return Escape(name, [&](std::size_t i, unsigned char byte) {
    const bool atEnd = i == 0 || i + 1 == name.size();
    return byte == '=' || (i == 0 && (byte == '[' || byte == '#' || byte == ';')) ||
           (atEnd && (byte == ' ' || byte == '\t'));
  });
}

// ------------------------------------------------------------ values

std::string_view TrimBlanks(std::string_view text) { return ascii::Trimmed(text, " \t"); }

struct TypeName {
  std::string_view name;
  std::uint32_t type;
};
constexpr TypeName kTypeNames[] = {{"sz", Registry::kText},
                                   {"expand_sz", Registry::kExpandableText},
                                   {"binary", Registry::kBinary},
                                   {"dword", Registry::kNumber},
                                   {"multi_sz", Registry::kTextList}};

std::optional<std::string> ParseNumber(std::string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  int base = 10;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  std::uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (negative ? magnitude > 0x80000000ULL : magnitude > 0xFFFFFFFFULL) return std::nullopt;
  const auto number = static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
  return std::string{static_cast<char>(number), static_cast<char>(number >> 8), static_cast<char>(number >> 16),
                     static_cast<char>(number >> 24)};
}

std::optional<std::string> ParseBinary(std::string_view text) {
  std::string bytes;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ',' || text[i] == ' ' || text[i] == '\t') {
      ++i;
      continue;
    }
    const int high = ascii::HexDigitValue(text[i]);
    const int low = i + 1 < text.size() ? ascii::HexDigitValue(text[i + 1]) : -1;
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high << 4 | low);
    i += 2;
  }
  return bytes;
}

// The stored bytes of a value as the registry holds them (texts with their
// terminating zero); nothing when the text does not parse.
std::optional<std::string> ParseData(std::uint32_t type, std::string_view text) {
  if (IsTextType(type)) return ascii::PercentDecoded(text) + '\0';
  if (type == Registry::kNumber) return ParseNumber(text);
  return ParseBinary(text);
}

std::string FormatData(std::uint32_t type, std::string_view bytes) {
  if (IsTextType(type)) {
    if (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);
    return EscapeText(bytes);
  }
  if (type == Registry::kNumber && bytes.size() == 4) {
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < 4; ++i) number |= std::uint32_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
    return std::to_string(static_cast<std::int32_t>(number));
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) hex += ',';
    hex += kDigits[static_cast<unsigned char>(bytes[i]) >> 4];
    hex += kDigits[bytes[i] & 0xF];
  }
  return hex;
}

std::string_view TypeToken(std::uint32_t type) {
  for (const TypeName& entry : kTypeNames) {
    if (entry.type == type) return entry.name;
  }
  return "binary";
}

}  // namespace

bool IsValidKeyPath(std::string_view path) {
  if (path.empty()) return true;
  if (path.front() == '\\' || path.back() == '\\') return false;
  return path.find("\\\\") == std::string_view::npos;
}

void ParseLine(Line& line, std::optional<std::string>& section) {
  const std::string_view text = TrimBlanks(line.text);
  if (text.empty() || text.front() == '#' || text.front() == ';') return;
  if (text.front() == '[') {
    section.reset();
    if (text.back() != ']' || text.size() < 2) return;
    std::string key = ascii::PercentDecoded(text.substr(1, text.size() - 2));
    if (!IsValidKeyPath(key)) return;
    line.kind = Line::Kind::kSection;
    line.key = key;
    section = std::move(key);
    return;
  }
  const std::size_t equals = text.find('=');
  if (!section || equals == std::string_view::npos) return;
  const std::string_view rest = TrimBlanks(text.substr(equals + 1));
  const std::size_t colon = rest.find(':');
  if (colon == std::string_view::npos) return;
  const std::string_view token = TrimBlanks(rest.substr(0, colon));
  const auto type = std::find_if(std::begin(kTypeNames), std::end(kTypeNames),
                                 [&](const TypeName& entry) { return ascii::EqualsIgnoringCase(entry.name, token); });
  if (type == std::end(kTypeNames)) return;
  // Text data runs to the end of the line as written, trailing blanks too.
  const std::string_view raw = std::string_view(line.text).substr(line.text.find('=') + 1);
  std::optional<std::string> data = ParseData(type->type, raw.substr(raw.find(':') + 1));
  if (!data) return;
  line.kind = Line::Kind::kValue;
  line.key = *section;
  line.name = ascii::PercentDecoded(TrimBlanks(text.substr(0, equals)));
  line.type = type->type;
  line.data = std::move(*data);
}

Line SectionLine(std::string_view key) {
  Line line;
  line.kind = Line::Kind::kSection;
  line.key = key;
  line.text = "[" + EscapeText(key) + "]";
  return line;
}

Line ValueLine(std::string_view key, std::string_view name, std::uint32_t type, std::string data) {
  Line line;
  line.kind = Line::Kind::kValue;
  line.key = key;
  line.name = name;
  line.type = type;
  line.text = EscapeName(name) + "=" + std::string(TypeToken(type)) + ":" + FormatData(type, data);
  line.data = std::move(data);
  return line;
}

}  // namespace vellumark::settings_format
