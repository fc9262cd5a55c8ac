#include "support/formatting.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace vellumark {
namespace {

constexpr std::array<std::uint32_t, 3> kSystemColors = {0x00C8C8C8, 0x00FF0000, 0x0012AB34};

TEST(ColorsTranslate, PlainAndPaletteFormsComeBackAsTheyAre) {
  EXPECT_EQ(Colors::Translate(0x00123456, kSystemColors), 0x00123456);
  EXPECT_EQ(Colors::Translate(0x01000005, kSystemColors), 0x01000005);
  EXPECT_EQ(Colors::Translate(0x02102030, kSystemColors), 0x02102030);
}

TEST(ColorsTranslate, SystemColourIsLookedUpByItsIndex) {
  EXPECT_EQ(Colors::Translate(0x80000000, kSystemColors), 0x00C8C8C8);
  EXPECT_EQ(Colors::Translate(0x80000002, kSystemColors), 0x0012AB34);
  // Only the low byte is the index.
  EXPECT_EQ(Colors::Translate(0x80FFFF01, kSystemColors), 0x00FF0000);
}

TEST(ColorsTranslate, RejectedFormsGiveMinusOne) {
  EXPECT_EQ(Colors::Translate(0x80000003, kSystemColors), -1);  // past the table
  EXPECT_EQ(Colors::Translate(0x800000FF, kSystemColors), -1);
  EXPECT_EQ(Colors::Translate(0x03000000, kSystemColors), -1);
  EXPECT_EQ(Colors::Translate(0xFF000000, kSystemColors), -1);
  EXPECT_EQ(Colors::Translate(0x80000000, {}), -1);
}

TEST(NumberExClamp, BoundsAreInclusiveAndOutsideGivesTheDefault) {
  EXPECT_EQ(NumberEx::Clamp(0, 0, 1000, 7), 0);
  EXPECT_EQ(NumberEx::Clamp(1000, 0, 1000, 7), 1000);
  EXPECT_EQ(NumberEx::Clamp(-1, 0, 1000, 7), 7);
  EXPECT_EQ(NumberEx::Clamp(1001, 0, 1000, 7), 7);
  EXPECT_EQ(NumberEx::Clamp(5, 10, 0, 7), 7);
}

TEST(NumberExClamp, FractionsRoundHalfToEven) {
  EXPECT_EQ(NumberEx::Clamp(2.5, 0, 10, -1), 2);
  EXPECT_EQ(NumberEx::Clamp(3.5, 0, 10, -1), 4);
  EXPECT_EQ(NumberEx::Clamp(2.6, 0, 10, -1), 3);
  EXPECT_EQ(NumberEx::Clamp(-2.5, -10, 10, 99), -2);
  // Inside the bounds before rounding, so it rounds rather than defaults.
  EXPECT_EQ(NumberEx::Clamp(999.5, 0, 1000, -1), 1000);
  EXPECT_EQ(NumberEx::Clamp(1000.4, 0, 1000, -1), -1);
}

TEST(NumberExClamp, MissingAndNotANumberGiveTheDefault) {
  EXPECT_EQ(NumberEx::Clamp(std::optional<double>{}, 0, 10, 4), 4);
  EXPECT_EQ(NumberEx::Clamp(std::optional<double>{3.0}, 0, 10, 4), 3);
  EXPECT_EQ(NumberEx::Clamp(std::numeric_limits<double>::quiet_NaN(), 0, 10, 4), 4);
}

TEST(StringExExtract, TextBetweenTheFirstDelimiters) {
  EXPECT_EQ(StringEx::Extract("a[b]c", "[", "]"), "b");
  EXPECT_EQ(StringEx::Extract("a[b]c[d]", "[", "]"), "b");
  EXPECT_EQ(StringEx::Extract("x||one,many||y", "||", "||"), "one,many");
  EXPECT_EQ(StringEx::Extract("[]", "[", "]"), "");
}

TEST(StringExExtract, MissingOrMisplacedDelimitersGiveNothing) {
  EXPECT_EQ(StringEx::Extract("a]b[c", "[", "]"), "");
  EXPECT_EQ(StringEx::Extract("abc]", "[", "]"), "");
  EXPECT_EQ(StringEx::Extract("a[bc", "[", "]"), "");
  EXPECT_EQ(StringEx::Extract("||only one", "||", "||"), "");
  // The end delimiter is looked for after the begin delimiter only.
  EXPECT_EQ(StringEx::Extract("|||", "||", "||"), "");
}

TEST(StringExExtract, EmptyBeginDelimiterStartsAtTheFront) {
  EXPECT_EQ(StringEx::Extract("ab]c", "", "]"), "ab");
  EXPECT_EQ(StringEx::Extract("abc", "", ""), "");
}

TEST(StringExEnumerate, KeepsNonEmptyPartsInOrder) {
  std::vector<std::string> items{"stale"};
  EXPECT_TRUE(StringEx::Enumerate("|Links||News|/|", "|", items));
  EXPECT_EQ(items, (std::vector<std::string>{"Links", "News", "/"}));
  EXPECT_TRUE(StringEx::Enumerate("a<>b<><>c", "<>", items));
  EXPECT_EQ(items, (std::vector<std::string>{"a", "b", "c"}));
}

TEST(StringExEnumerate, NothingToKeepIsFalse) {
  std::vector<std::string> items{"stale"};
  EXPECT_FALSE(StringEx::Enumerate("", "|", items));
  EXPECT_TRUE(items.empty());
  EXPECT_FALSE(StringEx::Enumerate("|||", "|", items));
  EXPECT_TRUE(StringEx::Enumerate("whole", "", items));
  EXPECT_EQ(items, std::vector<std::string>{"whole"});
}

TEST(StringExCase, ComparesWithTheOtherCaseForm) {
  EXPECT_TRUE(StringEx::IsLowerCase("abc 123"));
  EXPECT_FALSE(StringEx::IsLowerCase("abC"));
  EXPECT_TRUE(StringEx::IsUpperCase("ABC-1"));
  EXPECT_FALSE(StringEx::IsUpperCase("ABc"));
  EXPECT_TRUE(StringEx::IsLowerCase(""));
  EXPECT_TRUE(StringEx::IsUpperCase("123 !?"));
  EXPECT_TRUE(StringEx::IsLowerCase("123 !?"));
}

TEST(StringExCase, KnowsLettersBeyondAscii) {
  EXPECT_FALSE(StringEx::IsLowerCase("caf\xC3\x89"));   // É
  EXPECT_TRUE(StringEx::IsLowerCase("caf\xC3\xA9"));    // é
  EXPECT_FALSE(StringEx::IsUpperCase("\xD0\x96\xD0\xB6"));  // Жж
  EXPECT_TRUE(StringEx::IsUpperCase("\xCE\xA9"));       // Ω
  EXPECT_TRUE(StringEx::IsUpperCase("STRA\xC3\x9F" "E"));  // ß has no one-letter upper form
  // Broken UTF-8 is no letter and no crash.
  EXPECT_TRUE(StringEx::IsUpperCase("A\xC3"));
  EXPECT_TRUE(StringEx::IsLowerCase("\xFF\xFEz"));
}

TEST(StringExZTrim, CutsAtTheFirstNul) {
  using namespace std::string_literals;
  EXPECT_EQ(StringEx::ZTrim("abc\0def"s), "abc");
  EXPECT_EQ(StringEx::ZTrim("\0abc"s), "");
  EXPECT_EQ(StringEx::ZTrim("plain"), "plain");
}

TEST(StringExReplaceAll, OnePassWithoutRescanningWhatWasInserted) {
  EXPECT_EQ(StringEx::ReplaceAll("a%%X%%b%%X%%", "%%X%%", "%%X%%%%X%%"), "a%%X%%%%X%%b%%X%%%%X%%");
  EXPECT_EQ(StringEx::ReplaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(StringEx::ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(StringEx::ReplaceAll("", "a", "b"), "");
}

TEST(FormatExHex, PadsButNeverCuts) {
  EXPECT_EQ(FormatEx::FormatHex(31, 4), "001F");
  EXPECT_EQ(FormatEx::FormatHex(74565, 2), "12345");
  EXPECT_EQ(FormatEx::FormatHex(0, 0), "0");
  EXPECT_EQ(FormatEx::FormatHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(FormatEx::FormatHex(-2, 10), "00FFFFFFFE");
}

TEST(FormatExHex, DelimiterPlacesAndKeepsItsCase) {
  EXPECT_EQ(FormatEx::FormatHex(31, 4, "0x"), "0x001F");
  EXPECT_EQ(FormatEx::FormatHex(31, 2, "0X"), "0X1F");
  EXPECT_EQ(FormatEx::FormatHex(31, 4, "H"), "001FH");
  EXPECT_EQ(FormatEx::FormatHex(31, 4, "h"), "001Fh");
  EXPECT_EQ(FormatEx::FormatHex(31, 4, "#"), "001F");
}

TEST(FormatExAddresses, NeedEnoughElements) {
  const std::array<std::uint8_t, 6> mac = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  EXPECT_EQ(FormatEx::FormatIP4(std::span(mac).first(4)), "0.26.43.60");
  EXPECT_EQ(FormatEx::FormatIP4(std::span(mac).first(3)), "");
  EXPECT_EQ(FormatEx::FormatMAC(mac), "00-1A-2B-3C-4D-5E");
  EXPECT_EQ(FormatEx::FormatMAC(std::span(mac).first(5)), "");
  const std::array<std::uint16_t, 9> groups = {0x2001, 0xDB8, 0, 0, 0, 0xFF00, 0x42, 0x8329, 0xFFFF};
  EXPECT_EQ(FormatEx::FormatIP6(groups), "2001:DB8:0:0:0:FF00:42:8329");
  EXPECT_EQ(FormatEx::FormatIP6(std::span(groups).first(7)), "");
}

TEST(FormatExMemory, UnitsThousandsAndRounding) {
  EXPECT_EQ(FormatEx::FormatMemory(0, 0), "0 bytes");
  EXPECT_EQ(FormatEx::FormatMemory(1234567, 9), "1,234,567 bytes");
  EXPECT_EQ(FormatEx::FormatMemory(1536, 1), "2 KB");          // 1.5 rounds up
  EXPECT_EQ(FormatEx::FormatMemory(1535, 1), "1 KB");
  EXPECT_EQ(FormatEx::FormatMemory(1572864000, 1), "1,536,000 KB");
  EXPECT_EQ(FormatEx::FormatMemory(5LL << 30, 3), "5 GB");
  EXPECT_EQ(FormatEx::FormatMemory(3LL << 40, 4), "3 TB");
  EXPECT_EQ(FormatEx::FormatMemory(-1536, 1), "-2 KB");
  EXPECT_EQ(FormatEx::FormatMemory(std::numeric_limits<std::int64_t>::min(), 0),
            "-9,223,372,036,854,775,808 bytes");
  EXPECT_EQ(FormatEx::FormatMemory(std::numeric_limits<std::int64_t>::max(), 4), "8,388,608 TB");
}

TEST(FormatExSerialNumber, TwoGroupsOfFour) {
  EXPECT_EQ(FormatEx::FormatSerialNumber(0x1234ABCD), "1234-ABCD");
  EXPECT_EQ(FormatEx::FormatSerialNumber(0x1F), "0000-001F");
  EXPECT_EQ(FormatEx::FormatSerialNumber(-1), "FFFF-FFFF");
}

}  // namespace
}  // namespace vellumark
