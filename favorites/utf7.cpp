#include "favorites/utf7.h"

#include "support/text_encoding.h"

namespace vellumark::text {
namespace {

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

bool IsWellFormedUtf16(std::u16string_view units) {
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 1 == units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF) return false;
      ++i;
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<std::string> Utf7ToUtf8(std::string_view utf7) {
  std::u16string units;
  std::size_t pos = 0;
  while (pos < utf7.size()) {
    const char c = utf7[pos++];
    if (static_cast<unsigned char>(c) > 0x7F) return std::nullopt;
    if (c != '+') {
      units += static_cast<char16_t>(c);
      continue;
    }
    if (pos < utf7.size() && utf7[pos] == '-') {  // "+-" is a plain "+"
      units += u'+';
      ++pos;
      continue;
    }
    std::uint32_t bits = 0;
    int bitCount = 0;
    while (pos < utf7.size() && Base64Value(utf7[pos]) >= 0) {
      bits = (bits << 6 | static_cast<std::uint32_t>(Base64Value(utf7[pos++]))) & 0xFFFFFF;
      bitCount += 6;
      if (bitCount >= 16) {
        bitCount -= 16;
        units += static_cast<char16_t>((bits >> bitCount) & 0xFFFF);
      }
    }
    // What is left over must be fewer than six zero bits.
    if (bitCount >= 6 || (bits & ((1u << bitCount) - 1)) != 0) return std::nullopt;
    if (pos < utf7.size() && utf7[pos] == '-') ++pos;
  }
  if (!IsWellFormedUtf16(units)) return std::nullopt;
  return Utf16ToUtf8(units);
}

}  // namespace vellumark::text
