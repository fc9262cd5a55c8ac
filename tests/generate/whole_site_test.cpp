// A whole site from the shipped default template set over a generated
// favorites tree with odd names and contents: every page is checked for
// its frame, its links, its count and its encoded names.
#include "tests/generate/site_fixture.h"
#include "tests/reliability/html_checker.h"
#include "tools/tree_generator.h"

#include <gtest/gtest.h>

#include <regex>

namespace vellumark::testing {
namespace {

constexpr const char* kShipped = VELLUMARK_SOURCE_DIR "/Templates/Default";

// The favorites the enumerator reports for one checked folder.
struct FolderContents : FavoritesEvents {
  std::vector<FavoriteItem> favorites;

  void AfterFolderChange(int, FolderItem&) override {}
  void BeforeFolderChange(int, FolderItem&) override {}
  void FavoriteChange(int, FavoriteItem& favorite, std::string_view) override { favorites.push_back(favorite); }
  void FavoriteError(std::string_view) override {}
};

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

  // The page frame every file of the default set gives; every page is
  // well-formed and each of its own links reaches a file of the site.
  void ExpectPage(const std::string& page) const {
    EXPECT_EQ(page.rfind("<!DOCTYPE html>\r\n<html lang=\"en\">\r\n<head>\r\n  <meta charset=\"utf-8\">\r\n", 0), 0u);
    EXPECT_EQ(page.substr(page.size() - 9), "</html>\r\n");
    EXPECT_EQ(page.find("%%"), std::string::npos);
    EXPECT_EQ(page.find("||"), std::string::npos);
    EXPECT_EQ(html::Check(page).error, "");
    static const std::regex href("href=\"([^\":]*)\"");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), href); it != std::sregex_iterator(); ++it) {
      EXPECT_TRUE(OutputExists(HTML().Decode((*it)[1].str(), true))) << (*it)[1];
    }
  }
};

TEST_F(WholeSite, EveryPageIsWellFormedAndLinksWhatTheTreeHolds) {
  Refresh({});
  for (RecordingHost::Folder& folder : host_.folders) folder.ticked = true;
  const std::vector<RecordingHost::Folder> listed = host_.folders;
  settings_.SetTemplate("Default");
  settings_.SetInterval(400);
  settings_.SetUpdated("Updated <b>today</b>");
  ASSERT_EQ(Generate(), ProcessRunner::Outcome::kCompleted);

  const HTML html;
  const std::string index = Output("index.html");
  EXPECT_NE(index.find("<p>Updated <b>today</b></p>"), std::string::npos);
  long long total = 0;
  for (const RecordingHost::Folder& folder : listed) {
    SCOPED_TRACE(folder.text);
    const bool root = folder.text == "/";
    total += folder.count;
    std::string page = index;
    if (!root) {
      // The index entry names the folder's page and its count.
      const std::string title = std::to_string(folder.count) + (folder.count == 1 ? " favorite" : " favorites");
      const std::string entry = "\" title=\"" + title + "\" target=\"_self\">" + html.Encode(folder.text) + "</a>";
      const std::size_t at = index.find(entry);
      ASSERT_NE(at, std::string::npos) << entry;
      const std::size_t hrefAt = index.rfind("<a href=\"", at) + 9;
      page = Output(html.Decode(index.substr(hrefAt, at - hrefAt), true));
      EXPECT_NE(page.find("<h1 title=\"" + title + "\">" + html.Encode(folder.text) + "</h1>"), std::string::npos);
    }
    ExpectPage(page);
    FolderContents contents;
    favorites_.Read(root ? temp_ / "fav" : temp_ / ("fav/" + folder.text), !root, contents);
    for (const FavoriteItem& favorite : contents.favorites) {
      const std::string url = html.Encode(favorite.URL, true);
      EXPECT_NE(page.find("<a href=\"" + url + "\" title=\"" + url + "\" target=\"_blank\" rel=\"noopener\">" +
                          html.Encode(favorite.Name) + "</a>"),
                std::string::npos)
          << favorite.Name;
    }
  }
  EXPECT_GT(listed.size(), 5u);
  EXPECT_NE(index.find("<h1 title=\"" + std::to_string(total) + " favorites\">Favorites</h1>"), std::string::npos);
  EXPECT_EQ(Output("style.css"), NativeFileServices().ReadFile(path::AddFolderSeparator(kShipped) + "style.css"));
}

}  // namespace
}  // namespace vellumark::testing
