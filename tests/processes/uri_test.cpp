// The URL splitter: defaults, ports, user information, IPv6 hosts, extra
// information, limits, reset after a failure, odd schemes and file URLs.
#include "processes/punycode.h"
#include "processes/uri.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace vellumark {
namespace {

using namespace std::string_literals;

// Every part of one split as "scheme|server|port|user|password|path|query",
// or "refused".
std::string Split(std::string_view url) {
  URI uri;
  if (!uri.Parse(url)) return "refused";
  return uri.Scheme() + "|" + uri.Server() + "|" + std::to_string(uri.Port()) + "|" + uri.UserName() + "|" +
         uri.Password() + "|" + uri.Path() + "|" + uri.Query();
}

TEST(UriDefaults, NewObjectIsEmpty) {
  const URI uri;
  EXPECT_EQ(uri.Scheme() + uri.Server() + uri.UserName() + uri.Password() + uri.Path() + uri.Query(), "");
  EXPECT_EQ(uri.Port(), 0);
}

TEST(UriDefaults, AnonymousUserAndRootPath) {
  EXPECT_EQ(Split("http://example.com"), "http|example.com|80|anonymous||/|");
  EXPECT_EQ(Split("http://example.com/a/b.html"), "http|example.com|80|anonymous||/a/b.html|");
  EXPECT_EQ(Split("http://:secret@example.com"), "http|example.com|80|anonymous|secret|/|");
  EXPECT_EQ(Split("http://@example.com?q"), "http|example.com|80|anonymous||/|?q");
}

TEST(UriPorts, DefaultsOnlyForWebAndFtpSchemesWithAnAuthority) {
  EXPECT_EQ(Split("HTTPS://h/"), "HTTPS|h|443|anonymous||/|");
  EXPECT_EQ(Split("Ftp://h"), "Ftp|h|21|anonymous||/|");
  EXPECT_EQ(Split("gopher://h/"), "gopher|h|0|anonymous||/|");
  EXPECT_EQ(Split("foo://h/"), "foo|h|0|anonymous||/|");
  EXPECT_EQ(Split("http:no-authority"), "http||0|anonymous||no-authority|");
  EXPECT_EQ(Split("http://"), "http||80|anonymous||/|");
}

TEST(UriPorts, ExplicitPortsFromZeroTo65535) {
  EXPECT_EQ(Split("http://h:8080/x"), "http|h|8080|anonymous||/x|");
  EXPECT_EQ(Split("https://h:0/"), "https|h|0|anonymous||/|");
  EXPECT_EQ(Split("https://h:65535/"), "https|h|65535|anonymous||/|");
  EXPECT_EQ(Split("https://h:000443"), "https|h|443|anonymous||/|");
  EXPECT_EQ(Split("x-y+z.1://h:99/p"), "x-y+z.1|h|99|anonymous||/p|");
  EXPECT_EQ(Split("http://h:80:81/"), "http|h:80|81|anonymous||/|");
}

TEST(UriPorts, EmptyPortMeansTheSchemesDefault) {
  EXPECT_EQ(Split("http://h:/"), "http|h|80|anonymous||/|");
  EXPECT_EQ(Split("https://h:"), "https|h|443|anonymous||/|");
  EXPECT_EQ(Split("foo://h:/"), "foo|h|0|anonymous||/|");
}

TEST(UriPorts, PortThatIsNoNumberUpTo65535IsRefused) {
  for (const char* url :
       {"http://h:65536/", "http://h:99999/", "http://h:99999999999999999999/", "http://h:abc/", "http://h:-1/",
        "http://h: 80/", "http://h:+80/", "http://h:8080x/", "http://h:1.5/", "http://h:80#a?b"}) {
    EXPECT_EQ(Split(url), "refused") << url;
  }
}

TEST(UriUserAndPassword, SplitAtTheLastColonAndTheLastAt) {
  EXPECT_EQ(Split("ftp://joe:pw@h/f"), "ftp|h|21|joe|pw|/f|");
  EXPECT_EQ(Split("ftp://joe:@h/f"), "ftp|h|21|joe||/f|");
  EXPECT_EQ(Split("ftp://joe@h/f"), "ftp|h|21|joe||/f|");
  EXPECT_EQ(Split("http://u:p:q@h/"), "http|h|80|u:p|q|/|");
  EXPECT_EQ(Split("http://a@b@host/"), "http|host|80|a@b||/|");
  EXPECT_EQ(Split("http://a:x@b@host:99/"), "http|host|99|a|x@b|/|");
}

TEST(UriUserAndPassword, AnAtAfterTheHostIsNoUserInformation) {
  EXPECT_EQ(Split("http://h/p@q"), "http|h|80|anonymous||/p@q|");
  EXPECT_EQ(Split("http://joe@h?x@y"), "http|h|80|joe||/|?x@y");
  EXPECT_EQ(Split("http://u@h#x@y"), "http|h|80|u||/|#x@y");
  EXPECT_EQ(Split("mailto:someone@example.com"), "mailto||0|anonymous||someone@example.com|");
}

TEST(UriIpv6Hosts, KeepTheirBracketsAndColons) {
  EXPECT_EQ(Split("http://[::1]/"), "http|[::1]|80|anonymous||/|");
  EXPECT_EQ(Split("http://[::1]:8080/x"), "http|[::1]|8080|anonymous||/x|");
  EXPECT_EQ(Split("https://joe:pw@[2001:db8::1]"), "https|[2001:db8::1]|443|joe|pw|/|");
  EXPECT_EQ(Split("http://[fe80::1%25eth0]:/"), "http|[fe80::1%25eth0]|80|anonymous||/|");
}

TEST(UriIpv6Hosts, BrokenBracketsAreRefused) {
  EXPECT_EQ(Split("http://[::1/"), "refused");
  EXPECT_EQ(Split("http://[::1]x/"), "refused");
  EXPECT_EQ(Split("http://[::1]80/"), "refused");
}

TEST(UriExtraInformation, StartsAtTheFirstQuestionMarkElseTheFirstHash) {
  EXPECT_EQ(Split("http://h/a?x=1#f"), "http|h|80|anonymous||/a|?x=1#f");
  EXPECT_EQ(Split("http://h/a#f?x"), "http|h|80|anonymous||/a#f|?x");
  EXPECT_EQ(Split("http://h/a#f/g"), "http|h|80|anonymous||/a|#f/g");
  EXPECT_EQ(Split("http://h/p?a?b#c#d"), "http|h|80|anonymous||/p|?a?b#c#d");
  EXPECT_EQ(Split("http://h/a%20b;p"), "http|h|80|anonymous||/a%20b;p|");
}

TEST(UriExtraInformation, EndsTheHostWhenThereIsNoPath) {
  EXPECT_EQ(Split("http://h?q/with/slash"), "http|h|80|anonymous||/|?q/with/slash");
  EXPECT_EQ(Split("http://h#top"), "http|h|80|anonymous||/|#top");
  EXPECT_EQ(Split("http://h#x?y"), "http|h#x|80|anonymous||/|?y");
  EXPECT_EQ(Split("mailto:a@b?subject=hi#x"), "mailto||0|anonymous||a@b|?subject=hi#x");
}

TEST(UriLimits, HostUserAndPasswordHaveTheirLimits) {
  EXPECT_NE(Split("http://" + std::string(255, 'h') + "/"), "refused");
  EXPECT_EQ(Split("http://" + std::string(256, 'h') + "/"), "refused");
  EXPECT_NE(Split("http://" + std::string(127, 'u') + ":" + std::string(127, 'p') + "@h/"), "refused");
  EXPECT_EQ(Split("http://" + std::string(128, 'u') + "@h/"), "refused");
  EXPECT_EQ(Split("http://u:" + std::string(128, 'p') + "@h/"), "refused");
  EXPECT_NE(Split(std::string(31, 's') + ":x"), "refused");
  EXPECT_EQ(Split(std::string(32, 's') + ":x"), "refused");
}

TEST(UriLimits, CountCharactersAsUtf16Units) {
  std::string accented;
  for (int i = 0; i < 255; ++i) accented += "\xC3\xA9";
  EXPECT_NE(Split("http://" + accented + "/"), "refused");
  EXPECT_EQ(Split("http://" + accented + "\xC3\xA9/"), "refused");
  std::string emoji;
  for (int i = 0; i < 128; ++i) emoji += "\xF0\x9F\x98\x80";
  EXPECT_EQ(Split("http://" + emoji + "/"), "refused");
}

TEST(UriLimits, PathAndExtraInformationAreUnlimited) {
  const std::string path = "/" + std::string(100000, 'p');
  const std::string query = "?" + std::string(100000, 'q');
  URI uri;
  ASSERT_TRUE(uri.Parse("https://example.com" + path + query));
  EXPECT_EQ(uri.Server(), "example.com");
  EXPECT_EQ(uri.Path(), path);
  EXPECT_EQ(uri.Query(), query);
}

TEST(UriReset, FailureLeavesNothingOfAnEarlierUrl) {
  URI uri;
  ASSERT_TRUE(uri.Parse("ftp://joe:pw@h:2121/f?x"));
  EXPECT_FALSE(uri.Parse("no scheme"));
  EXPECT_EQ(uri.Scheme() + uri.Server() + uri.UserName() + uri.Password() + uri.Path() + uri.Query(), "");
  EXPECT_EQ(uri.Port(), 0);

  ASSERT_TRUE(uri.Parse("ftp://joe:pw@h:2121/f?x"));
  EXPECT_FALSE(uri.Parse("http://" + std::string(256, 'h')));
  EXPECT_EQ(uri.Scheme() + uri.Server() + uri.UserName() + uri.Password() + uri.Path() + uri.Query(), "");
  EXPECT_EQ(uri.Port(), 0);
}

TEST(UriReset, SuccessReplacesEveryPart) {
  URI uri;
  ASSERT_TRUE(uri.Parse("ftp://joe:pw@h:2121/f?x"));
  ASSERT_TRUE(uri.Parse("news:comp.lang.c"));
  EXPECT_EQ(uri.Scheme() + "|" + uri.Server() + "|" + std::to_string(uri.Port()) + "|" + uri.UserName() + "|" +
                uri.Password() + "|" + uri.Path() + "|" + uri.Query(),
            "news||0|anonymous||comp.lang.c|");
}

TEST(UriSchemes, AnyNameOfLettersDigitsPlusMinusAndDot) {
  EXPECT_EQ(Split("1abc://h/"), "1abc|h|0|anonymous||/|");
  EXPECT_EQ(Split("svn+ssh://u@h/r"), "svn+ssh|h|0|u||/r|");
  EXPECT_EQ(Split("about:blank"), "about||0|anonymous||blank|");
  EXPECT_EQ(Split("a:"), "a||0|anonymous||/|");
  EXPECT_EQ(Split("HTTP://UPPER.COM/"), "HTTP|UPPER.COM|80|anonymous||/|");
}

TEST(UriSchemes, TextWithoutAValidSchemeIsRefused) {
  for (const std::string& url : {""s, "example.com"s, "/relative/path"s, "a_b://h/"s, "a b:x"s, "://h/"s, ":x"s,
                                 "\xC3\xA9://h/"s, "http://h/\0x"s}) {
    EXPECT_EQ(Split(url), "refused") << url;
  }
}

TEST(UriSchemes, MailNewsAndScriptUrlsHaveOnlyAPath) {
  EXPECT_EQ(Split("mailto:"), "mailto||0|anonymous||/|");
  EXPECT_EQ(Split("news:comp.lang.c"), "news||0|anonymous||comp.lang.c|");
  EXPECT_EQ(Split("javascript:alert(\"x\")"), "javascript||0|anonymous||alert(\"x\")|");
  EXPECT_EQ(Split("javascript:void(0)#x"), "javascript||0|anonymous||void(0)|#x");
  EXPECT_EQ(Split("news://host/group"), "news|host|0|anonymous||/group|");
}

TEST(UriSchemes, ResHostKeepsItsColons) {
  EXPECT_EQ(Split("res://C:\\dir\\x.dll/7"), "res|C:\\dir\\x.dll|0|anonymous||/7|");
  EXPECT_EQ(Split("res://h:80/x"), "res|h:80|0|anonymous||/x|");
  EXPECT_EQ(Split("res://u:p@h:9/x"), "res|h:9|0|u|p|/x|");
}

TEST(UriFileUrls, DrivePathsWithBackslashes) {
  EXPECT_EQ(Split("file:///C:/x/y.txt"), "file||0|anonymous||C:\\x\\y.txt|");
  EXPECT_EQ(Split("file://C:/x/y.txt"), "file||0|anonymous||C:\\x\\y.txt|");
  EXPECT_EQ(Split("file://C|/x"), "file||0|anonymous||C:\\x|");
  EXPECT_EQ(Split("file:///c|/x"), "file||0|anonymous||c:\\x|");
  EXPECT_EQ(Split("file:/C:/x"), "file||0|anonymous||C:\\x|");
  EXPECT_EQ(Split("file:C:/x"), "file||0|anonymous||C:\\x|");
  EXPECT_EQ(Split("file://localhost/C:/x"), "file|localhost|0|anonymous||C:\\x|");
}

TEST(UriFileUrls, UncAndRootedPaths) {
  EXPECT_EQ(Split("file://server/share/x"), "file|server|0|anonymous||\\\\server\\share\\x|");
  EXPECT_EQ(Split("file://server"), "file|server|0|anonymous||/|");
  EXPECT_EQ(Split("file:////server/share"), "file||0|anonymous||\\\\server\\share|");
  EXPECT_EQ(Split("file://///server/share"), "file||0|anonymous||\\\\server\\share|");
  EXPECT_EQ(Split("file:///etc/passwd"), "file||0|anonymous||\\etc\\passwd|");
  EXPECT_EQ(Split("file://localhost/etc"), "file|localhost|0|anonymous||etc|");
  EXPECT_EQ(Split("file:relative/x"), "file||0|anonymous||relative\\x|");
}

TEST(UriFileUrls, EscapesDecodedInTheUsualFormsOnly) {
  EXPECT_EQ(Split("file:///C:/a%20b%2fc%41"), "file||0|anonymous||C:\\a b/cA|");
  EXPECT_EQ(Split("file://srv/a%20b"), "file|srv|0|anonymous||\\\\srv\\a b|");
  EXPECT_EQ(Split("file:a%20b"), "file||0|anonymous||a%20b|");
  EXPECT_EQ(Split("file:////srv/a%20b"), "file||0|anonymous||\\\\srv\\a%20b|");
  EXPECT_EQ(Split("file://C:/a%20b"), "file||0|anonymous||C:\\a%20b|");
}

TEST(UriFileUrls, EscapesOfNulAndHighBytesStay) {
  EXPECT_EQ(Split("file:///C:/a%00b"), "file||0|anonymous||C:\\a%00b|");
  EXPECT_EQ(Split("file:///C:/%C3%A9%zz%"), "file||0|anonymous||C:\\%C3%A9%zz%|");
}

TEST(UriFileUrls, ExtraInformationIsNotPartOfThePath) {
  EXPECT_EQ(Split("file:///C:/x?q#f"), "file||0|anonymous||C:\\x|?q#f");
  EXPECT_EQ(Split("file:///C:/x%3Fy#f"), "file||0|anonymous||C:\\x?y|#f");
  EXPECT_EQ(Split("file:?q"), "file||0|anonymous||/|?q");
  EXPECT_EQ(Split("file://h#f"), "file|h|0|anonymous||/|#f");
}

TEST(UriFileUrls, FinalDotSegmentGetsItsSeparator) {
  EXPECT_EQ(Split("file:///C:/a/."), "file||0|anonymous||C:\\a\\.\\|");
  EXPECT_EQ(Split("file:///C:/a/.."), "file||0|anonymous||C:\\a\\..\\|");
  EXPECT_EQ(Split("file:///C:/a/./b"), "file||0|anonymous||C:\\a\\.\\b|");
  EXPECT_EQ(Split("file:///C:/a/.?q"), "file||0|anonymous||C:\\a\\.|?q");
  EXPECT_EQ(Split("file:C:/a/.?q"), "file||0|anonymous||C:\\a\\.\\|?q");
  EXPECT_EQ(Split("file://C:/a/..#f"), "file||0|anonymous||C:\\a\\..\\|#f");
}

// Seeded random text of URL characters: whatever is split keeps its
// scheme as the URL's start and its extra information as the URL's end.
TEST(UriRobustness, SplitsKeepTheUrlsEnds) {
  const std::string alphabet = "aZ09+-.:/?#@[]%|\\ \t\x01\xC3\xA9";
  std::uint64_t state = 20261207;
  int splits = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string url = i % 2 == 0 ? "http:" : "file:";
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    for (std::uint64_t n = (state >> 33) % 24; n > 0; --n) {
      state = state * 6364136223846793005ull + 1442695040888963407ull;
      url += alphabet[(state >> 33) % alphabet.size()];
    }
    if (i % 4 == 1) url.erase(0, 5);
    URI uri;
    if (!uri.Parse(url)) continue;
    ++splits;
    ASSERT_TRUE(url.starts_with(uri.Scheme() + ":")) << url;
    ASSERT_TRUE(url.ends_with(uri.Query())) << url;
    ASSERT_TRUE(uri.Query().empty() || uri.Query()[0] == '?' || uri.Query()[0] == '#') << url;
    ASSERT_GE(uri.Port(), 0) << url;
    ASSERT_LE(uri.Port(), 65535) << url;
    ASSERT_FALSE(uri.Path().empty()) << url;
  }
  EXPECT_GT(splits, 10000);
}

// Sample strings of RFC 3492, section 7.1, and "bücher".
TEST(Punycode, EncodesTheSampleStrings) {
  const std::pair<std::u32string, std::string> samples[] = {
      {U"\u0644\u064A\u0647\u0645\u0627\u0628\u062A\u0643\u0644\u0645\u0648\u0634\u0639\u0631\u0628\u064A\u061F",
       "egbpdaj6bu4bxfgehfvwxn"},
      {U"\u4ED6\u4EEC\u4E3A\u4EC0\u4E48\u4E0D\u8BF4\u4E2D\u6587", "ihqwcrb4cv8a8dqg056pqjye"},
      {U"Pro\u010Dprost\u011Bnemluv\u00ED\u010Desky", "Proprostnemluvesky-uyb24dma41a"},
      {U"3\u5E74B\u7D44\u91D1\u516B\u5148\u751F", "3B-ww4c5e180e575a65lsy2b"},
      {U"\u5B89\u5BA4\u5948\u7F8E\u6075-with-SUPER-MONKEYS", "-with-SUPER-MONKEYS-pc58ag80a8qai00g7n9n"},
      {U"-> $1.00 <-", "-> $1.00 <--"},
      {U"b\u00FCcher", "bcher-kva"},
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
