// Small stateless helpers for colours, numbers, strings and formatted text.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark {

struct Colors {
  // Turns a stored colour into a plain 0x00BBGGRR value, the way the
  // platform's colour translation does without a palette:
  // - top byte 0x00 (a plain colour), 0x01 (palette index) or 0x02
  //   (palette-relative colour) comes back as it is;
  // - top byte 0x80 names the system colour whose index is the low byte,
  //   looked up in `systemColors` (bits 8-23 are not looked at);
  // - anything else, or an index outside the table, gives -1.
  static std::int32_t Translate(std::uint32_t clr, std::span<const std::uint32_t> systemColors);
};
// The Windows build translates over the system's own table through
// TranslateColor in support/win32/system_colors.h.

struct NumberEx {
  // `number` rounded to the nearest whole number (halves to the even one)
  // when minimum <= number <= maximum, else `Default` (nothing is pulled to
  // the nearer bound). NaN gives `Default`.
  static std::int32_t Clamp(double number, std::int32_t minimum, std::int32_t maximum, std::int32_t Default);
  // A missing number gives `Default`.
  static std::int32_t Clamp(std::optional<double> number, std::int32_t minimum, std::int32_t maximum,
                            std::int32_t Default);
};

struct StringEx {
  // The text between the first `begindelimiter` and the first
  // `enddelimiter` after it; "" when either is missing. An empty begin
  // delimiter matches at the start: Extract("ab]c", "", "]") == "ab".
  static std::string Extract(std::string_view buffer, std::string_view begindelimiter, std::string_view enddelimiter);
  // Splits at every occurrence of `delimiter` and keeps the non-empty parts
  // in order; true when there is at least one. An empty delimiter keeps the
  // whole text as one part.
  static bool Enumerate(std::string_view text, std::string_view delimiter, std::vector<std::string>& items);
  // True when the UTF-8 text equals its lower (upper) case form. Case pairs
  // are known for ASCII, Latin-1, basic Greek and Cyrillic; other
  // characters count as having no case. True for "" and for text without
  // letters.
  static bool IsLowerCase(std::string_view buffer);
  static bool IsUpperCase(std::string_view buffer);
  // The part before the first NUL character; the whole text when it has none.
  static std::string ZTrim(std::string_view buffer);
  // Every occurrence of `from` replaced by `to` in one pass, left to right,
  // without rescanning what was inserted; an empty `from` changes nothing.
  static std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
};

struct FormatEx {
  // Upper-case hexadecimal (a negative number as its 32-bit two's
  // complement), padded with "0" to `digits` but never cut. A delimiter of
  // "0x" (any case) is put before the digits, "h" (any case) after them,
  // anything else is left out: FormatHex(31, 4, "0x") == "0x001F".
  static std::string FormatHex(std::int32_t number, int digits, std::string_view delimiter = "");
  // "1.2.3.4" from the first four bytes; "" for fewer than four.
  static std::string FormatIP4(std::span<const std::uint8_t> bytes);
  // The first eight groups (an IPv6 address) in upper-case hexadecimal
  // without leading zeros, joined with ":"; "" for fewer than eight.
  static std::string FormatIP6(std::span<const std::uint16_t> groups);
  // "00-1A-2B-3C-4D-5E" from the first six bytes; "" for fewer than six.
  static std::string FormatMAC(std::span<const std::uint8_t> bytes);
  // Selector 1 to 4: the count in KB, MB, GB or TB (units of 1024), rounded
  // to a whole number (halves away from zero), else the count in bytes;
  // groups of three digits separated by ",": "1,536 KB", "12 bytes".
  static std::string FormatMemory(std::int64_t bytes, int unit);
  // "1234-ABCD" from the eight hexadecimal digits of the number.
  static std::string FormatSerialNumber(std::int32_t number);
};

}  // namespace vellumark
