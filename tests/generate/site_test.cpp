// Generate and Statistics over a small hand-made template set: the bytes
// of every fragment, the new rule, server links, resources, page names
// and the stops before anything is written.
#include "generate/new_rule.h"
#include "generate/page_names.h"
#include "processes/html.h"
#include "support/time_zone.h"
#include "tests/generate/site_fixture.h"

#include <gtest/gtest.h>

#include <set>

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
  temp_.MakeFolder("fav/News/Empty");
  AddFavorite("Solo/one.url", "http://one/");
  AddFavorite("r1.url", "http://r1/");
  AddFavorite("r2.url", "http://r2/");
  Refresh({"Links", "News", "Solo", "/"});

  ASSERT_EQ(Generate(), ProcessRunner::Outcome::kCompleted) << ::testing::PrintToString(host_.messages);
  EXPECT_EQ(host_.messages, Log{});
  EXPECT_EQ(Output("links.html"),
            "<h1 title=\"3\">Links|Links</h1> favorites\r\n" + std::string(k12) + "<li>Tools\r\n" + std::string(k12) +
                "<ul title=\"2 items\">\r\n" + Link(k16, "http://a/", "a") + "\r\n" + Link(k16, "http://b/", "b") + "\r\n" +
                std::string(k12) + "</ul></li>\r\n" + Link(k12, "http://x/?p=1&amp;q=2%20%C3%A9", "x &amp; y") + "\r\n" +
                "<p>Upd ||page,pages||</p>\r\n");
  EXPECT_EQ(Output("news.html"), "<h1 title=\"0\">News|News</h1> favorites\r\n<p>Upd ||page,pages||</p>\r\n");
  EXPECT_EQ(Output("solo.html"), "<h1 title=\"1\">Solo|Solo</h1> favorite\r\n" + Link(k12, "http://one/", "one") +
                                     "\r\n<p>Upd ||page,pages||</p>\r\n");
  EXPECT_EQ(Output("index.html"),
            "<meta d=\", Links, News, Solo\" k=\", Links, News, Solo\" t=\"6\"> favorites\r\n" + std::string(k12) +
                "<a href=\"links.html\" title=\"3\" target=\"_self\">Links</a> links\r\n" + std::string(k12) +
                "<a href=\"news.html\" title=\"0\" target=\"_self\">News</a> links\r\n" + std::string(k12) +
                "<a href=\"solo.html\" title=\"1\" target=\"_self\">Solo</a> link\r\n" + Link(k12, "http://r1/", "r1") +
                Link(k12, "http://r2/", "r2") + "\r\n<p>Upd pages</p>\r\n");
  EXPECT_EQ(OutputNames(), (Log{"index.html", "links.html", "news.html", "solo.html"}));

  const std::vector<CheckedFolder>& checked = runner_.State().checkedfolders;
  ASSERT_EQ(checked.size(), 4u);
  EXPECT_EQ(checked[0].processedcount, 3);
  EXPECT_EQ(checked[3].processedcount, 2);
  EXPECT_TRUE(std::find(host_.log.begin(), host_.log.end(), "status Generating Solo...") != host_.log.end());
}

TEST_F(SiteTest, IndexSortsTheFoldersSkipsAnEmptyRootAndCountsUnreadableShortcuts) {
  AddFavorite("B/b.url", "http://b/");
  AddFavorite("A/a.url", "http://a/");
  const std::string bad = temp_.Write("fav/A/bad.url", "[InternetShortcut]\r\n");
  Refresh({"B", "A", "/"});
  ASSERT_EQ(Generate(), ProcessRunner::Outcome::kCompleted);
  EXPECT_EQ(host_.messages, Log{"Error reading URL from 1 shortcut:\r\n" + bad});
  EXPECT_EQ(Output("index.html"), "<meta d=\", A, B\" k=\", A, B\" t=\"3\"> favorites\r\n" + std::string(k12) +
                                      "<a href=\"a.html\" title=\"2\" target=\"_self\">A</a> links\r\n" + std::string(k12) +
                                      "<a href=\"b.html\" title=\"1\" target=\"_self\">B</a> link\r\n<p>Upd pages</p>\r\n");
}

// New marks by local calendar days before the present moment.
class NewRuleTest : public SiteTest {
 protected:
  NewRuleTest() {
    AddFavorite("A/seven.url", "http://seven/");
    AddFavorite("A/eight.url", "http://eight/");
    AddFavorite("A/today.url", "http://today/");
    AddFavorite("A/future.url", "http://future/");
    AddFavorite("B/old.url", "http://old/");
    AddFavorite("r.url", "http://r/");
    Touch("A/seven.url", {2024, 3, 3, 0, 0, 0});
    Touch("A/eight.url", {2024, 3, 2, 23, 59, 59});
    Touch("A/today.url", {2024, 3, 10, 0, 0, 1});
    Touch("A/future.url", {2025, 1, 1, 8, 0, 0});
    Touch("B/old.url", {2020, 1, 1, 0, 0, 0});
    Touch("r.url", {2024, 3, 9, 23, 0, 0});
    Refresh({"A", "B", "/"});
  }
};

// Interval 7 marks seven days ago, today and the future but not eight days
// ago; other intervals move the limit and 0 never reads the markers.
TEST_F(NewRuleTest, MarksByCalendarDaysBeforeNow) {
  settings_.SetInterval(7);
  ASSERT_EQ(Generate(), ProcessRunner::Outcome::kCompleted);
  EXPECT_EQ(Output("a.html"), "<h1 title=\"4\">A|A</h1> favorites\r\n" + Link(k12, "http://eight/", "eight") + "\r\n" +
                                  Link(k12, "http://future/", "future", " *new*") + "\r\n" +
                                  Link(k12, "http://seven/", "seven", " *new*") + "\r\n" +
                                  Link(k12, "http://today/", "today", " *new*") + "\r\n<p>Upd ||page,pages||</p>\r\n");
  EXPECT_EQ(Output("index.html"), "<meta d=\", A, B\" k=\", A, B\" t=\"6\"> favorites\r\n" + std::string(k12) +
                                      "<a href=\"a.html\" title=\"4\" target=\"_self\">A</a> (3 new ones) links\r\n" +
                                      std::string(k12) + "<a href=\"b.html\" title=\"1\" target=\"_self\">B</a> link\r\n" +
                                      Link(k12, "http://r/", "r", " *new*") + "\r\n<p>Upd pages</p>\r\n");
  EXPECT_EQ(runner_.State().checkedfolders[0].newcount, 3);
  for (const auto& [interval, mark] : {std::pair{8, "(4 new ones) links"}, {1, "(2 new ones) links"}, {0, "links"}}) {
    Refresh({"A", "B", "/"});
    settings_.SetInterval(interval);
    files_.reads.clear();
    ASSERT_EQ(Generate(), ProcessRunner::Outcome::kCompleted);
    EXPECT_NE(Output("index.html").find("target=\"_self\">A</a> "s + mark + "\r\n"), std::string::npos) << interval;
  }
  EXPECT_EQ(Output("a.html").find("*new*"), std::string::npos);
  EXPECT_EQ(Reads("T", "filenew.html") + Reads("T", "foldernew.html"), 0);
  settings_.SetInterval(1);
  Touch("A/future.url", {2020, 1, 1, 0, 0, 0});
  Refresh({"A", "B", "/"});
  ASSERT_EQ(Generate(), ProcessRunner::Outcome::kCompleted);
  EXPECT_NE(Output("index.html").find("</a> (1 new one) links"), std::string::npos) << Output("index.html");
}

TEST(CalendarDays, CountDateBoundariesNotHours) {
  EXPECT_EQ(CalendarDaysBetween({2024, 3, 9, 23, 59, 59}, {2024, 3, 10, 0, 0, 1}), 1);
  EXPECT_EQ(CalendarDaysBetween({2024, 3, 10, 0, 0, 0}, {2024, 3, 10, 23, 59, 59}), 0);
  EXPECT_EQ(CalendarDaysBetween({2024, 2, 28, 12, 0, 0}, {2024, 3, 1, 12, 0, 0}), 2);
  EXPECT_EQ(CalendarDaysBetween({2023, 12, 31, 0, 0, 0}, {2024, 1, 1, 0, 0, 0}), 1);
  EXPECT_EQ(CalendarDaysBetween({2024, 3, 11, 0, 0, 0}, {2024, 3, 10, 0, 0, 0}), -1);
  EXPECT_TRUE(IsNewFavorite({2099, 1, 1, 0, 0, 0}, {2024, 3, 10, 0, 0, 0}, 1));
  EXPECT_FALSE(IsNewFavorite({2024, 3, 10, 0, 0, 0}, {2024, 3, 10, 0, 0, 0}, 0));
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

// Resources are copied except pages in any letter case; read-only ones are
// replaced by the next run and a failed copy is reported.
TEST_F(SiteTest, ResourcesAreCopiedExceptPagesAndReplacedByTheNextRun) {
  WriteSet("T", {{"img/a/b.png", std::string("\x89PNG\0\r\n", 7)}, {"extra.html", "x"}, {"Upper.HTML", "x"},
                 {"css/inner.Html", "x"}, {"notes.txt", "n"}});
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
  for (const char* page : {"extra.html", "Upper.HTML", "css/inner.Html", "header.html"}) EXPECT_FALSE(OutputExists(page));
  EXPECT_EQ(OutputNames(), (Log{"a.css", "a.html", "css", "img", "index.html", "notes.txt"}));
}

// Every folder link of the index page, as the file name it reaches.
std::vector<std::string> FolderLinks(const std::string& index) {
  const HTML html;
  std::vector<std::string> links;
  for (std::size_t at = 0; (at = index.find("<a href=\"", at)) != std::string::npos;) {
    at += 9;
    const std::string href = index.substr(at, index.find('"', at) - at);
    if (index.find("target=\"_self\"", at) < index.find('\n', at)) links.push_back(html.Decode(href, true));
  }
  return links;
}

// Page names never overwrite another output (the index, a resource, each
// other in any letter case) and always work as links.
TEST_F(SiteTest, OddFolderNamesGiveWorkingFileNamesAndLinks) {
  WriteSet("T", {{"news.html/pic.png", "p"}});
  std::vector<std::string> names = {"C# 100%", "Tom & Jerry", "Caf\xC3\xA9 \xC3\x84rger", "A.B", "Index", "News"};
#ifndef _WIN32
  names.insert(names.end(), {"what?", "back\\slash", "con", "LPT1.old", "x:y", "Links", "links", "tab\there"});
#endif
  for (const std::string& name : names) AddFavorite(name + "/f.url", "http://f/");
  Refresh(names);
  ASSERT_EQ(Generate(), ProcessRunner::Outcome::kCompleted) << ::testing::PrintToString(host_.messages);
  EXPECT_EQ(Output("news.html/pic.png"), "p");
  EXPECT_EQ(Output("index.html").substr(0, 6), "<meta ");
  const std::vector<std::string> links = FolderLinks(Output("index.html"));
  ASSERT_EQ(links.size(), names.size());
  std::set<std::string> pages;
  for (const std::string& link : links) {
    EXPECT_EQ(link.find_first_of("#?%/\\:"), std::string::npos) << link;
    EXPECT_TRUE(pages.insert(LowerCase(link)).second) << link;
    EXPECT_EQ(Output(link).substr(0, 14), "<h1 title=\"1\">") << link;
  }
  for (const char* page : {"c_ 100_.html", "caf\xC3\xA9 \xC3\xA4rger.html", "index-2.html", "news-2.html"}) {
    EXPECT_TRUE(pages.count(page)) << page;
  }
#ifndef _WIN32
  for (const char* page : {"con_.html", "lpt1_.old.html", "links.html", "links-2.html"}) EXPECT_TRUE(pages.count(page)) << page;
#endif
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
  // Statistics has no options step.
  chooseOptions_ = [] { return false; };
  Refresh({});
  EXPECT_EQ(Statistics(), ProcessRunner::Outcome::kCompleted);
  EXPECT_EQ(Output("index.html"), "<meta d=\"\" k=\"\" t=\"0\"> favorites\r\n<p>Fresh pages</p>\r\n");
}

}  // namespace
}  // namespace vellumark::testing
