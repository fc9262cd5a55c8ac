#include "support/formatting.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace vellumark {
namespace {

TEST(Colors, SystemColoursAreLookedUpByTheLowByteAndOtherFormsPassOrFail) {
  constexpr std::array<std::uint32_t, 3> system = {0x00C8C8C8, 0x00FF0000, 0x0012AB34};
  const std::pair<std::uint32_t, std::int32_t> cases[] = {
      {0x00123456, 0x00123456}, {0x01000005, 0x01000005}, {0x02102030, 0x02102030}, {0x80000000, 0x00C8C8C8},
      {0x80000002, 0x0012AB34}, {0x80FFFF01, 0x00FF0000}, {0x80000003, -1},         {0x800000FF, -1},
      {0x03000000, -1},         {0xFF000000, -1}};
  for (const auto& [clr, expected] : cases) EXPECT_EQ(Colors::Translate(clr, system), expected) << std::hex << clr;
  EXPECT_EQ(Colors::Translate(0x80000000, {}), -1);
}

TEST(NumberEx, ClampRoundsHalfToEvenInsideInclusiveBoundsAndDefaultsOutside) {
  struct Case { double number; std::int32_t low, high, fallback, expected; };
  const Case cases[] = {{0, 0, 1000, 7, 0},        {1000, 0, 1000, 7, 1000},   {-1, 0, 1000, 7, 7},
                        {1001, 0, 1000, 7, 7},     {5, 10, 0, 7, 7},           {2.5, 0, 10, -1, 2},
                        {3.5, 0, 10, -1, 4},       {2.6, 0, 10, -1, 3},        {-2.5, -10, 10, 99, -2},
                        {999.5, 0, 1000, -1, 1000}, {1000.4, 0, 1000, -1, -1},
                        {std::numeric_limits<double>::quiet_NaN(), 0, 10, 4, 4}};
  for (const Case& c : cases) EXPECT_EQ(NumberEx::Clamp(c.number, c.low, c.high, c.fallback), c.expected) << c.number;
  EXPECT_EQ(NumberEx::Clamp(std::optional<double>{}, 0, 10, 4), 4);
  EXPECT_EQ(NumberEx::Clamp(std::optional<double>{3.0}, 0, 10, 4), 3);
}

TEST(StringEx, ExtractTakesTheTextBetweenTheFirstDelimiters) {
  const std::array<std::array<std::string_view, 4>, 12> cases = {{
      {"a[b]c", "[", "]", "b"},        {"a[b]c[d]", "[", "]", "b"}, {"x||one,many||y", "||", "||", "one,many"},
      {"[]", "[", "]", ""},            {"a]b[c", "[", "]", ""},     {"abc]", "[", "]", ""},
      {"a[bc", "[", "]", ""},          {"||only one", "||", "||", ""},
      {"|||", "||", "||", ""},  // the end is looked for after the begin only
      {"ab]c", "", "]", "ab"},         {"abc", "", "", ""},         {"", "[", "]", ""}}};
  for (const auto& [text, begin, end, expected] : cases) EXPECT_EQ(StringEx::Extract(text, begin, end), expected) << text;
}

TEST(StringEx, EnumerateKeepsNonEmptyPartsInOrder) {
  using Items = std::vector<std::string>;
  const std::tuple<std::string_view, std::string_view, bool, Items> cases[] = {
      {"|Links||News|/|", "|", true, {"Links", "News", "/"}}, {"a<>b<><>c", "<>", true, {"a", "b", "c"}},
      {"", "|", false, {}}, {"|||", "|", false, {}},
      {"whole", "", true, {"whole"}}};
  for (const auto& [text, delimiter, found, expected] : cases) {
    Items items{"stale"};
    EXPECT_EQ(StringEx::Enumerate(text, delimiter, items), found) << text;
    EXPECT_EQ(items, expected) << text;
  }
}

TEST(StringEx, CaseTestsKnowLettersBeyondAsciiAndSurviveBrokenUtf8) {
  const std::tuple<std::string_view, bool, bool> cases[] = {
      {"abc 123", true, false}, {"abC", false, false},  {"ABC-1", false, true},
      {"ABc", false, false},    {"", true, true},       {"123 !?", true, true},
      {"caf\xC3\x89", false, false}, {"caf\xC3\xA9", true, false}, {"\xD0\x96\xD0\xB6", false, false},
      {"\xCE\xA9", false, true},     {"STRA\xC3\x9F" "E", false, true},  // no one-letter upper form
      {"A\xC3", false, true},        {"\xFF\xFEz", true, false}};
  for (const auto& [text, lower, upper] : cases) {
    EXPECT_EQ(StringEx::IsLowerCase(text), lower) << text;
    EXPECT_EQ(StringEx::IsUpperCase(text), upper) << text;
  }
}

TEST(StringEx, ZTrimCutsAtNulAndReplaceAllMakesOnePass) {
  using namespace std::string_literals;
  EXPECT_EQ(StringEx::ZTrim("abc\0def"s), "abc");
  EXPECT_EQ(StringEx::ZTrim("\0abc"s), "");
  EXPECT_EQ(StringEx::ZTrim("plain"), "plain");
  EXPECT_EQ(StringEx::ReplaceAll("a%%X%%b%%X%%", "%%X%%", "%%X%%%%X%%"), "a%%X%%%%X%%b%%X%%%%X%%");
  EXPECT_EQ(StringEx::ReplaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(StringEx::ReplaceAll("abc", "", "x"), "abc");
}

TEST(FormatEx, HexPadsButNeverCutsAndPlacesTheDelimiter) {
  const std::tuple<std::int32_t, int, std::string_view, std::string_view> cases[] = {
      {31, 4, "", "001F"},   {74565, 2, "", "12345"},  {0, 0, "", "0"},        {-1, 2, "", "FFFFFFFF"},
      {-2, 10, "", "00FFFFFFFE"}, {31, 4, "0x", "0x001F"}, {31, 2, "0X", "0X1F"}, {31, 4, "H", "001FH"},
      {31, 4, "h", "001Fh"}, {31, 4, "#", "001F"}};
  for (const auto& [number, digits, delimiter, expected] : cases) {
    EXPECT_EQ(FormatEx::FormatHex(number, digits, delimiter), expected) << number << delimiter;
  }
  EXPECT_EQ(FormatEx::FormatSerialNumber(0x1234ABCD), "1234-ABCD");
  EXPECT_EQ(FormatEx::FormatSerialNumber(0x1F), "0000-001F");
  EXPECT_EQ(FormatEx::FormatSerialNumber(-1), "FFFF-FFFF");
}

TEST(FormatEx, AddressesNeedEnoughElements) {
  const std::array<std::uint8_t, 6> mac = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  EXPECT_EQ(FormatEx::FormatIP4(std::span(mac).first(4)), "0.26.43.60");
  EXPECT_EQ(FormatEx::FormatIP4(std::span(mac).first(3)), "");
  EXPECT_EQ(FormatEx::FormatMAC(mac), "00-1A-2B-3C-4D-5E");
  EXPECT_EQ(FormatEx::FormatMAC(std::span(mac).first(5)), "");
  const std::array<std::uint16_t, 9> groups = {0x2001, 0xDB8, 0, 0, 0, 0xFF00, 0x42, 0x8329, 0xFFFF};
  EXPECT_EQ(FormatEx::FormatIP6(groups), "2001:DB8:0:0:0:FF00:42:8329");
  EXPECT_EQ(FormatEx::FormatIP6(std::span(groups).first(7)), "");
}

TEST(FormatEx, MemoryInUnitsWithThousandsAndRounding) {
  const std::tuple<std::int64_t, int, std::string_view> cases[] = {
      {0, 0, "0 bytes"}, {1234567, 9, "1,234,567 bytes"}, {1536, 1, "2 KB"}, {1535, 1, "1 KB"},
      {1572864000, 1, "1,536,000 KB"}, {5LL << 30, 3, "5 GB"}, {3LL << 40, 4, "3 TB"}, {-1536, 1, "-2 KB"},
      {std::numeric_limits<std::int64_t>::min(), 0, "-9,223,372,036,854,775,808 bytes"},
      {std::numeric_limits<std::int64_t>::max(), 4, "8,388,608 TB"}};
  for (const auto& [bytes, unit, expected] : cases) EXPECT_EQ(FormatEx::FormatMemory(bytes, unit), expected) << bytes;
}

}  // namespace
}  // namespace vellumark
