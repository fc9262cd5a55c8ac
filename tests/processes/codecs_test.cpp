// HTML and UTF-8 codecs: entities, percent-encoding of link targets, and
// the bytes they produce.
#include "processes/html.h"
#include "processes/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace vellumark {
namespace {

using namespace std::string_literals;

// Escapes the four special characters once, percent-encodes blanks and high
// bytes in link targets only, and never writes malformed UTF-8.
TEST(Html, EncodeEscapesTextAndLinkTargets) {
  const HTML html;
  const std::tuple<std::string, bool, std::string> cases[] = {
      {"", false, ""}, {"a \"b\" & <c>", false, "a &quot;b&quot; &amp; &lt;c&gt;"}, {"&amp;", false, "&amp;amp;"},
      {"'single'", false, "'single'"}, {"<script>\"x\"</script>", true, "&lt;script&gt;&quot;x&quot;&lt;/script&gt;"},
      {"\xC3\xA9", false, "\xC3\xA9"}, {"\xC3\xA9", true, "%C3%A9"}, {"\xE2\x82\xAC", true, "%E2%82%AC"},
      {"http://h/a b?q=1&r=~#f", true, "http://h/a%20b?q=1&amp;r=~#f"}, {"100%", true, "100%"},
      {"\t\x7F\x01"s, true, "\t\x7F\x01"}, {"\xF0\x9F\x98\x80", true, "%F0%9F%98%80"}, {"caf\xE9", false, "caf?"},
      {"\xC3\xA9\xC3", false, "\xC3\xA9?"}, {"\xED\xA0\x80", false, "???"}};
  for (const auto& [text, link, expected] : cases) EXPECT_EQ(html.Encode(text, link), expected) << text;
}

TEST(Html, DecodeInvertsEncode) {
  const HTML html;
  const std::tuple<std::string, bool, std::string> cases[] = {
      {"", false, ""}, {"&amp;lt;", false, "&lt;"}, {"&quot;&lt;&gt;&amp;&apos;", false, "\"<>&&apos;"},
      {"%C3%a9", true, "\xC3\xA9"}, {"%C3%a9", false, "%C3%a9"},
      // A "%" without two hex digits stays as it is.
      {"50%", true, "50%"}, {"%4", true, "%4"}, {"%zz%41", true, "%zzA"}};
  for (const auto& [text, link, expected] : cases) EXPECT_EQ(html.Decode(text, link), expected) << text;
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
