// Reading and cleaning shortcut files: the INI reader's rules, the text
// forms, UTF-7 and the ".W" copy of the URL.
#include "favorites/ini_file.h"
#include "favorites/internet_shortcut.h"
#include "favorites/shortcut_text.h"
#include "favorites/utf7.h"

#include <gtest/gtest.h>

#include <string>

namespace vellumark {
namespace {

using namespace std::string_literals;

std::string Url(std::string_view bytes) { return ReadShortcutUrl(bytes); }

// Each shortcut's bytes with the URL read from them.
TEST(ShortcutUrl, FollowsTheIniRulesEncodingsAndTheUnicodeCopy) {
  const std::string url = "http://example.com/" + std::string(1981, 'x');
  const std::string huge(1 << 20, 'y');
  std::string binary;
  for (int i = 0; i < 70000; ++i) binary += static_cast<char>((i * 7919) % 256);
  const std::string le = "\xFF\xFE[\0I\0n\0t\0e\0r\0n\0e\0t\0S\0h\0o\0r\0t\0c\0u\0t\0]\0\n\0U\0R\0L\0=\0x\0\xE5\x65"s;
  const std::string be = "\xFE\xFF\0[\0I\0n\0t\0e\0r\0n\0e\0t\0S\0h\0o\0r\0t\0c\0u\0t\0]\0\n\0U\0R\0L\0=\0x\xD8\x3D\xDE\x00"s;
  const std::string file =
      "[InternetShortcut]\r\nURL=http://?\?/\xE9\r\n[InternetShortcut.W]\r\nURL=http://+ZeVnLA-/+AOk-\r\n";
  const std::pair<std::string, std::string> cases[] = {
      {"[InternetShortcut]\r\nURL=http://a/\r\n", "http://a/"}, {"[INTERNETSHORTCUT]\nUrL=http://a/", "http://a/"},
      // The first key wins, and only the first section is looked at.
      {"[InternetShortcut]\nURL=http://first/\nURL=http://second/\n", "http://first/"},
      {"[InternetShortcut]\nIconIndex=1\n[InternetShortcut]\nURL=http://second/\n", ""},
      // A key without "=" is still the first match and has no value.
      {"[InternetShortcut]\nURL\nURL=http://a/\n", ""},
      // Other sections and keys that only start alike do not count.
      {"[Other]\nURL=http://other/\n[InternetShortcut]\nURLs=x\nURL=http://a/\n", "http://a/"},
      {"URL=http://before/\n[InternetShortcut]\n", ""}, {"[InternetShortcutX]\nURL=http://a/\n", ""},
      // Letters whose lower case is ASCII ("\u0130", Kelvin sign) do not match.
      {"[\xC4\xB0nternetShortcut]\nURL=http://a/\n", ""}, {"[InternetShortcut]\rURL=http://cr/\r", "http://cr/"},
      {"\r\n\r\n  [InternetShortcut]  junk\r\n\t URL \t=  http://a/ b \t\r\n", "http://a/ b"},
      {"[InternetShortcut]\nURL=http://z/\x1A\n", "http://z/"}, {"[ InternetShortcut\t]\nURL=http://a/\n", "http://a/"},
      // The name runs to the last "]" of the line.
      {"[InternetShortcut]x\nURL=http://a/\n", "http://a/"}, {"[InternetShortcut]x]\nURL=http://a/\n", ""},
      // Only the C blanks are trimmed, not the Unicode spaces.
      {"[InternetShortcut]\nURL=\xC2\xA0http://a/\xE3\x80\x80\n", "\xC2\xA0http://a/\xE3\x80\x80"},
      // A "[" line without "]" is an ordinary key line, not a new section.
      {"[InternetShortcut]\n[broken\nURL=http://a/\n", "http://a/"},
      // No comment lines: ";URL" is just another key.
      {"[InternetShortcut]\n;URL=http://comment/\nURL=http://a/\n", "http://a/"},
      {"[InternetShortcut]\nURL=\"http://a/\"\n", "http://a/"},
      {"[InternetShortcut]\nURL=\"'http://a/'\"\n", "'http://a/'"},
      {"[InternetShortcut]\nURL=\"http://a/'\n", "\"http://a/'"}, {"[InternetShortcut]\nURL=\"\"\n", ""},
      {"[InternetShortcut]\nURL=http://a/\0junk\n"s, "http://a/"},
      {"[InternetShortcut\0x]\nURL\0y=http://a/\n"s, "http://a/"}, {"[InternetShortcut]\nURL=\0http://a/\n"s, ""},
      {"[InternetShortcut]\r\nURL=" + url + "\r\n", url}, {"[InternetShortcut]\nURL=" + huge, huge}, {"", ""},
      {binary, ""}, {binary + "\n[InternetShortcut]\nURL=http://after/\n", "http://after/"},
      {"[InternetShortcut]\nURL=http://caf\xC3\xA9/\n", "http://caf\xC3\xA9/"},
      {"[InternetShortcut]\nURL=http://caf\xE9/\x80\n", "http://caf\xC3\xA9/\xE2\x82\xAC"},
      {"\xEF\xBB\xBF[InternetShortcut]\nURL=http://\xE6\x97\xA5/\n", "http://\xE6\x97\xA5/"}, {le, "x\xE6\x97\xA5"},
      {be, "x\xF0\x9F\x98\x80"},
      // "http://日本/é": the plain copy has "?" for what 1252 lacks.
      {file, "http://\xE6\x97\xA5\xE6\x9C\xAC/\xC3\xA9"},
      // Order of the sections does not matter.
      {"[InternetShortcut.W]\nURL=+ZeU-\n[InternetShortcut]\nURL=?\n", "\xE6\x97\xA5"},
      {"[InternetShortcut]\nURL=http://new/\n[InternetShortcut.W]\nURL=http://old/\n", "http://new/"},
      {"[InternetShortcut]\nURL=http://x/\n[InternetShortcut.W]\nURL=+AOl-\n", "http://x/"},
      {"[InternetShortcut]\nURL=?\n[InternetShortcut.W]\nURL=\n", "?"},
      // Without a plain URL the shortcut has none, whatever the copy holds.
      {"[InternetShortcut]\n[InternetShortcut.W]\nURL=http://w/\n", ""},
      // A plain URL with real characters is not replaced by a "?" look-alike.
      {"[InternetShortcut]\nURL=\xE6\x97\xA5\n[InternetShortcut.W]\nURL=+ZeU-\n", "\xE6\x97\xA5"},
  };
  for (const auto& [bytes, expected] : cases) EXPECT_EQ(Url(bytes), expected) << bytes.substr(0, 80);
}

TEST(ShortcutEncodings, RoundTripsEveryForm) {
  const std::string text = "[InternetShortcut]\r\nURL=http://\xC3\xA9\xE2\x82\xAC/\r\n";
  for (TextForm form : {TextForm::kWindows1252, TextForm::kUtf8, TextForm::kUtf8WithBom, TextForm::kUtf16LeWithBom,
                        TextForm::kUtf16BeWithBom}) {
    const std::optional<std::string> bytes = EncodeShortcutText(text, form);
    ASSERT_TRUE(bytes);
    const ShortcutText decoded = DecodeShortcutText(*bytes);
    EXPECT_EQ(decoded.text, text);
    EXPECT_EQ(decoded.form, form);
  }
  EXPECT_EQ(EncodeShortcutText("\xE6\x97\xA5", TextForm::kWindows1252), std::nullopt);
}

TEST(Utf7, DecodesDirectAndBase64RunsAndRejectsMalformedText) {
  const std::pair<std::string_view, std::optional<std::string>> cases[] = {
      {"http://a/b?c=d", "http://a/b?c=d"}, {"1 +- 1", "1 + 1"}, {"Hi Mom -+Jjo--!", "Hi Mom -\xE2\x98\xBA-!"},
      {"+ZeVnLIqe-", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"}, {"a+2D3eAA.b", "a\xF0\x9F\x98\x80.b"},
      {"+AOk", "\xC3\xA9"}, {"caf\xC3\xA9", std::nullopt},
      {"+AOl-", std::nullopt},   // stray bits set
      {"+AOkA-", std::nullopt},  // six bits left over
      {"+2D0-", std::nullopt}};  // lone surrogate
  for (const auto& [text, expected] : cases) EXPECT_EQ(text::Utf7ToUtf8(text), expected) << text;
}

// Cleaning keeps the URL line and every other section, in the file's own
// encoding; it is idempotent and leaves files it cannot read whole alone.
TEST(CleanShortcut, KeepsOnlyTheUrlLineOfItsSection) {
  const std::string le = "\xFF\xFE[\0I\0n\0t\0e\0r\0n\0e\0t\0S\0h\0o\0r\0t\0c\0u\0t\0]\0\n\0U\0R\0L\0=\0x\0\n\0"s;
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {"[DEFAULT]\r\nBASEURL=http://a/\r\n[InternetShortcut]\r\nIconIndex=0\r\nURL=http://a/\r\n"
       "IDList=\r\n\r\n[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,2\r\n",
       "[DEFAULT]\r\nBASEURL=http://a/\r\n[InternetShortcut]\r\nURL=http://a/\r\n"
       "[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,2\r\n"},
      {"[InternetShortcut]\nURL=http://b/\nHotKey=0", "[InternetShortcut]\nURL=http://b/\n"},
      {"  [internetshortcut]\rurl = 'http://c/'\r", "  [internetshortcut]\rURL=http://c/\r"},
      {"[InternetShortcut]\r\nURL=http://d/", "[InternetShortcut]\r\nURL=http://d/\r\n"},
      {"[InternetShortcut]\nURL=\"'quoted'\"\nModified=1\n[InternetShortcut.W]\nURL=+ZeU-\n",
       "[InternetShortcut]\nURL=\"'quoted'\"\n[InternetShortcut.W]\nURL=+ZeU-\n"},
      {"[InternetShortcut]\r\nURL=http://caf\xE9/\r\nX=\xFC\r\n", "[InternetShortcut]\r\nURL=http://caf\xE9/\r\n"},
      {le + "A\0=\0\n\0"s, le}, {"[InternetShortcut]\nURL=\nIconIndex=1\n", std::nullopt},
      {"[Other]\nURL=http://a/\n", std::nullopt},
      // Invalid UTF-8 behind a UTF-8 byte-order mark would be replaced.
      {"\xEF\xBB\xBF[InternetShortcut]\nURL=http://a/\nX=\xFF\n", std::nullopt}};
  for (const auto& [bytes, expected] : cases) {
    const std::optional<std::string> cleaned = CleanShortcut(bytes);
    EXPECT_EQ(cleaned, expected) << bytes;
    if (!cleaned) continue;
    EXPECT_EQ(Url(*cleaned), Url(bytes)) << bytes;
    EXPECT_EQ(CleanShortcut(*cleaned), cleaned) << bytes;
  }
}

TEST(IniSections, ReplaceTheBodyOfTheFirstMatchOnly) {
  EXPECT_EQ(ini::ReplaceSection("[a]\nx=1\n[A]\ny=2\n", "a", {"k=v", "l=w"}), "[a]\nk=v\nl=w\n[A]\ny=2\n");
  EXPECT_EQ(ini::ReplaceSection("[a]\n", "b", {"k=v"}), std::nullopt);
}

}  // namespace
}  // namespace vellumark
