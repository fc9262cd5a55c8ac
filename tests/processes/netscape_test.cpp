// bookmarks.html as a browser's importer sees it: a generated favorites
// tree converted by a real run comes back, through an independent reader,
// with the folders, names, URLs and dates read from disk.
#include "favorites/internet_shortcut.h"
#include "runner/process_runner.h"
#include "runner/standard_processes.h"
#include "tests/processes/netscape_reader.h"
#include "tests/runner/recording_host.h"
#include "tests/support/temp_folder.h"
#include "tools/tree_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

namespace vellumark {
namespace {

namespace fs = std::filesystem;
using testing::netscape::Bookmark;
using testing::netscape::Folder;

TEST(NetscapeReader, IsTolerantLikeAnImporter) {
  const testing::netscape::Document document = testing::netscape::Read(
      "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<title>x</title>\n<dl><p>\n"
      "  <dt><h3 last_modified='7' add_date=5>A &amp; B</h3>\n  <DL><p>\n"
      "    <DT><a add_date=\"9\" href='http://x/a%20b?c=1&amp;d=2'>T&#10;&#x41;&lt;&quot;</a>\n"
      "  </DL>\n</dl>\n");
  EXPECT_TRUE(document.balanced);
  ASSERT_EQ(document.root.folders.size(), 1u);
  const Folder& folder = document.root.folders[0];
  EXPECT_EQ(folder.name, "A & B");
  EXPECT_EQ(folder.added, 5);
  EXPECT_EQ(folder.modified, 7);
  ASSERT_EQ(folder.bookmarks.size(), 1u);
  EXPECT_EQ(folder.bookmarks[0].name, "T\nA<\"");
  EXPECT_EQ(folder.bookmarks[0].url, "http://x/a b?c=1&d=2");
  EXPECT_EQ(folder.bookmarks[0].added, 9);
  EXPECT_EQ(folder.bookmarks[0].modified, -1);
  // A line break inside a title ends the line: the bookmark is lost.
  EXPECT_FALSE(testing::netscape::Read("<DL><P>\n<DT><A HREF=\"x\">a\nb</A>\n</DL><P>\n").balanced);
  EXPECT_FALSE(testing::netscape::Read("<DL><P>\n<DT><H3>a</H3>\n</DL><P>\n").balanced);
}

// The tree as it is on disk, read without the enumerator: what an import of
// a faithful conversion must give.
class DiskModel {
 public:
  // With read-only shortcuts, without hidden ones and dot-named folders.
  static Folder Root(const fs::path& root) {
    Folder model;
    for (const fs::directory_entry& entry : fs::directory_iterator(root)) {
      if (IsFolder(entry)) model.folders.push_back(FolderOf(entry.path()));
    }
    AddBookmarks(root, model);
    return model;
  }

 private:
  static std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
  }

  static std::string Name(const fs::path& path) { return Utf8(path.filename()); }

  static bool IsFolder(const fs::directory_entry& entry) {
    return entry.is_directory() && !entry.is_symlink() && !Name(entry.path()).starts_with(".");
  }

  // Hidden: a dot-named file on Linux, the attribute on Windows.
  static bool IsHidden(const fs::directory_entry& entry) {
#ifdef _WIN32
    return (NativeFileServices().GetAttributes(Utf8(entry.path())) & attribute::kHidden) != 0;
#else
    return Name(entry.path()).starts_with(".");
#endif
  }

  static bool IsShortcut(const fs::directory_entry& entry) {
    std::string name = Name(entry.path());
    if (!entry.is_regular_file() || IsHidden(entry) || name.size() < 4) return false;
    std::transform(name.end() - 4, name.end(), name.end() - 4, [](char c) { return static_cast<char>(std::tolower(c)); });
    return name.ends_with(".url");
  }

  static int Shortcuts(const fs::path& folder) {
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      if (IsFolder(entry)) count += Shortcuts(entry.path());
      if (IsShortcut(entry)) ++count;
    }
    return count;
  }

  static std::int64_t Time(const fs::path& path) {
    const auto utc = std::chrono::file_clock::to_sys(fs::last_write_time(path));
    const std::int64_t seconds = std::chrono::floor<std::chrono::seconds>(utc).time_since_epoch().count();
    return seconds > 0 && seconds <= std::numeric_limits<std::int32_t>::max() ? seconds : 0;
  }

  static Folder FolderOf(const fs::path& path) {
    Folder model{Name(path), Time(path), Time(path), {}, {}};
    for (const fs::directory_entry& entry : fs::directory_iterator(path)) {
      if (IsFolder(entry) && Shortcuts(entry.path()) > 0) model.folders.push_back(FolderOf(entry.path()));
    }
    AddBookmarks(path, model);
    return model;
  }

  static void AddBookmarks(const fs::path& folder, Folder& model) {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      if (!IsShortcut(entry)) continue;
      std::ifstream file(entry.path(), std::ios::binary);
      std::stringstream bytes;
      bytes << file.rdbuf();
      const std::string url = ReadShortcutUrl(bytes.str());
      if (url.empty()) continue;
      const std::string name = Name(entry.path());
      model.bookmarks.push_back({name.substr(0, name.size() - 4), url, Time(entry.path()), Time(entry.path())});
    }
  }
};

// One line per folder and bookmark, children sorted, so two trees compare
// whatever their order and a difference shows as a line.
void Dump(const Folder& folder, const std::string& indent, std::vector<std::string>& lines) {
  std::vector<const Folder*> folders;
  for (const Folder& child : folder.folders) folders.push_back(&child);
  std::sort(folders.begin(), folders.end(), [](const Folder* a, const Folder* b) { return a->name < b->name; });
  for (const Folder* child : folders) {
    lines.push_back(indent + "folder [" + child->name + "] " + std::to_string(child->added) + " " +
                    std::to_string(child->modified));
    Dump(*child, indent + "  ", lines);
  }
  std::vector<std::string> bookmarks;
  for (const Bookmark& bookmark : folder.bookmarks) {
    bookmarks.push_back(indent + "bookmark [" + bookmark.name + "] [" + bookmark.url + "] " +
                        std::to_string(bookmark.added) + " " + std::to_string(bookmark.modified));
  }
  std::sort(bookmarks.begin(), bookmarks.end());
  lines.insert(lines.end(), bookmarks.begin(), bookmarks.end());
}

std::vector<std::string> Dump(const Folder& folder) {
  std::vector<std::string> lines;
  Dump(folder, "", lines);
  return lines;
}

class ConvertImport : public ::testing::Test {
 protected:
  // Converts every folder of the tree and reads the file back.
  testing::netscape::Document ConvertAll() {
    Favorites favorites(NativeFileServices(), [this] { return Root(); });
    favorites.SetAttributes(attribute::kHidden);
    testing::RecordingHost host;
    for (const MainFolders& folder : favorites.Initialize()) host.folders.push_back({folder.Name, true, folder.Count});
    host.chosenFolder = temp_ / "out";
    NativeFileServices().CreateFolder(host.chosenFolder);
    HTML html;
    ProcessRunner runner(host, favorites, Root(),
                         [&](ProcessKind kind) { return MakeStandardProcess(kind, NativeFileServices(), html); });
    EXPECT_EQ(runner.Run(ProcessKind::kConvert, host.Ticked()).outcome, ProcessRunner::Outcome::kCompleted);
    html_ = NativeFileServices().ReadFile(temp_ / "out/bookmarks.html").value_or("");
    return testing::netscape::Read(html_);
  }

  std::string Root() const { return temp_ / "fav"; }

  testing::TempFolder temp_;
  std::string html_;
};

TEST_F(ConvertImport, AGeneratedTreeComesBackWhole) {
  tools::TreeOptions options;
  options.output = Root();
  options.favorites = 800;
  options.depth = 5;
  options.seed = 11;
  NativeFileServices().CreateFolder(options.output);
  ASSERT_TRUE(tools::GenerateTree(options, NativeFileServices()));

  const testing::netscape::Document document = ConvertAll();
  EXPECT_TRUE(document.balanced);
  EXPECT_EQ(Dump(document.root), Dump(DiskModel::Root(fs::u8path(Root()))));
  EXPECT_GT(document.lines, 700);
}

#ifndef _WIN32
// Linux names may hold line breaks, quotes and bytes that are not UTF-8;
// none of them may break a bookmark's line.
TEST_F(ConvertImport, LineBreaksInNamesStayInsideTheirBookmark) {
  const std::string shortcut = "[InternetShortcut]\r\nURL=http://x/a\"b<c>\r\n";
  temp_.Write("fav/Line\nBreak/one\r\ntwo.url", shortcut);
  temp_.Write("fav/Line\nBreak/Inner\rFolder/three\n.url", shortcut);
  temp_.Write("fav/<DL><P>.url", shortcut);
  NativeFileServices().SetLastWriteUtc(temp_ / "fav/<DL><P>.url", 4102444800);  // 2100: beyond 32 bits

  const testing::netscape::Document document = ConvertAll();
  EXPECT_TRUE(document.balanced);
  EXPECT_EQ(Dump(document.root), Dump(DiskModel::Root(fs::u8path(Root()))));
  EXPECT_EQ(std::count(html_.begin(), html_.end(), '\n'), 19);
  EXPECT_NE(html_.find(">one&#13;&#10;two</A>\r\n"), std::string::npos);
  EXPECT_NE(html_.find("ADD_DATE=\"0\" LAST_MODIFIED=\"0\">&lt;DL&gt;&lt;P&gt;</A>\r\n"), std::string::npos);
}
#endif

}  // namespace
}  // namespace vellumark
