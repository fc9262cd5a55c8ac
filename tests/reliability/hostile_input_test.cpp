// Hostile favorites trees: markup, quotes, line breaks, NUL and invalid
// UTF-8 in names and URLs, huge URLs, deep trees, symbolic-link loops,
// read-only and unusable folders, odd template sets. Every run ends with
// the right exit code, bookmarks.html reads back as the tree, and every
// site page is well-formed with each name as text, never as markup.
#include "tests/processes/netscape_reader.h"
#include "tests/reliability/html_checker.h"
#include "tests/reliability/reliability_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace vellumark::testing {
namespace {

using Urls = std::multimap<std::string, std::string>;  // bookmark name to URL

std::string Shortcut(std::string_view url) { return "[InternetShortcut]\r\nURL=" + std::string(url) + "\r\nX=1\r\n"; }

// Every bookmark below `folder`; `depth` gets the deepest level of lists.
Urls Flatten(const netscape::Folder& folder, int& depth, int level = 1) {
  Urls urls;
  depth = std::max(depth, level);
  for (const netscape::Bookmark& bookmark : folder.bookmarks) urls.emplace(bookmark.name, bookmark.url);
  for (const netscape::Folder& child : folder.folders) urls.merge(Flatten(child, depth, level + 1));
  return urls;
}

class Hostile : public ReliabilityFixture {
 protected:
  Urls Convert() {
    const CliResult result = RunProcess("convert");
    EXPECT_EQ(result.code, 0) << result.err;
    std::string html = NativeFileServices().ReadFile(output_ + "/bookmarks.html").value_or("");
    document_ = netscape::Read(html);
    std::transform(html.begin(), html.end(), html.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_EQ(html.find("<script"), std::string::npos) << "markup escaped into bookmarks.html";
    EXPECT_TRUE(document_.balanced);
    depth_ = 0;
    return Flatten(document_.root, depth_);
  }

  // Runs the process (Generate or Statistics) and checks every page; true
  // when some text or attribute value of a page holds each of `wanted`.
  bool SiteShows(const std::vector<std::string>& wanted, const std::string& process = "generate") {
    std::error_code error;
    fs::remove_all(fs::u8path(output_), error);
    const CliResult result = RunProcess(process);
    EXPECT_EQ(result.code, 0) << result.err;
    std::string all;
    int pages = 0;
    for (const auto& [name, bytes] : TakeSnapshot(output_)) {
      if (!name.ends_with(".html")) continue;
      ++pages;
      const html::Report report = html::Check(bytes);
      EXPECT_EQ(report.error, "") << process << " page " << name;
      for (const auto* texts : {&report.texts, &report.attributes}) {
        for (const std::string& text : *texts) all += text + '\0';
      }
    }
    EXPECT_GT(pages, 0);
    return std::all_of(wanted.begin(), wanted.end(), [&](const std::string& w) { return all.find(w) != std::string::npos; });
  }

  netscape::Document document_;
  int depth_ = 0;
};

TEST_F(Hostile, MarkupQuotesLineBreaksNulAndInvalidUtf8StayTextInEveryOutput) {
  // Each name with its shortcut's URL and the URL an importer reads back
  // where that differs (a byte that is not UTF-8 makes the file
  // Windows-1252).
  const std::tuple<std::string, std::string, std::string> favorites[] = {
      {"<script>alert(1)<\\script>", "javascript:alert('x')\"><script>alert(1)</script>", ""},
      {"<b onclick=\"x()\">", "http://x/\" onmouseover=\"alert(1)", ""},
      {"say \"hi\" & 'bye'", "http://x/<b>&amp;", ""}, {"tab\there", "http://x/a b\tc", ""},
      {"line\r\nbreak", "http://\xFF\xFE.example/", "http://\xC3\xBF\xC3\xBE.example/"},
      {"bad \xFF\xFE bytes", "http://x/%22%3E", "http://x/\">"},
      {"&amp; &#60; &lt", "http://x/'single'", ""}, {"%3Cb%3E", "http://x/?a=1&b=<2>", ""},
      {"--><!--", "http://x/&#10;", ""}, {"]]>", "http://x/", ""}};
  // A NUL ends the value: the URL is what stands before it.
  temp_.Write("fav/nul.url", std::string("[InternetShortcut]\r\nURL=http://x/\0<script>alert(1)</script>\r\n", 56));
  Urls expected{{"nul", "http://x/"}};
  std::vector<std::string> names;
  for (auto [name, url, read] : favorites) {
    temp_.Write("fav/<h3>Folder \"one\"<\\h3>\r\n/" + name + ".url", Shortcut(url));
    // The outputs show bytes that are not UTF-8 as "?".
    std::replace_if(name.begin(), name.end(), [](char c) { return c == '\xFF' || c == '\xFE'; }, '?');
    expected.emplace(names.emplace_back(name), read.empty() ? url : read);
  }
  EXPECT_EQ(Convert(), expected);
  ASSERT_EQ(document_.root.folders.size(), 1u);
  EXPECT_EQ(document_.root.folders[0].name, "<h3>Folder \"one\"<\\h3>\r\n");
  EXPECT_TRUE(SiteShows(names));
  SiteShows({}, "statistics");
  const CliResult check = RunProcess("check");
  EXPECT_EQ(check.code, 0) << check.err;
}

TEST_F(Hostile, HugeUrlsAndTwentyLevelsPassWhole) {
  const std::string plain = "http://x/" + std::string(64 * 1024, 'a');
  std::string marked = "http://x/?";
  while (marked.size() < 64 * 1024) marked += "<\"&'>";
  temp_.Write("fav/Big/plain.url", Shortcut(plain));
  temp_.Write("fav/Big/marked.url", Shortcut(marked));
  Urls expected{{"plain", plain}, {"marked", marked}};
  std::string folder = "fav/Top";
  for (int level = 1; level <= 20; ++level) {
    const std::string n = std::to_string(level);
    temp_.Write(folder + "/at " + n + ".url", Shortcut("http://x/" + n));
    expected.emplace("at " + n, "http://x/" + n);
    folder += "/<level " + n + ">";
  }
  EXPECT_EQ(Convert(), expected);
  EXPECT_EQ(depth_, 21);  // the root list and 20 folders
  EXPECT_TRUE(SiteShows({marked, "<level 18>"}));
  const CliResult clean = RunProcess("clean");
  EXPECT_EQ(clean.code, 0) << clean.err;
  EXPECT_EQ(*NativeFileServices().ReadFile(temp_ / "fav/Big/marked.url"), "[InternetShortcut]\r\nURL=" + marked + "\r\n");
}

// Links to folders are not followed; a linked shortcut counts and Clean
// rewrites it through its link.
TEST_F(Hostile, SymbolicLinksToFoldersAreNotFollowed) {
  temp_.Write("fav/A/a.url", Shortcut("http://a/"));
  temp_.Write("fav/A/B/b.url", Shortcut("http://b/"));
  temp_.Write("fav/top.url", Shortcut("http://top/"));
  const std::string target = temp_.Write("elsewhere/shared.url", Shortcut("http://shared/"));
  for (const auto& [to, link] : {std::pair{target, "shared.url"}, {"..", "A/B/up"}, {".", "A/self"},
                                 {favorites_, "A/B/root"}, {"../A", "Loop"}, {"nowhere.url", "A/dangling.url"}}) {
    ASSERT_EQ(symlink(to.c_str(), (temp_ / ("fav/" + std::string(link))).c_str()), 0);
  }

  const CliResult list = Run({"list"});
  EXPECT_EQ(list.code, 0);
  EXPECT_EQ(list.out.find("Loop"), std::string::npos) << list.out;
  EXPECT_EQ(Convert().size(), 4u) << "each favorite once, none through a folder link";
  SiteShows({});
  const CliResult clean = RunProcess("clean");
  EXPECT_EQ(clean.code, 0) << clean.err;
  EXPECT_EQ(*NativeFileServices().ReadFile(temp_ / "fav/A/B/b.url"), "[InternetShortcut]\r\nURL=http://b/\r\n");
  EXPECT_TRUE(fs::is_symlink(fs::u8path(temp_ / "fav/shared.url"))) << "the link stays a link";
  EXPECT_EQ(*NativeFileServices().ReadFile(target), "[InternetShortcut]\r\nURL=http://shared/\r\n");
}

// Makes a folder read-only with a bind mount (root ignores permission bits).
struct ReadOnlyMount {
  explicit ReadOnlyMount(const std::string& path) : folder("'" + path + "'") {
    const std::string bind = "mount --bind " + folder + " " + folder + " && mount -o remount,bind,ro " + folder;
    mounted = std::system(("(" + bind + ") 2>/dev/null || { umount " + folder + " 2>/dev/null; false; }").c_str()) == 0;
  }
  ~ReadOnlyMount() {
    if (mounted) std::system(("umount " + folder).c_str());
  }
  const std::string folder;  // quoted
  bool mounted = false;
};

TEST_F(Hostile, FavoritesOnAReadOnlyFileSystem) {
  const std::string dirty = Shortcut("http://a/");
  const std::string file = temp_.Write("fav/News/a.url", dirty);
  temp_.Write("fav/b.url", Shortcut("http://b/"));
  const ReadOnlyMount mount(favorites_);
  if (!mount.mounted) GTEST_SKIP() << "no read-only bind mount here (needs root and mount rights)";
  const CliResult clean = RunProcess("clean");
  EXPECT_EQ(clean.code, cli::exit_code::kIncomplete);
  EXPECT_NE(clean.err.find(file), std::string::npos) << clean.err;
  EXPECT_EQ(*NativeFileServices().ReadFile(file), dirty);
  EXPECT_EQ(Convert().size(), 2u);
}

TEST_F(Hostile, UnusableOutputFolders) {
  temp_.Write("fav/a.url", Shortcut("http://a/"));
  const std::string file = temp_.Write("a-file", "x");
  const std::string locked = temp_.MakeFolder("locked");
  const ReadOnlyMount mount(locked);
  for (const std::string& output : {file, file + "/below", locked}) {
    if (output == locked && !mount.mounted) GTEST_SKIP() << "no read-only bind mount here (needs root and mount rights)";
    output_ = output;
    for (const char* process : {"check", "convert", "generate"}) {
      const CliResult result = RunProcess(process);
      EXPECT_EQ(result.code, 1) << process << " into " << output;
      EXPECT_NE(result.err.find(output), std::string::npos) << result.err;
    }
    EXPECT_EQ(*NativeFileServices().ReadFile(file), "x");
  }
}

TEST_F(Hostile, TemplateSetWithDeepSubfoldersAndHugeFiles) {
  const std::string set = temp_ / "program/Templates/Odd";
  std::error_code error;
  fs::copy(fs::u8path(temp_ / "program/Templates/Default"), fs::u8path(set), fs::copy_options::recursive, error);
  std::string deep = "program/Templates/Odd";
  for (int level = 0; level < 12; ++level) deep += "/sub" + std::to_string(level);
  temp_.Write(deep + "/picture.png", "\x89PNG");
  temp_.Write(deep + "/page.html", "<p>not a resource</p>");
  ASSERT_EQ(symlink("../..", (temp_ / (deep + "/loop")).c_str()), 0);
  // A 4 MB header and a 24 MB resource.
  std::string header = *NativeFileServices().ReadFile(set + "/header.html");
  header.insert(header.find("<main>"), std::string(4 << 20, 'x') + "\r\n");
  temp_.Write("program/Templates/Odd/header.html", header);
  temp_.Write("program/Templates/Odd/big.css", std::string(24 << 20, ' '));

  temp_.Write("fav/One/a.url", Shortcut("http://a/"));
  temp_.Write("fav/Two/b.url", Shortcut("http://b/"));
  templateSet_ = "Odd";
  EXPECT_TRUE(SiteShows({"One", "Two"}));
  const Snapshot site = TakeSnapshot(output_);
  const std::string copied = deep.substr(std::string("program/Templates/Odd/").size()) + "/picture.png";
  EXPECT_EQ(site.count(copied), 1u) << "resources in subfolders are copied";
  EXPECT_EQ(site.at("big.css").size(), std::size_t{24} << 20);
}

TEST_F(Hostile, SettingsStoreThatCannotBeWritten) {
  const std::string blocker = temp_.Write("blocker", "x");
  setenv("XDG_CONFIG_HOME", blocker.c_str(), 1);
  EXPECT_NE(Cli({"settings", "Interval", "9"}).code, 0);
  EXPECT_EQ(*NativeFileServices().ReadFile(blocker), "x");

  // The store the fixture wrote, on a read-only file system.
  setenv("XDG_CONFIG_HOME", (temp_ / "config").c_str(), 1);
  const std::string stored = *NativeFileServices().ReadFile(temp_ / "config/vellumark/settings.ini");
  const ReadOnlyMount mount(temp_ / "config/vellumark");
  if (!mount.mounted) GTEST_SKIP() << "no read-only bind mount here (needs root and mount rights)";
  EXPECT_NE(Cli({"settings", "Interval", "12"}).code, 0);
  EXPECT_EQ(*NativeFileServices().ReadFile(temp_ / "config/vellumark/settings.ini"), stored);
}

TEST_F(Hostile, CleanLeavesAShortcutWhoseBytesWouldReadAsAnotherUrl) {
  // Windows-1252 because of the icon line; without it the URL's bytes
  // C3 A9 ("Ã©" here) would read as UTF-8 "é".
  const std::string bytes = "[InternetShortcut]\r\nURL=http://x/\xC3\xA9\r\nIconFile=\xE9.ico\r\n";
  const std::string file = temp_.Write("fav/a.url", bytes);
  const CliResult clean = RunProcess("clean");
  EXPECT_EQ(clean.code, cli::exit_code::kIncomplete);
  EXPECT_NE(clean.err.find(file), std::string::npos);
  EXPECT_EQ(*NativeFileServices().ReadFile(file), bytes);
}

}  // namespace
}  // namespace vellumark::testing
