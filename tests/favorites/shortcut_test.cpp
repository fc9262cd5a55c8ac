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

TEST(IniReader, FindsKeysWithoutLetterCaseInTheFirstMatchingSection) {
  EXPECT_EQ(Url("[InternetShortcut]\r\nURL=http://a/\r\n"), "http://a/");
  EXPECT_EQ(Url("[internetshortcut]\r\nurl=http://a/\r\n"), "http://a/");
  EXPECT_EQ(Url("[INTERNETSHORTCUT]\nUrL=http://a/"), "http://a/");
  // The first key wins, and only the first section is looked at.
  EXPECT_EQ(Url("[InternetShortcut]\nURL=http://first/\nURL=http://second/\n"), "http://first/");
  EXPECT_EQ(Url("[InternetShortcut]\nIconIndex=1\n[InternetShortcut]\nURL=http://second/\n"), "");
  // A key without "=" is still the first match and has no value.
  EXPECT_EQ(Url("[InternetShortcut]\nURL\nURL=http://a/\n"), "");
  // Other sections and keys that only start alike do not count.
  EXPECT_EQ(Url("[Other]\nURL=http://other/\n[InternetShortcut]\nURLs=x\nURL=http://a/\n"), "http://a/");
  EXPECT_EQ(Url("URL=http://before/\n[InternetShortcut]\n"), "");
  EXPECT_EQ(Url("[InternetShortcutX]\nURL=http://a/\n"), "");
  // Letters whose lower case is ASCII ("\u0130", Kelvin sign) do not match.
  EXPECT_EQ(Url("[\xC4\xB0nternetShortcut]\nURL=http://a/\n"), "");
}

TEST(IniReader, LinesEndAtAnyLineBreakAndBlanksAreTrimmed) {
  EXPECT_EQ(Url("[InternetShortcut]\rURL=http://cr/\r"), "http://cr/");
  EXPECT_EQ(Url("\r\n\r\n  [InternetShortcut]  junk\r\n\t URL \t=  http://a/ b \t\r\n"), "http://a/ b");
  EXPECT_EQ(Url("[InternetShortcut]\nURL=a=b=c\n"), "a=b=c");
  EXPECT_EQ(Url("[InternetShortcut]\nURL=http://z/\x1A\n"), "http://z/");
  EXPECT_EQ(Url("[ InternetShortcut\t]\nURL=http://a/\n"), "http://a/");
  // The name runs to the last "]" of the line.
  EXPECT_EQ(Url("[InternetShortcut]x\nURL=http://a/\n"), "http://a/");
  EXPECT_EQ(Url("[InternetShortcut]x]\nURL=http://a/\n"), "");
  // Only the C blanks are trimmed, not the Unicode spaces.
  EXPECT_EQ(Url("[InternetShortcut]\nURL=\xC2\xA0http://a/\xE3\x80\x80\n"), "\xC2\xA0http://a/\xE3\x80\x80");
  // A "[" line without "]" is an ordinary key line, not a new section.
  EXPECT_EQ(Url("[InternetShortcut]\n[broken\nURL=http://a/\n"), "http://a/");
  // No comment lines: ";URL" is just another key.
  EXPECT_EQ(Url("[InternetShortcut]\n;URL=http://comment/\nURL=http://a/\n"), "http://a/");
}

TEST(IniReader, DropsOnePairOfEnclosingQuotes) {
  EXPECT_EQ(Url("[InternetShortcut]\nURL=\"http://a/\"\n"), "http://a/");
  EXPECT_EQ(Url("[InternetShortcut]\nURL='http://a/'\n"), "http://a/");
  EXPECT_EQ(Url("[InternetShortcut]\nURL=\"'http://a/'\"\n"), "'http://a/'");
  EXPECT_EQ(Url("[InternetShortcut]\nURL=\"http://a/'\n"), "\"http://a/'");
  EXPECT_EQ(Url("[InternetShortcut]\nURL=\"\n"), "\"");
  EXPECT_EQ(Url("[InternetShortcut]\nURL=\"\"\n"), "");
}

TEST(IniReader, NamesAndValuesEndAtNul) {
  EXPECT_EQ(Url("[InternetShortcut]\nURL=http://a/\0junk\n"s), "http://a/");
  EXPECT_EQ(Url("[InternetShortcut\0x]\nURL\0y=http://a/\n"s), "http://a/");
  EXPECT_EQ(Url("[InternetShortcut]\nURL=\0http://a/\n"s), "");
}

TEST(IniReader, ReadsLongValuesWhole) {
  const std::string url = "http://example.com/" + std::string(1981, 'x');
  EXPECT_EQ(Url("[InternetShortcut]\r\nURL=" + url + "\r\n"), url);
  const std::string huge(1 << 20, 'y');
  EXPECT_EQ(Url("[InternetShortcut]\nURL=" + huge), huge);
}

TEST(IniReader, HandlesEmptyAndBinaryInput) {
  EXPECT_EQ(Url(""), "");
  EXPECT_EQ(Url("\r\n\n"), "");
  std::string binary;
  for (int i = 0; i < 70000; ++i) binary += static_cast<char>((i * 7919) % 256);
  EXPECT_EQ(Url(binary), "");
  EXPECT_EQ(Url(binary + "\n[InternetShortcut]\nURL=http://after/\n"), "http://after/");
}

TEST(ShortcutEncodings, DecodesUtf8Windows1252AndUtf16) {
  EXPECT_EQ(Url("[InternetShortcut]\nURL=http://caf\xC3\xA9/\n"), "http://caf\xC3\xA9/");
  EXPECT_EQ(Url("[InternetShortcut]\nURL=http://caf\xE9/\x80\n"), "http://caf\xC3\xA9/\xE2\x82\xAC");
  EXPECT_EQ(Url("\xEF\xBB\xBF[InternetShortcut]\nURL=http://\xE6\x97\xA5/\n"), "http://\xE6\x97\xA5/");
  const std::string le = "\xFF\xFE[\0I\0n\0t\0e\0r\0n\0e\0t\0S\0h\0o\0r\0t\0c\0u\0t\0]\0\n\0U\0R\0L\0=\0x\0\xE5\x65"s;
  EXPECT_EQ(Url(le), "x\xE6\x97\xA5");
  const std::string be = "\xFE\xFF\0[\0I\0n\0t\0e\0r\0n\0e\0t\0S\0h\0o\0r\0t\0c\0u\0t\0]\0\n\0U\0R\0L\0=\0x\xD8\x3D\xDE\x00"s;
  EXPECT_EQ(Url(be), "x\xF0\x9F\x98\x80");
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

TEST(Utf7, DecodesDirectAndBase64Runs) {
  EXPECT_EQ(text::Utf7ToUtf8("http://a/b?c=d"), "http://a/b?c=d");
  EXPECT_EQ(text::Utf7ToUtf8("1 +- 1"), "1 + 1");
  EXPECT_EQ(text::Utf7ToUtf8("Hi Mom -+Jjo--!"), "Hi Mom -\xE2\x98\xBA-!");
  EXPECT_EQ(text::Utf7ToUtf8("+ZeVnLIqe-"), "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E");
  EXPECT_EQ(text::Utf7ToUtf8("a+2D3eAA.b"), "a\xF0\x9F\x98\x80.b");
  EXPECT_EQ(text::Utf7ToUtf8("+AOk"), "\xC3\xA9");
}

TEST(Utf7, RejectsMalformedText) {
  EXPECT_EQ(text::Utf7ToUtf8("caf\xC3\xA9"), std::nullopt);
  EXPECT_EQ(text::Utf7ToUtf8("+AOl-"), std::nullopt);   // stray bits set
  EXPECT_EQ(text::Utf7ToUtf8("+AOkA-"), std::nullopt);  // six bits left over
  EXPECT_EQ(text::Utf7ToUtf8("+2D0-"), std::nullopt);   // lone surrogate
}

TEST(UnicodeCopy, IsTakenWhenItAgreesWithThePlainUrl) {
  // "http://日本/é": the plain copy has "?" for what 1252 lacks.
  const std::string file =
      "[InternetShortcut]\r\nURL=http://?\?/\xE9\r\n[InternetShortcut.W]\r\nURL=http://+ZeVnLA-/+AOk-\r\n";
  EXPECT_EQ(Url(file), "http://\xE6\x97\xA5\xE6\x9C\xAC/\xC3\xA9");
  // Order of the sections does not matter.
  EXPECT_EQ(Url("[InternetShortcut.W]\nURL=+ZeU-\n[InternetShortcut]\nURL=?\n"), "\xE6\x97\xA5");
}

TEST(UnicodeCopy, IsIgnoredWhenItDisagreesOrIsBroken) {
  EXPECT_EQ(Url("[InternetShortcut]\nURL=http://new/\n[InternetShortcut.W]\nURL=http://old/\n"), "http://new/");
  EXPECT_EQ(Url("[InternetShortcut]\nURL=http://x/\n[InternetShortcut.W]\nURL=+AOl-\n"), "http://x/");
  EXPECT_EQ(Url("[InternetShortcut]\nURL=?\n[InternetShortcut.W]\nURL=\n"), "?");
  // Without a plain URL the shortcut has none, whatever the copy holds.
  EXPECT_EQ(Url("[InternetShortcut]\n[InternetShortcut.W]\nURL=http://w/\n"), "");
  // A plain URL with real characters is not replaced by a "?" look-alike.
  EXPECT_EQ(Url("[InternetShortcut]\nURL=\xE6\x97\xA5\n[InternetShortcut.W]\nURL=+ZeU-\n"), "\xE6\x97\xA5");
}

TEST(CleanShortcut, KeepsOnlyTheUrlLineAndEveryOtherSection) {
  const std::string file =
      "[DEFAULT]\r\nBASEURL=http://a/\r\n[InternetShortcut]\r\nIconIndex=0\r\nURL=http://a/\r\n"
      "IDList=\r\n\r\n[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,2\r\n";
  EXPECT_EQ(CleanShortcut(file),
            "[DEFAULT]\r\nBASEURL=http://a/\r\n[InternetShortcut]\r\nURL=http://a/\r\n"
            "[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,2\r\n");
  EXPECT_EQ(CleanShortcut("[InternetShortcut]\nURL=http://b/\nHotKey=0"), "[InternetShortcut]\nURL=http://b/\n");
  EXPECT_EQ(CleanShortcut("  [internetshortcut]\rurl = 'http://c/'\r"), "  [internetshortcut]\rURL=http://c/\r");
  EXPECT_EQ(CleanShortcut("[InternetShortcut]\r\nURL=http://d/"), "[InternetShortcut]\r\nURL=http://d/\r\n");
}

TEST(CleanShortcut, IsIdempotentAndKeepsWhatItReads) {
  const std::string file = "[InternetShortcut]\nURL=\"'quoted'\"\nModified=1\n[InternetShortcut.W]\nURL=+ZeU-\n";
  const std::optional<std::string> once = CleanShortcut(file);
  ASSERT_TRUE(once);
  EXPECT_EQ(*once, "[InternetShortcut]\nURL=\"'quoted'\"\n[InternetShortcut.W]\nURL=+ZeU-\n");
  EXPECT_EQ(Url(*once), Url(file));
  EXPECT_EQ(CleanShortcut(*once), once);
}

TEST(CleanShortcut, KeepsTheFileEncoding) {
  EXPECT_EQ(CleanShortcut("[InternetShortcut]\r\nURL=http://caf\xE9/\r\nX=\xFC\r\n"),
            "[InternetShortcut]\r\nURL=http://caf\xE9/\r\n");
  const std::string le = "\xFF\xFE[\0I\0n\0t\0e\0r\0n\0e\0t\0S\0h\0o\0r\0t\0c\0u\0t\0]\0\n\0U\0R\0L\0=\0x\0\n\0A\0=\0\n\0"s;
  EXPECT_EQ(CleanShortcut(le),
            "\xFF\xFE[\0I\0n\0t\0e\0r\0n\0e\0t\0S\0h\0o\0r\0t\0c\0u\0t\0]\0\n\0U\0R\0L\0=\0x\0\n\0"s);
}

TEST(CleanShortcut, LeavesFilesWithoutUrlOrWithBrokenTextAlone) {
  EXPECT_EQ(CleanShortcut("[InternetShortcut]\nURL=\nIconIndex=1\n"), std::nullopt);
  EXPECT_EQ(CleanShortcut("[Other]\nURL=http://a/\n"), std::nullopt);
  // Invalid UTF-8 behind a UTF-8 byte-order mark would be replaced.
  EXPECT_EQ(CleanShortcut("\xEF\xBB\xBF[InternetShortcut]\nURL=http://a/\nX=\xFF\n"), std::nullopt);
}

TEST(IniSections, ReplaceTheBodyOfTheFirstMatchOnly) {
  EXPECT_EQ(ini::ReplaceSection("[a]\nx=1\n[A]\ny=2\n", "a", {"k=v", "l=w"}), "[a]\nk=v\nl=w\n[A]\ny=2\n");
  EXPECT_EQ(ini::ReplaceSection("[a]\n", "b", {"k=v"}), std::nullopt);
}

}  // namespace
}  // namespace vellumark
