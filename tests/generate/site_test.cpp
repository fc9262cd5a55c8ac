// Generate and Statistics over a small hand-made template set: the bytes
// of every fragment, the new rule, server links, resources, page names
// and the stops before anything is written.
#include "generate/new_rule.h"
#include "generate/page_names.h"
#include "support/time_zone.h"
#include "tests/generate/site_fixture.h"

#include <gtest/gtest.h>

#include <tuple>

namespace vellumark::testing {
namespace {

using namespace std::string_literals;
using Log = std::vector<std::string>;

const std::map<std::string, std::string> kHandMadeSet = {
    {"header.html", "<h1 title=\"%%TOOLTIP%%\">%%TITLE%%|%%HEADING%%</h1> ||favorite,favorites||\r\n"},
    {"beginlist.html", "<li>%%FOLDER%%\r\n<ul title=\"%%TOOLTIP%% ||item,items||\">\r\n"},
    {"endlist.html", "</ul></li>\r\n"},
    {"filelink.html", "<a href=\"%%URL%%\" title=\"%%TOOLTIP%%\" target=\"%%TARGET%%\">%%FAVORITE%%</a>%%NEW%%\r\n"},
    {"filenew.html", " *new*\r\n"},
    {"folderlink.html", "<a href=\"%%URL%%\" title=\"%%TOOLTIP%%\" target=\"%%TARGET%%\">%%FOLDER%%</a>%%NEW%% ||link,links||\r\n"},
    {"foldernew.html", " (%%LINKS%% ||new one,new ones||)\r\n"},
    {"footer.html", "<p>%%UPDATED%% ||page,pages||</p>\r\n"},
    {"index.html", "<meta d=\"%%DESCRIPTION%%\" k=\"%%KEYWORDS%%\" t=\"%%TOOLTIP%%\"> ||favorite,favorites||\r\n"},
};

std::string Link(std::string_view indent, std::string_view url, std::string_view name, std::string_view marker = "") {
  return std::string(indent) + "<a href=\"" + std::string(url) + "\" title=\"" + std::string(url) +
         "\" target=\"_blank\">" + std::string(name) + "</a>" + std::string(marker);
}

constexpr std::string_view k12 = "            ";
constexpr std::string_view k16 = "                ";

class SiteTest : public SiteFixture {
 protected:
  SiteTest() {
    WriteSet("T", kHandMadeSet);
    settings_.SetTemplate("T");
    settings_.SetInterval(0);
    settings_.SetUpdated("Upd");
    settings_.SetWHOIS("https://who.example/?q=%q&x=%q");
  }

  // Sets a shortcut's time so that its local date-time is `local`.
  void Touch(const std::string& relative, const LocalDateTime& local) {
    NativeFileServices().SetLastWriteUtc(temp_ / ("fav/" + relative), ToUtc(local, CurrentUtcOffsetMinutes()));
  }
};

TEST_F(SiteTest, GenerateWritesEveryFragmentWithItsIndentCountAndValues) {
  AddFavorite("Links/Tools/a.url", "http://a/");
  AddFavorite("Links/Tools/b.url", "http://b/");
  AddFavorite("Links/x & y.url", "http://x/?p=1&q=2 \xC3\xA9");
  const std::string bad = temp_.Write("fav/Links/bad.url", "[InternetShortcut]\r\n");
  temp_.MakeFolder("fav/News/Empty");
  AddFavorite("Solo/one.url", "http://one/");
  AddFavorite("r1.url", "http://r1/");
  AddFavorite("r2.url", "http://r2/");
  Refresh({"Links", "News", "Solo", "/"});

  ASSERT_EQ(Generate(), ProcessRunner::Outcome::kCompleted) << ::testing::PrintToString(host_.messages);
  EXPECT_EQ(host_.messages, Log{"Error reading URL from 1 shortcut:\r\n" + bad});
  EXPECT_EQ(Output("links.html"),
            "<h1 title=\"4\">Links|Links</h1> favorites\r\n" + std::string(k12) + "<li>Tools\r\n" + std::string(k12) +
                "<ul title=\"2 items\">\r\n" + Link(k16, "http://a/", "a") + "\r\n" + Link(k16, "http://b/", "b") + "\r\n" +
                std::string(k12) + "</ul></li>\r\n" + Link(k12, "http://x/?p=1&amp;q=2%20%C3%A9", "x &amp; y") + "\r\n" +
                "<p>Upd ||page,pages||</p>\r\n");
  EXPECT_EQ(Output("news.html"), "<h1 title=\"0\">News|News</h1> favorites\r\n<p>Upd ||page,pages||</p>\r\n");
  EXPECT_EQ(Output("solo.html"), "<h1 title=\"1\">Solo|Solo</h1> favorite\r\n" + Link(k12, "http://one/", "one") +
                                     "\r\n<p>Upd ||page,pages||</p>\r\n");
  EXPECT_EQ(Output("index.html"),
            "<meta d=\", Links, News, Solo\" k=\", Links, News, Solo\" t=\"7\"> favorites\r\n" + std::string(k12) +
                "<a href=\"links.html\" title=\"4\" target=\"_self\">Links</a> links\r\n" + std::string(k12) +
                "<a href=\"news.html\" title=\"0\" target=\"_self\">News</a> links\r\n" + std::string(k12) +
                "<a href=\"solo.html\" title=\"1\" target=\"_self\">Solo</a> link\r\n" + Link(k12, "http://r1/", "r1") +
                Link(k12, "http://r2/", "r2") + "\r\n<p>Upd pages</p>\r\n");
  EXPECT_EQ(OutputNames(), (Log{"index.html", "links.html", "news.html", "solo.html"}));
}

// New marks by local calendar days before the present moment.
class NewRuleTest : public SiteTest {
 protected:
  NewRuleTest() {
    const std::tuple<std::string, std::string, LocalDateTime> shortcuts[] = {
        {"A/seven.url", "http://seven/", {2024, 3, 3, 0, 0, 0}}, {"A/eight.url", "http://eight/", {2024, 3, 2, 23, 59, 59}},
        {"A/today.url", "http://today/", {2024, 3, 10, 0, 0, 1}}, {"B/future.url", "http://future/", {2025, 1, 1, 8, 0, 0}},
        {"B/old.url", "http://old/", {2020, 1, 1, 0, 0, 0}},      {"r.url", "http://r/", {2024, 3, 9, 23, 0, 0}}};
    for (const auto& [file, url, time] : shortcuts) {
      AddFavorite(file, url);
      Touch(file, time);
    }
    Refresh({"A", "B", "/"});
  }
};

// Interval 7 marks seven days ago, today and the future but not eight days
// ago; other intervals move the limit and 0 never reads the markers.
TEST_F(NewRuleTest, MarksByCalendarDaysBeforeNow) {
  settings_.SetInterval(7);
  ASSERT_EQ(Generate(), ProcessRunner::Outcome::kCompleted);
  EXPECT_EQ(Output("a.html"), "<h1 title=\"3\">A|A</h1> favorites\r\n" + Link(k12, "http://eight/", "eight") + "\r\n" +
                                  Link(k12, "http://seven/", "seven", " *new*") + "\r\n" +
                                  Link(k12, "http://today/", "today", " *new*") + "\r\n<p>Upd ||page,pages||</p>\r\n");
  EXPECT_EQ(Output("index.html"), "<meta d=\", A, B\" k=\", A, B\" t=\"6\"> favorites\r\n" + std::string(k12) +
                                      "<a href=\"a.html\" title=\"3\" target=\"_self\">A</a> (2 new ones) links\r\n" +
                                      std::string(k12) +
                                      "<a href=\"b.html\" title=\"2\" target=\"_self\">B</a> (1 new one) links\r\n" +
                                      Link(k12, "http://r/", "r", " *new*") + "\r\n<p>Upd pages</p>\r\n");
  for (const auto& [interval, mark] : {std::pair{8, "(3 new ones) links"}, {1, "(1 new one) links"}, {0, "links"}}) {
    Refresh({"A", "B", "/"});
    settings_.SetInterval(interval);
    files_.reads.clear();
    ASSERT_EQ(Generate(), ProcessRunner::Outcome::kCompleted);
    EXPECT_NE(Output("index.html").find("target=\"_self\">A</a> "s + mark + "\r\n"), std::string::npos) << interval;
  }
  EXPECT_EQ(Output("a.html").find("*new*"), std::string::npos);
  EXPECT_EQ(Reads("T", "filenew.html") + Reads("T", "foldernew.html"), 0);
}

TEST(CalendarDays, CountDateBoundariesNotHours) {
  EXPECT_EQ(CalendarDaysBetween({2024, 3, 9, 23, 59, 59}, {2024, 3, 10, 0, 0, 1}), 1);
  EXPECT_EQ(CalendarDaysBetween({2024, 3, 10, 0, 0, 0}, {2024, 3, 10, 23, 59, 59}), 0);
  EXPECT_EQ(CalendarDaysBetween({2024, 2, 28, 12, 0, 0}, {2024, 3, 1, 12, 0, 0}), 2);
  EXPECT_EQ(CalendarDaysBetween({2023, 12, 31, 0, 0, 0}, {2024, 1, 1, 0, 0, 0}), 1);
  EXPECT_EQ(CalendarDaysBetween({2024, 3, 11, 0, 0, 0}, {2024, 3, 10, 0, 0, 0}), -1);
}

// Counts beyond 16 bits, from a folder the file services make up, and each
// template file read once per run however many favorites there are.
TEST_F(SiteTest, EachTemplateFileIsReadOncePerRunAndCountsHoldMoreThanSixteenBits) {
  files_.many = temp_.MakeFolder("fav/Many") + path::kSeparator;
  files_.manyCount = 70000;
  for (int i = 0; i < 5; ++i) AddFavorite("r" + std::to_string(i) + ".url", "http://r/");
  settings_.SetInterval(1000);
  for (const bool statistics : {false, true}) {
    files_.reads.clear();
    Refresh({"Many", "/"});
    ASSERT_EQ(statistics ? Statistics() : Generate(), ProcessRunner::Outcome::kCompleted);
    for (std::string_view file : Templates::kFiles) {
      const bool marker = file == "filenew.html" || file == "foldernew.html";
      EXPECT_EQ(Reads("T", std::string(file)), statistics && marker ? 0 : 1) << file;
    }
  }
  EXPECT_EQ(Output("index.html").find("<meta d=\", Many\" k=\", Many\" t=\"70005\"> favorites\r\n"), 0u);
  EXPECT_NE(Output("index.html").find("<a href=\"many.html\" title=\"70000\""), std::string::npos);
  EXPECT_EQ(Output("many.html").substr(0, 18), "<h1 title=\"70000\">");
}

TEST_F(SiteTest, StatisticsLinksServersToTheLookupAndReportsUnparsableUrls) {
  settings_.SetInterval(30);
  AddFavorite("S/a.url", "http://srv.example:8080/x?y=1");
  AddFavorite("S/b.url", "nonsense");
  AddFavorite("S/c.url", "http://it's.example/");
  AddFavorite("S/d.url", "http://a&b.example/");
  AddFavorite("S/Deep/e.url", "https://deep.example/");
  AddFavorite("S/f.url", "https://B\xC3\xBC" "cher.example/");
  AddFavorite("S/g.url", "mailto:x@y.example");
  AddFavorite("S/h.url", "javascript:void(0)");
  AddFavorite("r.url", "http://r.example/ x");
  AddFavorite("s.url", "also nonsense");
  Refresh({"S", "/"});
  ASSERT_EQ(Statistics(), ProcessRunner::Outcome::kCompleted);
  EXPECT_EQ(host_.messages, (Log{"Error parsing 2 URLs:\r\nnonsense\r\nalso%20nonsense"}));
  const std::string lookup = "https://who.example/?q=";
  EXPECT_EQ(Output("s.html"),
            "<h1 title=\"8\">S|S</h1> favorites\r\n" + std::string(k12) + "<li>Deep\r\n" + std::string(k12) +
                "<ul title=\"1 item\">\r\n" +
                Link(k16, lookup + "deep.example&x=deep.example", "WHOIS: deep.example") + "\r\n" + std::string(k12) +
                "</ul></li>\r\n" + Link(k12, lookup + "srv.example&x=srv.example", "WHOIS: srv.example") + "\r\n" +
                Link(k12, lookup + "it&#39;s.example&x=it&#39;s.example", "WHOIS: it&#39;s.example") + "\r\n" +
                Link(k12, lookup + "a&amp;b.example&x=a&amp;b.example", "WHOIS: a&amp;b.example") + "\r\n" +
                Link(k12, lookup + "xn--bcher-kva.example&x=xn--bcher-kva.example", "WHOIS: B\xC3\xBC" "cher.example") +
                "\r\n" + Link(k12, "mailto:x@y.example", "g") + "\r\n" + Link(k12, "javascript:void(0)", "h") + "\r\n" +
                "<p>Upd ||page,pages||</p>\r\n");
  EXPECT_EQ(Output("index.html"), "<meta d=\", S\" k=\", S\" t=\"10\"> favorites\r\n" + std::string(k12) +
                                      "<a href=\"s.html\" title=\"8\" target=\"_self\">S</a> links\r\n" +
                                      Link(k12, "http://r.example/%20x", "r") + "\r\n<p>Upd pages</p>\r\n");
}

// Resources are copied except pages in any letter case (a folder named like
// a page is no page, and the page takes another name); read-only ones are
// replaced by the next run and a failed copy is reported.
TEST_F(SiteTest, ResourcesAreCopiedExceptPagesAndReplacedByTheNextRun) {
  WriteSet("T", {{"img/a/b.png", std::string("\x89PNG\0\r\n", 7)}, {"extra.html", "x"}, {"Upper.HTML", "x"},
                 {"css/inner.Html", "x"}, {"notes.txt", "n"}, {"A.html/pic.png", "p"}});
  const std::string style = SetFile("T", "css/style.css");
  AddFavorite("A/a.url", "http://a/");
  Refresh({"A"});
  for (const char* version : {"v1", "v2"}) {
    NativeFileServices().SetAttributes(style, 0);
    WriteSet("T", {{"css/style.css", version}, {"a.css", "a"}});
    NativeFileServices().SetAttributes(style, attribute::kReadOnly);
    ASSERT_EQ(Generate(), ProcessRunner::Outcome::kCompleted);
    EXPECT_EQ(Output("css/style.css"), version);
    files_.uncopyable.insert(SetFile("T", "a.css"));
  }
  NativeFileServices().SetAttributes(style, 0);
  EXPECT_EQ(host_.messages, Log{"Error copying \r\n" + SetFile("T", "a.css")});
  EXPECT_EQ(Output("img/a/b.png"), std::string("\x89PNG\0\r\n", 7));
  EXPECT_EQ(Output("notes.txt"), "n");
  EXPECT_EQ(Output("A.html/pic.png"), "p");
  EXPECT_EQ(Output("a-2.html").substr(0, 14), "<h1 title=\"1\">");
  for (const char* page : {"extra.html", "Upper.HTML", "css/inner.Html", "header.html"}) EXPECT_FALSE(OutputExists(page));
  EXPECT_EQ(OutputNames(), (Log{"a-2.html", "a.css", "A.html", "css", "img", "index.html", "notes.txt"}));
}

// Page names never take another output's name (the index, a resource, each
// other in any letter case), hold nothing that breaks a file name or link
// and stay within 200 bytes of whole UTF-8 characters.
TEST(PageNames, AreSafeLowerCaseAndNeverTaken) {
  PageNames names;
  names.Reserve("News.html");
  const std::string a199(199, 'a');
  const std::pair<std::string, std::string> cases[] = {
      {"Links", "links.html"}, {"LINKS", "links-2.html"}, {"links", "links-3.html"}, {"Index", "index-2.html"},
      {"news", "news-2.html"}, {"C# 100%", "c_ 100_.html"}, {"a?b/c\\d:e*f\"g<h>i|j\tk\x7F", "a_b_c_d_e_f_g_h_i_j_k_.html"},
      {"con", "con_.html"}, {"LPT1.old", "lpt1_.old.html"}, {"Nul ", "nul _.html"}, {"", "_.html"},
      {"Caf\xC3\xA9 \xC3\x84rger \xC3\x97", "caf\xC3\xA9 \xC3\xA4rger \xC3\x97.html"},
      // Latin Extended-A, Greek and Cyrillic capitals; others stay.
      {"\xC4\x80\xC4\xB9\xC5\x8A\xC5\xB8\xC5\xB9\xCE\x91\xD0\x80\xD0\x96\xE6\x97\xA5\xFF",
       "\xC4\x81\xC4\xBA\xC5\x8B\xC3\xBF\xC5\xBA\xCE\xB1\xD1\x90\xD0\xB6\xE6\x97\xA5\xFF.html"},
      {std::string(250, 'b'), std::string(200, 'b') + ".html"}, {a199 + "\xC3\xA9", a199 + ".html"}};
  for (const auto& [folder, page] : cases) EXPECT_EQ(names.Add(folder), page) << folder;
}

// What stops a run before it writes anything.
TEST_F(SiteTest, AnIncompleteOrUnreadableTemplateSetStopsBeforeWriting) {
  AddFavorite("A/a.url", "http://a/");
  WriteSet("T", {{"style.css", "s"}});
  files_.unreadable.insert(SetFile("T", "endlist.html"));
  Refresh({"A"});
  EXPECT_EQ(Generate(), ProcessRunner::Outcome::kFailed);
  EXPECT_EQ(host_.messages, Log{"Error reading template \r\n" + SetFile("T", "endlist.html")});
  NativeFileServices().RemoveFile(SetFile("T", "footer.html"));
  for (const bool statistics : {false, true}) {
    host_.messages.clear();
    Refresh({"A"});
    EXPECT_EQ(statistics ? Statistics() : Generate(), ProcessRunner::Outcome::kFailed);
    EXPECT_EQ(host_.messages, Log{"No complete template set is selected\r\n" + templates_.FolderName()});
    EXPECT_TRUE(host_.folders[0].ticked);
  }
  EXPECT_EQ(OutputNames(), Log{});
}

TEST_F(SiteTest, CancelledOptionsWriteNothingAndConfirmedOnesAreReadAfterwards) {
  AddFavorite("A/a.url", "http://a/");
  Touch("A/a.url", {2024, 3, 9, 0, 0, 0});
  Refresh({"A"});
  chooseOptions_ = [] { return false; };
  EXPECT_EQ(Generate(), ProcessRunner::Outcome::kCancelled);
  EXPECT_EQ(OutputNames(), Log{});
  EXPECT_TRUE(files_.reads.empty());
  EXPECT_TRUE(host_.folders[0].ticked);

  chooseOptions_ = [this] {
    settings_.SetInterval(2);
    settings_.SetUpdated("Fresh");
    return true;
  };
  EXPECT_EQ(Generate(), ProcessRunner::Outcome::kCompleted);
  EXPECT_EQ(Output("a.html"), "<h1 title=\"1\">A|A</h1> favorite\r\n" + Link(k12, "http://a/", "a", " *new*") +
                                  "\r\n<p>Fresh ||page,pages||</p>\r\n");
  // Statistics has no options step; a ticked root without favorites adds nothing.
  chooseOptions_ = [] { return false; };
  Refresh({"/"});
  EXPECT_EQ(Statistics(), ProcessRunner::Outcome::kCompleted);
  EXPECT_EQ(Output("index.html"), "<meta d=\"\" k=\"\" t=\"0\"> favorites\r\n<p>Fresh pages</p>\r\n");
}

}  // namespace
}  // namespace vellumark::testing
