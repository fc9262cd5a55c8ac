// HTML and UTF-8 codecs: entities, percent-encoding of link targets, and
// the bytes they produce.
#include "processes/html.h"
#include "processes/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace vellumark {
namespace {

using namespace std::string_literals;

TEST(HtmlEncode, EscapesTheFourSpecialCharactersOnce) {
  const HTML html;
  EXPECT_EQ(html.Encode(""), "");
  EXPECT_EQ(html.Encode("a \"b\" & <c>"), "a &quot;b&quot; &amp; &lt;c&gt;");
  EXPECT_EQ(html.Encode("&amp;"), "&amp;amp;");
  EXPECT_EQ(html.Encode("'single'"), "'single'");
  EXPECT_EQ(html.Encode("<script>alert(\"x\")</script>", true), "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;");
}

TEST(HtmlEncode, PercentEncodesBlanksAndHighBytesInLinkTargets) {
  const HTML html;
  EXPECT_EQ(html.Encode("\xC3\xA9"), "\xC3\xA9");
  EXPECT_EQ(html.Encode("\xC3\xA9", true), "%C3%A9");
  EXPECT_EQ(html.Encode("\xE2\x82\xAC", true), "%E2%82%AC");
  EXPECT_EQ(html.Encode("http://h/a b?q=1&r=~#f", true), "http://h/a%20b?q=1&amp;r=~#f");
  EXPECT_EQ(html.Encode("100%", true), "100%");
  EXPECT_EQ(html.Encode("\t\x7F\x01"s, true), "\t\x7F\x01");
  EXPECT_EQ(html.Encode("\xF0\x9F\x98\x80", true), "%F0%9F%98%80");
}

TEST(HtmlEncode, NeverWritesMalformedUtf8) {
  const HTML html;
  EXPECT_EQ(html.Encode("caf\xE9"), "caf?");
  EXPECT_EQ(html.Encode("\xC3\xA9\xC3"), "\xC3\xA9?");
  EXPECT_EQ(html.Encode("\xED\xA0\x80"), "???");
}

TEST(HtmlDecode, InvertsEncode) {
  const HTML html;
  EXPECT_EQ(html.Decode(""), "");
  EXPECT_EQ(html.Decode("&amp;lt;"), "&lt;");
  EXPECT_EQ(html.Decode("&quot;&lt;&gt;&amp;&apos;"), "\"<>&&apos;");
  EXPECT_EQ(html.Decode("%C3%a9", true), "\xC3\xA9");
  EXPECT_EQ(html.Decode("%C3%a9", false), "%C3%a9");
  // A "%" without two hex digits stays as it is.
  EXPECT_EQ(html.Decode("50%", true), "50%");
  EXPECT_EQ(html.Decode("%4", true), "%4");
  EXPECT_EQ(html.Decode("%zz%41", true), "%zzA");
  for (const std::string text : {"a b", "\"q\" & <t>", "\xC3\xA9\xE2\x82\xAC \xF0\x9F\x98\x80", "&amp;", "x=1&y=2"}) {
    EXPECT_EQ(html.Decode(html.Encode(text, true), true), text) << text;
    EXPECT_EQ(html.Decode(html.Encode(text)), text) << text;
  }
}

TEST(Utf8Codec, KeepsWellFormedTextAndReplacesStrayBytes) {
  const UTF8 utf8;
  EXPECT_EQ(utf8.Encode(""), "");
  EXPECT_EQ(utf8.Encode("\xE6\x97\xA5 \xC3\xA9"), "\xE6\x97\xA5 \xC3\xA9");
  EXPECT_EQ(utf8.Decode("\xE6\x97\xA5\xFF"), "\xE6\x97\xA5?");
  EXPECT_EQ(utf8.Encode("\xC0\xAF"), "??");
}

}  // namespace
}  // namespace vellumark
