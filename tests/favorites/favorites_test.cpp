#include "favorites/favorites.h"

#include "support/file_system.h"
#include "tests/favorites/recording_events.h"
#include "tests/support/failing_file_services.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <functional>

#ifdef _WIN32
#include "support/win32/windows_gate.h"
#endif

namespace vellumark {
namespace {

using testing::RecordingEvents;
using testing::TempFolder;
using Log = std::vector<std::string>;

std::string Shortcut(std::string_view url) { return "[InternetShortcut]\r\nURL=" + std::string(url) + "\r\n"; }

Log Sorted(Log items) {
  std::sort(items.begin(), items.end());
  return items;
}

// A Favorites folder in a temporary folder, with an enumerator over it.
class FavoritesTree : public ::testing::Test {
 protected:
  FavoritesTree() : favorites_(NativeFileServices(), [this] { return root_.Path(); }) {}

  std::string Add(std::string_view relative, std::string_view url) { return root_.Write(relative, Shortcut(url)); }

  Log ReadLog(std::string_view relative, bool recursive = true) {
    favorites_.Initialize();
    RecordingEvents events;
    favorites_.Read(relative.empty() ? root_.Path() : root_ / relative, recursive, events);
    return events.log;
  }

  TempFolder root_;
  Favorites favorites_;
};

TEST_F(FavoritesTree, ReadRaisesSubfoldersDepthFirstWithLevelsFromTheRoot) {
  const std::string x = Add("A/x.url", "http://x/");
  const std::string y = Add("A/B/y.url", "http://y/");
  Add("A/B/C/deep.url", "http://deep/");
  Add("top.url", "http://top/");
  favorites_.Initialize();
  RecordingEvents events;
  favorites_.Read(root_ / "A", true, events);
  EXPECT_EQ(events.log, (Log{"before 1 B 2", "before 2 C 1", "favorite 3 deep http://deep/", "after 2 C 1",
                             "favorite 2 y http://y/", "after 1 B 2", "favorite 1 x http://x/"}));
  EXPECT_EQ(events.files, (std::vector<std::string>{root_ / "A/B/C/deep.url", y, x}));
  EXPECT_EQ(ReadLog("A/B/"), (Log{"before 2 C 1", "favorite 3 deep http://deep/", "after 2 C 1", "favorite 2 y http://y/"}));
  EXPECT_EQ(ReadLog("", false), (Log{"favorite 0 top http://top/"}));
}

// Every shortcut, with or without a URL, counts; dot-named folders and
// files of other kinds do not.
TEST_F(FavoritesTree, InitializeCountsWhatAWalkFindsWithTheRootLast) {
  root_.Write("A/nokey.url", "[InternetShortcut]\r\nIconIndex=1\r\n");
  root_.Write("A/empty.url", "[InternetShortcut]\r\nURL=\r\n");
  root_.Write("A/B/binary.url", std::string("\0\xff\x01[", 4));
  const std::string name = "\xE6\x97\xA5\xE6\x9C\xAC\xF0\x9F\x98\x80";
  const std::string url = "http://example.com/" + std::string(2000, 'a');
  Add("A/" + name + ".url", url);
  Add("A/B/.url", "http://dot/");
  Add(".hidden/skip.url", "http://skip/");
  Add("sites.url/inside.url", "http://inside/");
  Add("Only.URL", "http://upper/");
  root_.Write("notes.txt", "URL=http://not-a-shortcut/");
  const std::vector<MainFolders> folders = favorites_.Initialize();
  ASSERT_EQ(folders.size(), 3u);
  EXPECT_EQ(folders.back(), (MainFolders{"/", 1}));
  EXPECT_EQ(Sorted({folders[0].Name + " " + std::to_string(folders[0].Count),
                    folders[1].Name + " " + std::to_string(folders[1].Count)}),
            (Log{"A 5", "sites.url 1"}));
  EXPECT_EQ(favorites_.Root(), root_.Path() + path::kSeparator);
  RecordingEvents events;
  favorites_.Read(root_ / "A", true, events);
  EXPECT_EQ(Sorted(events.log), (Log{"after 1 B 2", "before 1 B 2", "error", "error", "error", "favorite 1 " + name + " " + url,
                                     "favorite 2  http://dot/"}));
  EXPECT_EQ(Sorted(events.files), Sorted({root_ / "A/B/.url", root_ / "A/B/binary.url", root_ / "A/empty.url",
                                          root_ / "A/nokey.url", root_ / ("A/" + name + ".url")}));
  EXPECT_EQ(ReadLog("", false), (Log{"favorite 0 Only http://upper/"}));
  EXPECT_EQ(ReadLog("sites.url"), (Log{"favorite 1 inside http://inside/"}));
  for (const std::string& line : ReadLog("", true)) EXPECT_EQ(line.find("skip"), std::string::npos);
  Favorites missing(NativeFileServices(), [this] { return root_ / "missing"; });
  EXPECT_EQ(missing.Initialize(), (std::vector<MainFolders>{{"/", 0}}));
  events.log.clear();
  missing.Read(root_ / "missing", true, events);
  EXPECT_TRUE(events.log.empty());
}

TEST_F(FavoritesTree, ReadOnlyFavoritesFollowTheAttributeMask) {
  const std::string locked = Add("A/locked.url", "http://locked/");
  Add("A/open.url", "http://open/");
  ASSERT_TRUE(NativeFileServices().SetAttributes(locked, attribute::kReadOnly));
  favorites_.SetAttributes(attribute::kReadOnly | attribute::kHidden);
  EXPECT_EQ(favorites_.Initialize(), (std::vector<MainFolders>{{"A", 1}, {"/", 0}}));
  EXPECT_EQ(ReadLog("A"), (Log{"favorite 1 open http://open/"}));
  favorites_.SetAttributes(attribute::kHidden);
  EXPECT_EQ(favorites_.Initialize(), (std::vector<MainFolders>{{"A", 2}, {"/", 0}}));
  EXPECT_EQ(ReadLog("A").size(), 2u);
}

// A name changed in BeforeFolderChange reaches AfterFolderChange.
TEST_F(FavoritesTree, BothFolderEventsGetTheSameItem) {
  Add("A/B/y.url", "http://y/");
  favorites_.Initialize();
  struct Renaming : RecordingEvents {
    void BeforeFolderChange(int level, FolderItem& folder) override {
      folder.Name = "renamed";
      RecordingEvents::BeforeFolderChange(level, folder);
    }
  } events;
  favorites_.Read(root_ / "A", true, events);
  EXPECT_EQ(events.log, (Log{"before 1 renamed 1", "favorite 2 y http://y/", "after 1 renamed 1"}));
}

TEST(FavoritesBadInput, UnlistableFoldersUnreadableAndHugeShortcutsAreSkippedOrReported) {
  TempFolder root;
  root.Write("A/B/hidden-by-failure.url", Shortcut("http://b/"));
  const std::string unreadable = root.Write("A/gone.url", Shortcut("http://gone/"));
  root.Write("A/fine.url", Shortcut("http://fine/"));
  std::string junk(50 * 1024 * 1024, '\0');
  for (std::size_t i = 0; i < junk.size(); i += 7) junk[i] = static_cast<char>(i * 31);
  root.Write("A/binary.url", junk);
  std::string text = Shortcut("http://first/");
  while (text.size() < 50 * 1024 * 1024) text += "IconIndex=0\r\n[Section]\r\nkey=value value value value\r\n";
  root.Write("A/text.url", text);
  testing::FailingFileServices services;
  services.unlistable.insert(root / "A/B/");
  services.unreadable.insert(unreadable);
  Favorites favorites(services, [&] { return root.Path(); });
  EXPECT_EQ(favorites.Initialize(), (std::vector<MainFolders>{{"A", 4}, {"/", 0}}));
  RecordingEvents events;
  favorites.Read(root / "A", true, events);
  EXPECT_EQ(Sorted(events.log), (Log{"after 1 B 0", "before 1 B 0", "error", "error", "favorite 1 fine http://fine/",
                                     "favorite 1 text http://first/"}));
}

#ifdef _WIN32
// Runs a unix command in `folder` and waits until `done` holds: Wine starts
// unix programs but gives no handle to wait on.
bool RunUnix(const std::string& folder, std::string command, const std::function<bool()>& done) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &process)) {
    return false;
  }
  for (int i = 0; i < 200 && !done(); ++i) Sleep(50);
  return done();
}

// Fav\A\B\loop leads back to Fav\A: a unix symbolic link, which Wine shows
// as a folder link.
TEST_F(FavoritesTree, FolderLinksAreLeftOut) {
  Add("A/B/x.url", "http://x/");
  const std::string b = root_ / "A/B";
  ASSERT_TRUE(RunUnix(b, "/bin/ln -s ../../A loop", [&] { return FileSystem().IsFolder(b + "\\loop\\B"); }));
  EXPECT_EQ(favorites_.Initialize(), (std::vector<MainFolders>{{"A", 1}, {"/", 0}}));
  EXPECT_EQ(ReadLog("A"), (Log{"before 1 B 1", "favorite 2 x http://x/", "after 1 B 1"}));
  // The temporary folder's removal would follow the link.
  EXPECT_TRUE(RunUnix(b, "/bin/rm loop", [&] { return !FileSystem().IsFolder(b + "\\loop"); }));
}
#endif

}  // namespace
}  // namespace vellumark
