#include "app/win32/main_window_texts.h"

#include <gtest/gtest.h>

namespace vellumark::gui {
namespace {

TEST(StatusCounts, SingularOnlyForExactlyOneAndAFinalSpace) {
  EXPECT_EQ(FolderCountText(1, 0), "1 folder / 0 selected ");
  EXPECT_EQ(FolderCountText(0, 0), "0 folders / 0 selected ");
  EXPECT_EQ(FolderCountText(12, 3), "12 folders / 3 selected ");
  EXPECT_EQ(FavoriteCountText(1, 0), "1 favorite / 0 selected ");
  EXPECT_EQ(FavoriteCountText(250, 1), "250 favorites / 1 selected ");
  EXPECT_EQ(FavoriteCountText(40000, 32768), "40000 favorites / 32768 selected ");
}

TEST(ShortcutFolders, JoinsWithBarsAndSplitsBack) {
  EXPECT_EQ(JoinShortcutFolders({}), "");
  EXPECT_EQ(JoinShortcutFolders({"Links"}), "Links");
  EXPECT_EQ(JoinShortcutFolders({"Links", "News & Weather", "/"}), "Links|News & Weather|/");
  EXPECT_EQ(SplitShortcutFolders("Links|News & Weather|/"),
            (std::vector<std::string>{"Links", "News & Weather", "/"}));
  EXPECT_EQ(SplitShortcutFolders(""), std::vector<std::string>{""});
  EXPECT_EQ(SplitShortcutFolders("a||b|"), (std::vector<std::string>{"a", "", "b", ""}));
}

TEST(AboutTexts, CaptionDropsAmpersandsAndEllipses) {
  EXPECT_EQ(CaptionFromMenuText("&About Vellumark..."), "About Vellumark");
  EXPECT_EQ(CaptionFromMenuText("Save && Quit....."), "Save  Quit..");
  EXPECT_EQ(ApplicationTitle("Tarnwell"), "Tarnwell Vellumark");
  EXPECT_EQ(ApplicationVersionText(1, 0, 0), "Vellumark 1.0");
  EXPECT_EQ(ApplicationVersionText(2, 15, 3), "Vellumark 2.15.3");
}

}  // namespace
}  // namespace vellumark::gui
