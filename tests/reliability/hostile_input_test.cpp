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
#include <functional>

namespace vellumark::testing {
namespace {

using netscape::Bookmark;
using netscape::Folder;

std::string Shortcut(std::string_view url) { return "[InternetShortcut]\r\nURL=" + std::string(url) + "\r\nX=1\r\n"; }

// Names and URLs as the output shows them: bytes that are not UTF-8 as "?".
std::string Shown(std::string text) {
  std::replace(text.begin(), text.end(), '\xFF', '?');
  std::replace(text.begin(), text.end(), '\xFE', '?');
  return text;
}

const Bookmark* FindBookmark(const Folder& folder, const std::string& name) {
  for (const Bookmark& bookmark : folder.bookmarks) {
    if (bookmark.name == name) return &bookmark;
  }
  for (const Folder& child : folder.folders) {
    if (const Bookmark* found = FindBookmark(child, name)) return found;
  }
  return nullptr;
}

int Depth(const Folder& folder) {
  int deepest = 0;
  for (const Folder& child : folder.folders) deepest = std::max(deepest, Depth(child));
  return deepest + 1;
}

int CountBookmarks(const Folder& folder) {
  int count = static_cast<int>(folder.bookmarks.size());
  for (const Folder& child : folder.folders) count += CountBookmarks(child);
  return count;
}

bool ContainsNoCase(std::string haystack, std::string needle) {
  std::transform(haystack.begin(), haystack.end(), haystack.begin(), [](unsigned char c) { return std::tolower(c); });
  return haystack.find(needle) != std::string::npos;
}

class Hostile : public ReliabilityFixture {
 protected:
  netscape::Document Convert() {
    const CliResult result = RunProcess("convert");
    EXPECT_EQ(result.code, 0) << result.err;
    const std::string html = NativeFileServices().ReadFile(output_ + "/bookmarks.html").value_or("");
    EXPECT_FALSE(ContainsNoCase(html, "<script")) << "markup escaped into bookmarks.html";
    netscape::Document document = netscape::Read(html);
    EXPECT_TRUE(document.balanced);
    return document;
  }

  // Generates the site (or Statistics) and checks every page; returns all
  // texts of all pages.
  std::vector<std::string> Site(const std::string& process = "generate") {
    std::error_code error;
    fs::remove_all(fs::u8path(output_), error);
    const CliResult result = RunProcess(process);
    EXPECT_EQ(result.code, 0) << result.err;
    std::vector<std::string> texts;
    int pages = 0;
    for (const auto& [name, bytes] : TakeSnapshot(output_)) {
      if (!name.ends_with(".html")) continue;
      ++pages;
      const html::Report report = html::Check(bytes);
      EXPECT_EQ(report.error, "") << process << " page " << name;
      texts.insert(texts.end(), report.texts.begin(), report.texts.end());
      texts.insert(texts.end(), report.attributes.begin(), report.attributes.end());
    }
    EXPECT_GT(pages, 0);
    return texts;
  }

  static bool HasText(const std::vector<std::string>& texts, const std::string& wanted) {
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return t.find(wanted) != std::string::npos; });
  }
};

TEST_F(Hostile, MarkupQuotesLineBreaksNulAndInvalidUtf8StayTextInEveryOutput) {
  // Each name with its shortcut's URL and the URL an importer reads back
  // (a byte that is not UTF-8 makes the file Windows-1252).
  const std::tuple<std::string, std::string, std::string> favorites[] = {
      {"<script>alert(1)<\\script>", "javascript:alert('x')\"><script>alert(1)</script>",
       "javascript:alert('x')\"><script>alert(1)</script>"},
      {"<b onclick=\"x()\">", "http://x/\" onmouseover=\"alert(1)", "http://x/\" onmouseover=\"alert(1)"},
      {"say \"hi\" & 'bye'", "http://x/<b>&amp;", "http://x/<b>&amp;"},
      {"line\r\nbreak", "http://\xFF\xFE.example/", "http://\xC3\xBF\xC3\xBE.example/"},
      {"tab\there", "http://x/a b\tc", "http://x/a b\tc"},
      {"bad \xFF\xFE bytes", "http://x/%22%3E", "http://x/\">"},
      {"&amp; &#60; &lt", "http://x/'single'", "http://x/'single'"},
      {"%3Cb%3E", "http://x/?a=1&b=<2>", "http://x/?a=1&b=<2>"},
      {"--><!--", "http://x/&#10;", "http://x/&#10;"},
      {"]]>", "http://x/", "http://x/"}};
  for (const auto& [name, url, read] : favorites) temp_.Write("fav/<h3>Folder \"one\"<\\h3>\r\n/" + name + ".url", Shortcut(url));
  // A NUL ends the value: the URL is what stands before it.
  temp_.Write("fav/nul.url", std::string("[InternetShortcut]\r\nURL=http://x/\0<script>alert(1)</script>\r\n", 56));

  const netscape::Document document = Convert();
  ASSERT_EQ(document.root.folders.size(), 1u);
  EXPECT_EQ(document.root.folders[0].name, "<h3>Folder \"one\"<\\h3>\r\n");
  for (const auto& [name, url, read] : favorites) {
    const Bookmark* bookmark = FindBookmark(document.root, Shown(name));
    ASSERT_NE(bookmark, nullptr) << name;
    EXPECT_EQ(bookmark->url, read) << name;
  }
  ASSERT_NE(FindBookmark(document.root, "nul"), nullptr);
  EXPECT_EQ(FindBookmark(document.root, "nul")->url, "http://x/");

  const std::vector<std::string> texts = Site();
  for (const auto& [name, url, read] : favorites) EXPECT_TRUE(HasText(texts, Shown(name))) << name;
  Site("statistics");
  const CliResult check = RunProcess("check");
  EXPECT_EQ(check.code, 0) << check.err;
}

TEST_F(Hostile, HugeUrlsPassWhole) {
  const std::string plain = "http://x/" + std::string(64 * 1024, 'a');
  std::string marked = "http://x/?";
  while (marked.size() < 64 * 1024) marked += "<\"&'>";
  temp_.Write("fav/Big/plain.url", Shortcut(plain));
  temp_.Write("fav/Big/marked.url", Shortcut(marked));
  const netscape::Document document = Convert();
  ASSERT_NE(FindBookmark(document.root, "plain"), nullptr);
  EXPECT_EQ(FindBookmark(document.root, "plain")->url, plain);
  ASSERT_NE(FindBookmark(document.root, "marked"), nullptr);
  EXPECT_EQ(FindBookmark(document.root, "marked")->url, marked);
  const std::vector<std::string> texts = Site();
  EXPECT_TRUE(HasText(texts, marked));
  const CliResult clean = RunProcess("clean");
  EXPECT_EQ(clean.code, 0) << clean.err;
  EXPECT_EQ(*NativeFileServices().ReadFile(temp_ / "fav/Big/marked.url"), "[InternetShortcut]\r\nURL=" + marked + "\r\n");
}

TEST_F(Hostile, TwentyLevelsDeep) {
  std::string folder = "fav/Top";
  for (int level = 1; level <= 20; ++level) {
    temp_.Write(folder + "/at " + std::to_string(level) + ".url", Shortcut("http://x/" + std::to_string(level)));
    folder += "/<level " + std::to_string(level) + ">";
  }
  const netscape::Document document = Convert();
  EXPECT_EQ(CountBookmarks(document.root), 20);
  EXPECT_EQ(Depth(document.root), 21);  // the root list and 20 folders
  ASSERT_NE(FindBookmark(document.root, "at 20"), nullptr);
  const std::vector<std::string> texts = Site();
  EXPECT_TRUE(HasText(texts, "<level 18>"));
  EXPECT_EQ(RunProcess("clean").code, 0);
}

// Links to folders are not followed; a linked shortcut counts and Clean
// rewrites it through its link.
TEST_F(Hostile, SymbolicLinksToFoldersAreNotFollowed) {
  temp_.Write("fav/A/a.url", Shortcut("http://a/"));
  temp_.Write("fav/A/B/b.url", Shortcut("http://b/"));
  temp_.Write("fav/top.url", Shortcut("http://top/"));
  const std::string target = temp_.Write("elsewhere/shared.url", Shortcut("http://shared/"));
  ASSERT_EQ(symlink(target.c_str(), (temp_ / "fav/shared.url").c_str()), 0);
  ASSERT_EQ(symlink("..", (temp_ / "fav/A/B/up").c_str()), 0);
  ASSERT_EQ(symlink(".", (temp_ / "fav/A/self").c_str()), 0);
  ASSERT_EQ(symlink(favorites_.c_str(), (temp_ / "fav/A/B/root").c_str()), 0);
  ASSERT_EQ(symlink("../A", (temp_ / "fav/Loop").c_str()), 0);
  ASSERT_EQ(symlink("nowhere.url", (temp_ / "fav/A/dangling.url").c_str()), 0);

  const CliResult list = Run({"list"});
  EXPECT_EQ(list.code, 0);
  EXPECT_EQ(list.out.find("Loop"), std::string::npos) << list.out;
  const netscape::Document document = Convert();
  EXPECT_EQ(CountBookmarks(document.root), 4) << "each favorite once, none through a folder link";
  Site();
  const CliResult clean = RunProcess("clean");
  EXPECT_EQ(clean.code, 0) << clean.err;
  EXPECT_EQ(*NativeFileServices().ReadFile(temp_ / "fav/A/B/b.url"), "[InternetShortcut]\r\nURL=http://b/\r\n");
  EXPECT_TRUE(fs::is_symlink(fs::u8path(temp_ / "fav/shared.url"))) << "the link stays a link";
  EXPECT_EQ(*NativeFileServices().ReadFile(target), "[InternetShortcut]\r\nURL=http://shared/\r\n");
}

// Makes a folder read-only with a bind mount (root ignores permission bits).
class ReadOnlyMount {
 public:
  explicit ReadOnlyMount(const std::string& folder) : folder_(folder) {
    mounted_ = std::system(("mount --bind '" + folder + "' '" + folder + "' 2>/dev/null").c_str()) == 0;
    if (mounted_ && std::system(("mount -o remount,bind,ro '" + folder + "' 2>/dev/null").c_str()) != 0) Unmount();
  }
  ~ReadOnlyMount() { Unmount(); }
  bool Mounted() const { return mounted_; }

 private:
  void Unmount() {
    if (mounted_) std::system(("umount '" + folder_ + "'").c_str());
    mounted_ = false;
  }
  std::string folder_;
  bool mounted_ = false;
};

TEST_F(Hostile, FavoritesOnAReadOnlyFileSystem) {
  const std::string dirty = Shortcut("http://a/");
  const std::string file = temp_.Write("fav/News/a.url", dirty);
  temp_.Write("fav/b.url", Shortcut("http://b/"));
  const ReadOnlyMount mount(favorites_);
  if (!mount.Mounted()) GTEST_SKIP() << "no read-only bind mount here (needs root and mount rights)";
  const CliResult clean = RunProcess("clean");
  EXPECT_EQ(clean.code, cli::exit_code::kIncomplete);
  EXPECT_NE(clean.err.find(file), std::string::npos) << clean.err;
  EXPECT_EQ(*NativeFileServices().ReadFile(file), dirty);
  EXPECT_EQ(CountBookmarks(Convert().root), 2);
}

TEST_F(Hostile, UnusableOutputFolders) {
  temp_.Write("fav/a.url", Shortcut("http://a/"));
  const std::string missing = temp_ / "not/there/yet";
  EXPECT_EQ(Run({"convert", "--all", "--output", missing}).code, 0);
  EXPECT_TRUE(NativeFileServices().ReadFile(missing + "/bookmarks.html"));
  const std::string file = temp_.Write("a-file", "x");
  const std::string locked = temp_.MakeFolder("locked");
  const ReadOnlyMount mount(locked);
  for (const std::string& output : {file, file + "/below", locked}) {
    if (output == locked && !mount.Mounted()) GTEST_SKIP() << "no read-only bind mount here (needs root and mount rights)";
    for (const std::string process : {"check", "convert", "generate"}) {
      std::vector<std::string> arguments{process, "--all", "--output", output};
      if (process == "generate") arguments.insert(arguments.end(), {"--template", "Default"});
      const CliResult result = Run(arguments);
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
  const CliResult result = Run({"generate", "--all", "--output", output_, "--template", "Odd"});
  ASSERT_EQ(result.code, 0) << result.err;
  const Snapshot site = TakeSnapshot(output_);
  const std::string copied = deep.substr(std::string("program/Templates/Odd/").size()) + "/picture.png";
  EXPECT_EQ(site.count(copied), 1u) << "resources in subfolders are copied";
  EXPECT_EQ(site.at("big.css").size(), std::size_t{24} << 20);
  int pages = 0;
  for (const auto& [name, bytes] : site) {
    if (!name.ends_with(".html") || name.find('/') != std::string::npos) continue;
    ++pages;
    EXPECT_EQ(html::Check(bytes).error, "") << name;
  }
  EXPECT_EQ(pages, 3);  // index and one page per folder
}

TEST_F(Hostile, SettingsStoreThatCannotBeWritten) {
  std::ostringstream out, err;
  const std::string program = temp_ / "program/";
  const std::string blocker = temp_.Write("blocker", "x");
  setenv("XDG_CONFIG_HOME", blocker.c_str(), 1);
  EXPECT_NE(cli::RunCli({"settings", "Interval", "9"}, out, err, NativeFileServices(), false, program), 0);
  EXPECT_EQ(*NativeFileServices().ReadFile(blocker), "x");

  const std::string config = temp_.MakeFolder("config2");
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  ASSERT_EQ(cli::RunCli({"settings", "Interval", "9"}, out, err, NativeFileServices(), false, program), 0) << err.str();
  const std::string stored = *NativeFileServices().ReadFile(config + "/vellumark/settings.ini");
  const ReadOnlyMount mount(config + "/vellumark");
  if (!mount.Mounted()) GTEST_SKIP() << "no read-only bind mount here (needs root and mount rights)";
  EXPECT_NE(cli::RunCli({"settings", "Interval", "12"}, out, err, NativeFileServices(), false, program), 0);
  EXPECT_EQ(*NativeFileServices().ReadFile(config + "/vellumark/settings.ini"), stored);
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
