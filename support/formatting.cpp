#include "support/formatting.h"

#include "support/ascii.h"

#include <cmath>
#include <cstdlib>

namespace vellumark {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string Hex(std::uint32_t value) {
  std::string digits;
  do {
    digits.insert(digits.begin(), kHexDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return digits;
}

// Decimal digits in groups of three: 1234567 -> "1,234,567".
std::string GroupThousands(std::int64_t value) {
  const bool negative = value < 0;
  std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::string text;
  int inGroup = 0;
  do {
    if (inGroup == 3) {
      text.insert(text.begin(), ',');
      inGroup = 0;
    }
    text.insert(text.begin(), static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
    ++inGroup;
  } while (magnitude != 0);
  if (negative) text.insert(text.begin(), '-');
  return text;
}

enum class LetterCase { kNone, kLower, kUpper };

LetterCase CaseOf(char32_t c) {
  if (c >= U'a' && c <= U'z') return LetterCase::kLower;
  if (c >= U'A' && c <= U'Z') return LetterCase::kUpper;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return LetterCase::kUpper;
  if (c >= 0xE0 && c <= 0xFF && c != 0xF7) return LetterCase::kLower;
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return LetterCase::kUpper;
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return LetterCase::kLower;
  if (c >= 0x400 && c <= 0x42F) return LetterCase::kUpper;
  if (c >= 0x430 && c <= 0x45F) return LetterCase::kLower;
  if (c == 0x178) return LetterCase::kUpper;
  return LetterCase::kNone;
}

// True when no character of the UTF-8 text has case `unwanted`; bytes that
// do not form a character are skipped.
bool HasNoLetterOfCase(std::string_view text, LetterCase unwanted) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) {
      ++i;
      continue;
    }
    char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
    bool wellFormed = true;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) wellFormed = false;
      c = c << 6 | (next & 0x3F);
    }
    if (!wellFormed) {
      ++i;
      continue;
    }
    if (CaseOf(c) == unwanted) return false;
    i += length;
  }
  return true;
}

}  // namespace

std::int32_t Colors::Translate(std::uint32_t clr, std::span<const std::uint32_t> systemColors) {
  switch (clr >> 24) {
    case 0x00:
    case 0x01:
    case 0x02:
      return static_cast<std::int32_t>(clr);
    case 0x80: {
      const std::size_t index = clr & 0xFF;
      return index < systemColors.size() ? static_cast<std::int32_t>(systemColors[index]) : -1;
    }
    default:
      return -1;
  }
}

std::int32_t NumberEx::Clamp(double number, std::int32_t minimum, std::int32_t maximum, std::int32_t Default) {
  if (!(number >= minimum && number <= maximum)) return Default;
  double whole = std::round(number);
  if (std::fabs(number - std::trunc(number)) == 0.5) whole = 2.0 * std::round(number / 2.0);
  return static_cast<std::int32_t>(whole);
}

std::int32_t NumberEx::Clamp(std::optional<double> number, std::int32_t minimum, std::int32_t maximum,
                             std::int32_t Default) {
  return number ? Clamp(*number, minimum, maximum, Default) : Default;
}

std::string StringEx::Extract(std::string_view buffer, std::string_view begindelimiter, std::string_view enddelimiter) {
  const std::size_t begin = buffer.find(begindelimiter);
  if (begin == std::string_view::npos) return "";
  const std::size_t start = begin + begindelimiter.size();
  const std::size_t end = buffer.find(enddelimiter, start);
  if (end == std::string_view::npos) return "";
  return std::string(buffer.substr(start, end - start));
}

bool StringEx::Enumerate(std::string_view text, std::string_view delimiter, std::vector<std::string>& items) {
  items.clear();
  if (delimiter.empty()) {
    if (!text.empty()) items.emplace_back(text);
    return !items.empty();
  }
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(delimiter, start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) items.emplace_back(text.substr(start, end - start));
    start = end + delimiter.size();
  }
  return !items.empty();
}

bool StringEx::IsLowerCase(std::string_view buffer) { return HasNoLetterOfCase(buffer, LetterCase::kUpper); }

bool StringEx::IsUpperCase(std::string_view buffer) { return HasNoLetterOfCase(buffer, LetterCase::kLower); }

std::string StringEx::ZTrim(std::string_view buffer) { return std::string(buffer.substr(0, buffer.find('\0'))); }

std::string StringEx::ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string result;
  std::size_t start = 0;
  for (std::size_t found; (found = text.find(from, start)) != std::string_view::npos; start = found + from.size()) {
    result.append(text.substr(start, found - start)).append(to);
  }
  return result.append(text.substr(start));
}

std::string FormatEx::FormatHex(std::int32_t number, int digits, std::string_view delimiter) {
  std::string hex = Hex(static_cast<std::uint32_t>(number));
  if (digits > 0 && hex.size() < static_cast<std::size_t>(digits)) hex.insert(0, digits - hex.size(), '0');
  if (ascii::EqualsIgnoringCase(delimiter, "0x")) return std::string(delimiter) + hex;
  if (ascii::EqualsIgnoringCase(delimiter, "h")) return hex + std::string(delimiter);
  return hex;
}

std::string FormatEx::FormatIP4(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 4) return "";
  std::string text;
  for (std::size_t i = 0; i < 4; ++i) {
    if (i > 0) text += '.';
    text += std::to_string(bytes[i]);
  }
  return text;
}

std::string FormatEx::FormatIP6(std::span<const std::uint16_t> groups) {
  if (groups.size() < 8) return "";
  std::string text;
  for (std::size_t i = 0; i < 8; ++i) {
    if (i > 0) text += ':';
    text += Hex(groups[i]);
  }
  return text;
}

std::string FormatEx::FormatMAC(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 6) return "";
  std::string text;
  for (std::size_t i = 0; i < 6; ++i) {
    if (i > 0) text += '-';
    text += FormatHex(bytes[i], 2);
  }
  return text;
}

std::string FormatEx::FormatMemory(std::int64_t bytes, int unit) {
  static constexpr std::string_view kUnits[] = {" KB", " MB", " GB", " TB"};
  if (unit < 1 || unit > 4) return GroupThousands(bytes) + " bytes";
  const std::int64_t divisor = std::int64_t{1} << (10 * unit);
  // Round half away from zero without overflowing near the int64 limits.
  std::int64_t quotient = bytes / divisor;
  const std::int64_t remainder = bytes % divisor;
  if (std::llabs(remainder) >= divisor / 2) quotient += bytes < 0 ? -1 : 1;
  return GroupThousands(quotient) + std::string(kUnits[unit - 1]);
}

std::string FormatEx::FormatSerialNumber(std::int32_t number) {
  const std::string hex = FormatHex(number, 8);
  return hex.substr(0, 4) + "-" + hex.substr(hex.size() - 4);
}

}  // namespace vellumark
