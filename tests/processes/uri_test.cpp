// The URL splitter: defaults, ports, user information, IPv6 hosts, extra
// information, limits, reset after a failure, odd schemes and file URLs.
#include "processes/punycode.h"
#include "processes/uri.h"

#include <gtest/gtest.h>

#include <string>

namespace vellumark {
namespace {

using namespace std::string_literals;

// Every part of one split as "scheme|server|port|user|password|path|query",
// or "refused".
std::string Parts(const URI& uri) {
  return uri.Scheme() + "|" + uri.Server() + "|" + std::to_string(uri.Port()) + "|" + uri.UserName() + "|" +
         uri.Password() + "|" + uri.Path() + "|" + uri.Query();
}

std::string Split(std::string_view url) {
  URI uri;
  return uri.Parse(url) ? Parts(uri) : "refused";
}

// The parts of URLs, and the URLs refused (ports that are no number up to
// 65535, broken IPv6 brackets, schemes that are no name of letters, digits,
// "+", "-" and "."; hosts, users, passwords and schemes over their limits,
// counted in UTF-16 units; paths and extra information have none).
TEST(Uri, SplitsEveryPart) {
  std::string accented, emoji;
  for (int i = 0; i < 255; ++i) accented += "\xC3\xA9";
  for (int i = 0; i < 128; ++i) emoji += "\xF0\x9F\x98\x80";
  const std::string path = "/" + std::string(100000, 'p'), query = "?" + std::string(100000, 'q');
  const std::pair<std::string, std::string> cases[] = {
      {"http://example.com", "http|example.com|80|anonymous||/|"},
      {"http://:secret@example.com", "http|example.com|80|anonymous|secret|/|"},
      {"http://@example.com?q", "http|example.com|80|anonymous||/|?q"}, {"HTTPS://h/", "HTTPS|h|443|anonymous||/|"},
      {"Ftp://h", "Ftp|h|21|anonymous||/|"}, {"gopher://h/", "gopher|h|0|anonymous||/|"},
      {"http:no-authority", "http||0|anonymous||no-authority|"}, {"http://", "http||80|anonymous||/|"},
      {"http://h:8080/x", "http|h|8080|anonymous||/x|"}, {"https://h:0/", "https|h|0|anonymous||/|"},
      {"https://h:65535/", "https|h|65535|anonymous||/|"}, {"https://h:000443", "https|h|443|anonymous||/|"},
      {"x-y+z.1://h:99/p", "x-y+z.1|h|99|anonymous||/p|"}, {"http://h:80:81/", "http|h:80|81|anonymous||/|"},
      {"http://h:/", "http|h|80|anonymous||/|"}, {"foo://h:/", "foo|h|0|anonymous||/|"},
      {"ftp://joe:pw@h/f", "ftp|h|21|joe|pw|/f|"}, {"ftp://joe:@h/f", "ftp|h|21|joe||/f|"},
      {"ftp://joe@h/f", "ftp|h|21|joe||/f|"}, {"http://u:p:q@h/", "http|h|80|u:p|q|/|"},
      {"http://a@b@host/", "http|host|80|a@b||/|"}, {"http://a:x@b@host:99/", "http|host|99|a|x@b|/|"},
      {"http://h/p@q", "http|h|80|anonymous||/p@q|"}, {"http://joe@h?x@y", "http|h|80|joe||/|?x@y"},
      {"http://u@h#x@y", "http|h|80|u||/|#x@y"},
      {"mailto:someone@example.com", "mailto||0|anonymous||someone@example.com|"},
      {"http://[::1]/", "http|[::1]|80|anonymous||/|"}, {"http://[::1]:8080/x", "http|[::1]|8080|anonymous||/x|"},
      {"https://joe:pw@[2001:db8::1]", "https|[2001:db8::1]|443|joe|pw|/|"},
      {"http://[fe80::1%25eth0]:/", "http|[fe80::1%25eth0]|80|anonymous||/|"}, {"http://[::1/", "refused"},
      {"http://[::1]x/", "refused"}, {"http://[::1]80/", "refused"},
      {"http://h/a?x=1#f", "http|h|80|anonymous||/a|?x=1#f"}, {"http://h/a#f?x", "http|h|80|anonymous||/a#f|?x"},
      {"http://h/a#f/g", "http|h|80|anonymous||/a|#f/g"}, {"http://h/p?a?b#c#d", "http|h|80|anonymous||/p|?a?b#c#d"},
      {"http://h/a%20b;p", "http|h|80|anonymous||/a%20b;p|"},
      {"http://h?q/with/slash", "http|h|80|anonymous||/|?q/with/slash"},
      {"http://h#top", "http|h|80|anonymous||/|#top"}, {"http://h#x?y", "http|h#x|80|anonymous||/|?y"},
      {"mailto:a@b?subject=hi#x", "mailto||0|anonymous||a@b|?subject=hi#x"}, {"1abc://h/", "1abc|h|0|anonymous||/|"},
      {"svn+ssh://u@h/r", "svn+ssh|h|0|u||/r|"}, {"about:blank", "about||0|anonymous||blank|"},
      {"a:", "a||0|anonymous||/|"}, {"HTTP://UPPER.COM/", "HTTP|UPPER.COM|80|anonymous||/|"},
      {"mailto:", "mailto||0|anonymous||/|"}, {"news:comp.lang.c", "news||0|anonymous||comp.lang.c|"},
      {"javascript:alert(\"x\")", "javascript||0|anonymous||alert(\"x\")|"},
      {"javascript:void(0)#x", "javascript||0|anonymous||void(0)|#x"},
      {"news://host/group", "news|host|0|anonymous||/group|"},
      {"res://C:\\dir\\x.dll/7", "res|C:\\dir\\x.dll|0|anonymous||/7|"}, {"res://h:80/x", "res|h:80|0|anonymous||/x|"},
      {"res://u:p@h:9/x", "res|h:9|0|u|p|/x|"}, {"file:///C:/x/y.txt", "file||0|anonymous||C:\\x\\y.txt|"},
      {"file://C:/x/y.txt", "file||0|anonymous||C:\\x\\y.txt|"}, {"file://C|/x", "file||0|anonymous||C:\\x|"},
      {"file:/C:/x", "file||0|anonymous||C:\\x|"}, {"file:C:/x", "file||0|anonymous||C:\\x|"},
      {"file://localhost/C:/x", "file|localhost|0|anonymous||C:\\x|"},
      {"file://server/share/x", "file|server|0|anonymous||\\\\server\\share\\x|"},
      {"file://server", "file|server|0|anonymous||/|"},
      {"file:////server/share", "file||0|anonymous||\\\\server\\share|"},
      {"file://///server/share", "file||0|anonymous||\\\\server\\share|"},
      {"file:///etc/passwd", "file||0|anonymous||\\etc\\passwd|"},
      {"file://localhost/etc", "file|localhost|0|anonymous||etc|"},
      {"file:relative/x", "file||0|anonymous||relative\\x|"},
      {"file:///C:/a%20b%2fc%41", "file||0|anonymous||C:\\a b/cA|"},
      {"file://srv/a%20b", "file|srv|0|anonymous||\\\\srv\\a b|"}, {"file:a%20b", "file||0|anonymous||a%20b|"},
      {"file:////srv/a%20b", "file||0|anonymous||\\\\srv\\a%20b|"},
      {"file://C:/a%20b", "file||0|anonymous||C:\\a%20b|"}, {"file:///C:/a%00b", "file||0|anonymous||C:\\a%00b|"},
      {"file:///C:/%C3%A9%zz%", "file||0|anonymous||C:\\%C3%A9%zz%|"},
      {"file:///C:/x?q#f", "file||0|anonymous||C:\\x|?q#f"}, {"file:///C:/x%3Fy#f", "file||0|anonymous||C:\\x?y|#f"},
      {"file:?q", "file||0|anonymous||/|?q"}, {"file://h#f", "file|h|0|anonymous||/|#f"},
      {"file:///C:/a/.", "file||0|anonymous||C:\\a\\.\\|"}, {"file:///C:/a/./b", "file||0|anonymous||C:\\a\\.\\b|"},
      {"file:///C:/a/.?q", "file||0|anonymous||C:\\a\\.|?q"}, {"file:C:/a/.?q", "file||0|anonymous||C:\\a\\.\\|?q"},
      {"file://C:/a/..#f", "file||0|anonymous||C:\\a\\..\\|#f"},
      {"http://" + std::string(255, 'h') + "/", "http|" + std::string(255, 'h') + "|80|anonymous||/|"},
      {"http://" + std::string(127, 'u') + ":" + std::string(127, 'p') + "@h/",
       "http|h|80|" + std::string(127, 'u') + "|" + std::string(127, 'p') + "|/|"},
      {std::string(31, 's') + ":x", std::string(31, 's') + "||0|anonymous||x|"},
      {"http://" + accented + "/", "http|" + accented + "|80|anonymous||/|"},
      {"https://h" + path + query, "https|h|443|anonymous||" + path + "|" + query},
      {"http://h:65536/", "refused"}, {"http://h:99999999999999999999/", "refused"}, {"http://h:abc/", "refused"},
      {"http://h: 80/", "refused"}, {"http://h:+80/", "refused"}, {"http://h:8080x/", "refused"},
      {"http://h:80#a?b", "refused"}, {"", "refused"}, {"example.com", "refused"}, {"/relative/path", "refused"},
      {"a_b://h/", "refused"}, {"a b:x", "refused"}, {"://h/", "refused"}, {":x", "refused"},
      {"\xC3\xA9://h/", "refused"}, {"http://h/\0x"s, "refused"},
      {"http://" + std::string(256, 'h') + "/", "refused"}, {"http://" + std::string(128, 'u') + "@h/", "refused"},
      {"http://u:" + std::string(128, 'p') + "@h/", "refused"}, {std::string(32, 's') + ":x", "refused"},
      {"http://" + accented + "\xC3\xA9/", "refused"}, {"http://" + emoji + "/", "refused"},
  };
  for (const auto& [url, expected] : cases) EXPECT_EQ(Split(url), expected) << url;
}

TEST(Uri, EachSplitReplacesEveryPartAndAFailureLeavesNone) {
  URI uri;
  EXPECT_EQ(Parts(uri), "||0||||");
  for (const std::string& url : {"no scheme"s, "http://" + std::string(256, 'h')}) {
    ASSERT_TRUE(uri.Parse("ftp://joe:pw@h:2121/f?x"));
    EXPECT_FALSE(uri.Parse(url));
    EXPECT_EQ(Parts(uri), "||0||||") << url;
  }
  ASSERT_TRUE(uri.Parse("ftp://joe:pw@h:2121/f?x"));
  ASSERT_TRUE(uri.Parse("news:comp.lang.c"));
  EXPECT_EQ(Parts(uri), "news||0|anonymous||comp.lang.c|");
}

// Sample strings of RFC 3492, section 7.1, and "bücher".
TEST(Punycode, EncodesTheSampleStrings) {
  const std::pair<std::u32string, std::string> samples[] = {
      {U"\u4ED6\u4EEC\u4E3A\u4EC0\u4E48\u4E0D\u8BF4\u4E2D\u6587", "ihqwcrb4cv8a8dqg056pqjye"},
      {U"Pro\u010Dprost\u011Bnemluv\u00ED\u010Desky", "Proprostnemluvesky-uyb24dma41a"},
      {U"3\u5E74B\u7D44\u91D1\u516B\u5148\u751F", "3B-ww4c5e180e575a65lsy2b"},
      {U"-> $1.00 <-", "-> $1.00 <--"}, {U"b\u00FCcher", "bcher-kva"},
  };
  for (const auto& [label, encoded] : samples) EXPECT_EQ(Punycode(label), encoded) << encoded;
}

TEST(Punycode, HostsGetTheirAsciiForm) {
  EXPECT_EQ(HostToAscii("B\xC3\xBC" "cher.Example"), "xn--bcher-kva.Example");
  EXPECT_EQ(HostToAscii("www.\xE4\xBB\x96\xE4\xBB\xAC.example."), "www.xn--8mqxb.example.");
  EXPECT_EQ(HostToAscii("plain.example"), "plain.example");
  EXPECT_EQ(HostToAscii("bad\xFF.example"), std::nullopt);
}

}  // namespace
}  // namespace vellumark
