#include "support/local_date_time.h"
#include "support/path.h"
#include "support/text_encoding.h"
#include "support/wildcard.h"

#include <gtest/gtest.h>

namespace vellumark {
namespace {

TEST(PathSeparators, AddAndRemoveFollowTheFolderRules) {
  EXPECT_EQ(path::AddFolderSeparator("C:\\Data", '\\'), "C:\\Data\\");
  EXPECT_EQ(path::AddFolderSeparator("C:\\Data\\", '\\'), "C:\\Data\\");
  EXPECT_EQ(path::AddFolderSeparator("", '\\'), "");
  EXPECT_EQ(path::AddFolderSeparator("a\\\\b", '\\'), "a\\\\b\\");
  EXPECT_EQ(path::RemoveFolderSeparator("C:\\Data\\", '\\'), "C:\\Data");
  EXPECT_EQ(path::RemoveFolderSeparator("C:\\", '\\'), "C:\\");
  EXPECT_EQ(path::RemoveFolderSeparator("/", '/'), "/");
  EXPECT_EQ(path::LastComponent("a\\b\\c.txt", '\\'), "c.txt");
  EXPECT_EQ(path::LastComponent("a\\b\\", '\\'), "b\\");
  EXPECT_EQ(path::ParentOf("a\\b\\c.txt", '\\'), "a\\b");
  EXPECT_EQ(path::ParentOf("C:\\a", '\\'), "C:\\");
  EXPECT_EQ(path::ParentOf("/a", '/'), "/");
  EXPECT_EQ(path::CountSeparators("Links\\Sub\\", '\\'), 2);
}

TEST(Wildcards, MatchWithoutLetterCase) {
  const std::tuple<std::string_view, std::string_view, bool> cases[] = {
      {"News.URL", "*.url", true}, {".url", "*.url", true},     {"news.urlx", "*.url", false}, {"url", "*.url", false},
      {"a.b.c", "?.*.c", true},    {"ab", "?", false},          {"anything", "*", true},       {"README", "*.*", true},
      {"a", "A.*", true},          {"ab", "a.*", false}};
  for (const auto& [name, pattern, matches] : cases) EXPECT_EQ(MatchesWildcard(name, pattern), matches) << name << pattern;
  // Many stars on a long name must not take exponential time.
  EXPECT_FALSE(MatchesWildcard(std::string(5000, 'a'), "*a*a*a*a*a*a*a*b"));
}

TEST(TextEncoding, Windows1252RoundTripsThroughUtf8) {
  EXPECT_EQ(text::Windows1252ToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(text::Windows1252ToUtf8("caf\xE9"), "caf\xC3\xA9");
  EXPECT_EQ(text::Windows1252ToUtf8("\x81"), "\xC2\x81");
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(text::Utf8ToWindows1252(text::Windows1252ToUtf8(all)), all);
  EXPECT_TRUE(text::FitsWindows1252(text::Windows1252ToUtf8(all)));
}

TEST(TextEncoding, CharactersOutside1252AreSubstituted) {
  EXPECT_EQ(text::Utf8ToWindows1252("\xE6\x97\xA5-\xF0\x9F\x98\x80"), "?-?");
  EXPECT_FALSE(text::FitsWindows1252("\xE6\x97\xA5"));
  EXPECT_EQ(text::Utf8ToWindows1252("a\xFF" "b"), "a?b");
}

TEST(TextEncoding, Utf8ValidityRejectsMalformedSequences) {
  EXPECT_TRUE(text::IsValidUtf8(""));
  EXPECT_TRUE(text::IsValidUtf8("\xF0\x9F\x98\x80 \xE6\x97\xA5"));
  EXPECT_FALSE(text::IsValidUtf8("\xC0\xAF"));          // overlong "/"
  EXPECT_FALSE(text::IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(text::IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(text::IsValidUtf8("\xE6\x97"));          // cut short
  EXPECT_EQ(text::DecodeUtf8OrWindows1252("caf\xE9"), "caf\xC3\xA9");
  EXPECT_EQ(text::DecodeUtf8OrWindows1252("caf\xC3\xA9"), "caf\xC3\xA9");
}

TEST(TextEncoding, Utf16HandlesSurrogatePairs) {
  const std::u16string units = text::Utf8ToUtf16("\xF0\x9F\x98\x80x");
  ASSERT_EQ(units.size(), 3u);
  EXPECT_EQ(units[0], 0xD83D);
  EXPECT_EQ(units[1], 0xDE00);
  EXPECT_EQ(text::Utf16ToUtf8(units), "\xF0\x9F\x98\x80x");
  EXPECT_EQ(text::Utf16ToUtf8(u"\xD800" "a"), "\xEF\xBF\xBD" "a");
}

TEST(LocalDateTimes, ConvertBothWaysWithTheOffset) {
  const LocalDateTime leap{2024, 2, 29, 23, 59, 59};
  EXPECT_EQ(SecondsSinceEpoch(leap), 1709251199);
  EXPECT_EQ(DateTimeFromSeconds(1709251199), leap);
  EXPECT_EQ(DateTimeFromSeconds(-1), (LocalDateTime{1969, 12, 31, 23, 59, 59}));
  // 23:30 UTC is the next day at +60 minutes.
  EXPECT_EQ(ToLocal(1709249400, 60), (LocalDateTime{2024, 3, 1, 0, 30, 0}));
  EXPECT_EQ(ToUtc(ToLocal(1709249400, -330), -330), 1709249400);
}

TEST(LocalDateTimes, TextFormReadsBackToTheSecond) {
  const LocalDateTime value{2003, 7, 4, 9, 5, 1};
  EXPECT_EQ(FormatDateTime(value), "2003-07-04 09:05:01");
  EXPECT_EQ(ParseDateTime("2003-07-04 09:05:01"), value);
  EXPECT_FALSE(ParseDateTime("2003-07-04 09:05"));
  EXPECT_FALSE(ParseDateTime("2003-07-04T09:05:01"));
  EXPECT_FALSE(ParseDateTime("2003-07-04 09:05:01x"));
}

}  // namespace
}  // namespace vellumark
