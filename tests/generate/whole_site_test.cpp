// A whole site from the shipped default template set over a generated
// favorites tree with odd names and contents: every page is checked for
// its frame, its links, its counts, its new marks and its encoded names.
#include "generate/new_rule.h"
#include "tests/generate/site_fixture.h"
#include "tools/tree_generator.h"

#include <gtest/gtest.h>

#include "support/time_zone.h"

#include <regex>

namespace vellumark::testing {
namespace {

constexpr const char* kShipped = VELLUMARK_SOURCE_DIR "/Templates/Default";

// What the enumerator reports for one checked folder.
struct FolderContents : FavoritesEvents {
  std::vector<FavoriteItem> favorites;
  int listedSubfolders = 0;

  void AfterFolderChange(int, FolderItem&) override {}
  void BeforeFolderChange(int, FolderItem& folder) override { listedSubfolders += folder.Count > 0; }
  void FavoriteChange(int, FavoriteItem& favorite, std::string_view) override { favorites.push_back(favorite); }
  void FavoriteError(std::string_view) override {}
};

int Occurrences(const std::string& text, std::string_view what) {
  int count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++count;
  return count;
}

std::vector<std::string> Hrefs(const std::string& page) {
  static const std::regex href("href=\"([^\"]*)\"");
  std::vector<std::string> found;
  for (auto it = std::sregex_iterator(page.begin(), page.end(), href); it != std::sregex_iterator(); ++it) {
    found.push_back((*it)[1]);
  }
  return found;
}

class WholeSite : public SiteFixture {
 protected:
  WholeSite() {
    const std::string shipped = path::AddFolderSeparator(kShipped);
    for (const DirectoryEntry& entry : NativeFileServices().ListFolder(shipped).value_or(std::vector<DirectoryEntry>{})) {
      temp_.Write("Templates/Default/" + entry.name, NativeFileServices().ReadFile(shipped + entry.name).value_or(""));
    }
    tools::TreeOptions tree;
    tree.output = temp_ / "fav";
    tree.favorites = 400;
    tree.seed = 7;
    EXPECT_TRUE(tools::GenerateTree(tree, NativeFileServices()));
  }

  // The page frame every file of the default set gives.
  static void ExpectFrame(const std::string& page, const std::string& name) {
    EXPECT_EQ(page.rfind("<!DOCTYPE html>\r\n<html lang=\"en\">\r\n<head>\r\n  <meta charset=\"utf-8\">\r\n", 0), 0u) << name;
    EXPECT_NE(page.find("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"), std::string::npos) << name;
    EXPECT_NE(page.find("<title>"), std::string::npos) << name;
    EXPECT_EQ(page.substr(page.size() - 9), "</html>\r\n") << name;
    EXPECT_EQ(page.find("%%"), std::string::npos) << name;
    EXPECT_EQ(page.find("||"), std::string::npos) << name;
    EXPECT_EQ(page.find("<script"), std::string::npos) << name;
    for (const auto& [tag, close] : {std::pair<std::string_view, std::string_view>{"ul", "</ul>"}, {"li", "</li>"},
                                     {"details", "</details>"}, {"a", "</a>"}, {"span", "</span>"}}) {
      const std::string open = "<" + std::string(tag);
      EXPECT_EQ(Occurrences(page, open + ">") + Occurrences(page, open + " "), Occurrences(page, close)) << name << " " << tag;
    }
  }
};

TEST_F(WholeSite, EveryPageLinksCountsAndMarksWhatTheTreeHolds) {
  Refresh({});
  for (RecordingHost::Folder& folder : host_.folders) folder.ticked = true;
  const std::vector<RecordingHost::Folder> listed = host_.folders;
  settings_.SetTemplate("Default");
  settings_.SetInterval(400);
  settings_.SetUpdated("Updated <b>today</b>");
  now_ = ToLocal(1750000000, CurrentUtcOffsetMinutes());
  ASSERT_EQ(Generate(), ProcessRunner::Outcome::kCompleted);

  const HTML html;
  const std::string index = Output("index.html");
  ExpectFrame(index, "index.html");
  EXPECT_NE(index.find("<p>Updated <b>today</b></p>"), std::string::npos);
  std::size_t indexAt = 0;
  long long total = 0;
  int pages = 0;
  std::string rootLinks;
  for (const RecordingHost::Folder& folder : listed) {
    FolderContents contents;
    const bool root = folder.text == "/";
    favorites_.Read(root ? temp_ / "fav" : temp_ / ("fav/" + folder.text), !root, contents);
    int fresh = 0;
    for (const FavoriteItem& favorite : contents.favorites) fresh += IsNewFavorite(favorite.Modified, now_, 400);
    total += folder.count;
    SCOPED_TRACE(folder.text);

    std::string page;
    if (root) {
      page = index;
    } else {
      // The index entry, in list order, names the page, its count and its new marks.
      const std::string name = html.Encode(folder.text);
      const std::string title = std::to_string(folder.count) + (folder.count == 1 ? " favorite" : " favorites");
      const std::string entry = "\" title=\"" + title + "\" target=\"_self\">" + name + "</a>";
      const std::size_t at = index.find(entry, indexAt);
      ASSERT_NE(at, std::string::npos) << entry;
      indexAt = at;
      const std::size_t hrefAt = index.rfind("<a href=\"", at) + 9;
      const std::string link = html.Decode(index.substr(hrefAt, at - hrefAt), true);
      const std::string lineEnd = index.substr(at + entry.size(), index.find("\r\n", at) - at - entry.size());
      EXPECT_EQ(lineEnd, fresh == 0 ? "</li>"
                                    : " <span class=\"new\" title=\"" + std::to_string(fresh) + " new " +
                                          (fresh == 1 ? "favorite" : "favorites") + "\">" + std::to_string(fresh) +
                                          " new</span></li>");
      page = Output(link);
      ASSERT_NE(page, "<missing>") << link;
      ++pages;
      ExpectFrame(page, link);
      EXPECT_NE(page.find("<h1 title=\"" + title + "\">" + name + "</h1>"), std::string::npos);
      EXPECT_EQ(Occurrences(page, "<li class=\"folder\">"), contents.listedSubfolders);
      EXPECT_EQ(Occurrences(page, "<span class=\"new\">new</span>"), fresh);
      EXPECT_EQ(Occurrences(page, "target=\"_blank\""), static_cast<int>(contents.favorites.size()));
      for (const std::string& href : Hrefs(page)) {
        if (href.find(':') != std::string::npos) continue;
        EXPECT_TRUE(OutputExists(html.Decode(href, true))) << href;
      }
    }
    for (const FavoriteItem& favorite : contents.favorites) {
      const std::string url = html.Encode(favorite.URL, true);
      EXPECT_NE(page.find("<a href=\"" + url + "\" title=\"" + url + "\" target=\"_blank\" rel=\"noopener\">" +
                          html.Encode(favorite.Name) + "</a>"),
                std::string::npos)
          << favorite.Name;
    }
  }
  EXPECT_GT(pages, 5);
  const std::string totalText = std::to_string(total) + " favorites";
  EXPECT_NE(index.find("<h1 title=\"" + totalText + "\">Favorites</h1>"), std::string::npos) << totalText;
  for (const std::string& href : Hrefs(index)) {
    if (href.find(':') == std::string::npos) {
      EXPECT_TRUE(OutputExists(html.Decode(href, true))) << href;
    }
  }
  EXPECT_EQ(Output("style.css"), NativeFileServices().ReadFile(path::AddFolderSeparator(kShipped) + "style.css"));
}

TEST_F(WholeSite, StatisticsPagesLinkEveryParsedServer) {
  Refresh({});
  for (RecordingHost::Folder& folder : host_.folders) folder.ticked = folder.text != "/";
  settings_.SetTemplate("Default");
  settings_.SetWHOIS("https://whois.example/lookup?q=%q");
  ASSERT_EQ(Statistics(), ProcessRunner::Outcome::kCompleted);
  const std::string index = Output("index.html");
  ExpectFrame(index, "index.html");
  int links = 0;
  for (const std::string& href : Hrefs(index)) {
    if (href.find(':') != std::string::npos || !href.ends_with(".html")) continue;
    const std::string page = Output(HTML().Decode(href, true));
    ASSERT_NE(page, "<missing>") << href;
    ExpectFrame(page, href);
    EXPECT_EQ(page.find("<span class=\"new\""), std::string::npos);
    links += Occurrences(page, "<a href=\"https://whois.example/lookup?q=");
    EXPECT_EQ(Occurrences(page, "<a href=\"https://whois.example/lookup?q="), Occurrences(page, ">WHOIS: "));
  }
  EXPECT_GT(links, 100);
}

}  // namespace
}  // namespace vellumark::testing
