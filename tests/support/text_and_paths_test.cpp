#include "support/local_date_time.h"
#include "support/path.h"
#include "support/text_encoding.h"
#include "support/wildcard.h"

#include <gtest/gtest.h>

#include <functional>

namespace vellumark {
namespace {

using Function = std::function<std::string(std::string_view)>;

TEST(TextFunctions, GiveTheExpectedResults) {
  const auto add = [](std::string_view p) { return path::AddFolderSeparator(p, '\\'); };
  const auto remove = [](std::string_view p) { return path::RemoveFolderSeparator(p, p[0] == '/' ? '/' : '\\'); };
  const auto last = [](std::string_view p) { return std::string(path::LastComponent(p, '\\')); };
  const auto parent = [](std::string_view p) { return std::string(path::ParentOf(p, p[0] == '/' ? '/' : '\\')); };
  const auto to1252 = [](std::string_view t) { return text::Utf8ToWindows1252(t); };
  const auto from1252 = [](std::string_view t) { return text::Windows1252ToUtf8(t); };
  const auto decode = [](std::string_view t) { return text::DecodeUtf8OrWindows1252(t); };
  const auto utf16 = [](std::string_view t) { return text::Utf16ToUtf8(text::Utf8ToUtf16(t)); };
  const std::tuple<Function, std::string_view, std::string_view> cases[] = {
      {add, "C:\\Data", "C:\\Data\\"}, {add, "C:\\Data\\", "C:\\Data\\"}, {add, "", ""}, {add, "a\\\\b", "a\\\\b\\"},
      {remove, "C:\\Data\\", "C:\\Data"}, {remove, "C:\\", "C:\\"}, {remove, "/", "/"},
      {last, "a\\b\\c.txt", "c.txt"}, {last, "a\\b\\", "b\\"},
      {parent, "a\\b\\c.txt", "a\\b"}, {parent, "C:\\a", "C:\\"}, {parent, "/a", "/"},
      {from1252, "\x80", "\xE2\x82\xAC"}, {from1252, "caf\xE9", "caf\xC3\xA9"}, {from1252, "\x81", "\xC2\x81"},
      {to1252, "\xE6\x97\xA5-\xF0\x9F\x98\x80", "?-?"}, {to1252, "a\xFF" "b", "a?b"},
      {decode, "caf\xE9", "caf\xC3\xA9"}, {decode, "caf\xC3\xA9", "caf\xC3\xA9"},
      {utf16, "\xF0\x9F\x98\x80x", "\xF0\x9F\x98\x80x"}};
  for (const auto& [function, input, expected] : cases) EXPECT_EQ(function(input), expected) << input;
  EXPECT_EQ(path::CountSeparators("Links\\Sub\\", '\\'), 2);
  EXPECT_EQ(text::Utf8ToUtf16("\xF0\x9F\x98\x80x"), (std::u16string{0xD83D, 0xDE00, u'x'}));
  EXPECT_EQ(text::Utf16ToUtf8(u"\xD800" "a"), "\xEF\xBF\xBD" "a");
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(text::Utf8ToWindows1252(text::Windows1252ToUtf8(all)), all);
  EXPECT_TRUE(text::FitsWindows1252(text::Windows1252ToUtf8(all)));
  EXPECT_FALSE(text::FitsWindows1252("\xE6\x97\xA5"));
}

TEST(TextChecks, AnswerTrueOnlyForTheirKind) {
  const std::tuple<std::string_view, std::string_view, bool> wildcards[] = {
      {"News.URL", "*.url", true}, {".url", "*.url", true},     {"news.urlx", "*.url", false}, {"url", "*.url", false},
      {"a.b.c", "?.*.c", true},    {"ab", "?", false},          {"anything", "*", true},       {"README", "*.*", true},
      {"a", "A.*", true},          {"ab", "a.*", false}};
  for (const auto& [name, pattern, matches] : wildcards) EXPECT_EQ(MatchesWildcard(name, pattern), matches) << name << pattern;
  // Many stars on a long name must not take exponential time.
  EXPECT_FALSE(MatchesWildcard(std::string(5000, 'a'), "*a*a*a*a*a*a*a*b"));
  const std::pair<std::string_view, bool> utf8[] = {
      {"", true}, {"\xF0\x9F\x98\x80 \xE6\x97\xA5", true}, {"\xC0\xAF", false} /* overlong "/" */,
      {"\xED\xA0\x80", false} /* surrogate */, {"\xF4\x90\x80\x80", false} /* above U+10FFFF */, {"\xE6\x97", false}};
  for (const auto& [bytes, valid] : utf8) EXPECT_EQ(text::IsValidUtf8(bytes), valid) << bytes;
}

TEST(LocalDateTimes, ConvertBothWaysWithTheOffsetAndReadBackTheirTextForm) {
  const LocalDateTime leap{2024, 2, 29, 23, 59, 59};
  EXPECT_EQ(SecondsSinceEpoch(leap), 1709251199);
  EXPECT_EQ(DateTimeFromSeconds(1709251199), leap);
  EXPECT_EQ(DateTimeFromSeconds(-1), (LocalDateTime{1969, 12, 31, 23, 59, 59}));
  // 23:30 UTC is the next day at +60 minutes.
  EXPECT_EQ(ToLocal(1709249400, 60), (LocalDateTime{2024, 3, 1, 0, 30, 0}));
  EXPECT_EQ(ToUtc(ToLocal(1709249400, -330), -330), 1709249400);
  const LocalDateTime value{2003, 7, 4, 9, 5, 1};
  EXPECT_EQ(FormatDateTime(value), "2003-07-04 09:05:01");
  EXPECT_EQ(ParseDateTime("2003-07-04 09:05:01"), value);
  for (const char* bad : {"2003-07-04 09:05", "2003-07-04T09:05:01", "2003-07-04 09:05:01x"}) EXPECT_FALSE(ParseDateTime(bad));
}

}  // namespace
}  // namespace vellumark
