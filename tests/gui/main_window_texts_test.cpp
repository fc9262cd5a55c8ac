#include "app/win32/main_window_texts.h"

#include <gtest/gtest.h>

namespace vellumark::gui {
namespace {

TEST(MainWindowTexts, CountsJoinedFoldersAndCaptions) {
  const std::pair<std::string, std::string> cases[] = {
      // Singular only for exactly one, and a final space.
      {FolderCountText(1, 0), "1 folder / 0 selected "},
      {FolderCountText(0, 0), "0 folders / 0 selected "},
      {FolderCountText(12, 3), "12 folders / 3 selected "},
      {FavoriteCountText(1, 0), "1 favorite / 0 selected "},
      {FavoriteCountText(40000, 32768), "40000 favorites / 32768 selected "},
      {JoinShortcutFolders({}), ""},
      {JoinShortcutFolders({"Links", "News & Weather", "/"}), "Links|News & Weather|/"},
      // Captions drop ampersands and ellipses.
      {CaptionFromMenuText("&About Vellumark..."), "About Vellumark"},
      {CaptionFromMenuText("Save && Quit....."), "Save  Quit.."},
      {ApplicationTitle("Tarnwell"), "Tarnwell Vellumark"},
      {ApplicationVersionText(1, 0, 0), "Vellumark 1.0"},
      {ApplicationVersionText(2, 15, 3), "Vellumark 2.15.3"}};
  for (const auto& [made, expected] : cases) EXPECT_EQ(made, expected);
  EXPECT_EQ(SplitShortcutFolders("Links|News & Weather|/"), (std::vector<std::string>{"Links", "News & Weather", "/"}));
  EXPECT_EQ(SplitShortcutFolders(""), std::vector<std::string>{""});
  EXPECT_EQ(SplitShortcutFolders("a||b|"), (std::vector<std::string>{"a", "", "b", ""}));
}

}  // namespace
}  // namespace vellumark::gui
