// ASCII-only text helpers: letter case that leaves every other byte as it
// is, trimming, hex digits, and "%HH" escapes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vellumark::ascii {

// 'A' to 'Z' as 'a' to 'z'; any other byte unchanged.
constexpr char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// `text` with 'A' to 'Z' as 'a' to 'z'.
inline std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = Lower(c);
  return lowered;
}

// `text` without the bytes of `blanks` at its start and end.
constexpr std::string_view Trimmed(std::string_view text, std::string_view blanks) {
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Equal once ASCII letters are folded ("Http" matches "hTTP", "\xC3\x89" only itself).
constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// 0 to 15 for a hex digit of either case, -1 for anything else.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// True when `text` holds "%HH" (two hex digits) at `at`.
constexpr bool IsPercentEscape(std::string_view text, std::size_t at) {
  return at + 2 < text.size() && text[at] == '%' && HexDigitValue(text[at + 1]) >= 0 && HexDigitValue(text[at + 2]) >= 0;
}

// Every "%HH" replaced by the byte HH; any other "%" stays ("%41%g" gives "A%g").
inline std::string PercentDecoded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsPercentEscape(text, i)) {
      out += static_cast<char>(HexDigitValue(text[i + 1]) << 4 | HexDigitValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace vellumark::ascii
