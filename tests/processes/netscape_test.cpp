// bookmarks.html as a browser's importer sees it: a hand-made favorites
// tree converted by a real run comes back, through an independent reader,
// with the folders, names, URLs and dates it must give.
#include "runner/process_runner.h"
#include "runner/standard_processes.h"
#include "tests/processes/netscape_reader.h"
#include "tests/runner/recording_host.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vellumark {
namespace {

using namespace std::string_literals;
using testing::netscape::Bookmark;
using testing::netscape::Folder;

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

// A hand-made tree of odd shortcuts, each with its own time, read back as
// the folders and bookmarks it must give (a folder with shortcuts that give
// no URL is still listed; "%41" passes as it is and the importer reads "A").
TEST_F(ConvertImport, AHandMadeTreeComesBackWhole) {
  const std::string le = "\xFF\xFE[\0I\0n\0t\0e\0r\0n\0e\0t\0S\0h\0o\0r\0t\0c\0u\0t\0]\0\r\0\n\0U\0R\0L\0=\0u\0:\0\xE5\x65\r\0\n\0"s;
  const std::pair<std::string, std::string> files[] = {
      {"A & B/x.url", "[InternetShortcut]\r\nURL=http://x/a b?c=1&d=2\r\nIconIndex=1\r\n"},
      {"A & B/Sub/caf\xC3\xA9 \xF0\x9F\x98\x80.url", "[InternetShortcut]\nURL=\"http://\xE6\x97\xA5/%41\"\n"},
      {"A & B/Sub/latin.URL", "[InternetShortcut]\r\nURL=http://caf\xE9/\r\n"},
      {"A & B/Sub/Deeper/wide.url", le},
      {"A & B/Sub/Deeper/copy.url", "[InternetShortcut]\r\nURL=http://?/\r\n[InternetShortcut.W]\r\nURL=http://+ZeU-/\r\n"},
      {"A & B/Nothing/empty.url", "[InternetShortcut]\r\nURL=\r\n"},
      {"A & B/Nothing/notes.txt", "URL=http://not-a-shortcut/"},
      {"A & B/.dot/in.url", "[InternetShortcut]\r\nURL=http://dot/\r\n"},
      {"A & B/.hidden.url", "[InternetShortcut]\r\nURL=http://hidden/\r\n"},
      {"sites.url/in.url", "[InternetShortcut]\r\nURL=http://in/\r\n"},
      {"Empty/readme.txt", ""},
      {"top.url", "[InternetShortcut]\r\nURL=mailto:a@b\r\n"}};
  std::int64_t time = 1000000000;
  for (const auto& [name, bytes] : files) NativeFileServices().SetLastWriteUtc(temp_.Write("fav/" + name, bytes), time += 10);
  NativeFileServices().SetAttributes(temp_ / "fav/A & B/.hidden.url", attribute::kHidden);
  NativeFileServices().SetAttributes(temp_ / "fav/A & B/x.url", attribute::kReadOnly);
  for (const char* folder : {"A & B/Nothing", "A & B/Sub/Deeper", "A & B/Sub", "A & B", "sites.url", "Empty"}) {
    NativeFileServices().SetLastWriteUtc(temp_ / ("fav/" + std::string(folder)), time += 10);
  }

  const testing::netscape::Document document = ConvertAll();
  EXPECT_TRUE(document.balanced);
  EXPECT_EQ(Dump(document.root),
            (std::vector<std::string>{
                "folder [A & B] 1000000160 1000000160",
                "  folder [Nothing] 1000000130 1000000130",
                "  folder [Sub] 1000000150 1000000150",
                "    folder [Deeper] 1000000140 1000000140",
                "      bookmark [copy] [http://\xE6\x97\xA5/] 1000000050 1000000050",
                "      bookmark [wide] [u:\xE6\x97\xA5] 1000000040 1000000040",
                "    bookmark [caf\xC3\xA9 \xF0\x9F\x98\x80] [http://\xE6\x97\xA5/A] 1000000020 1000000020",
                "    bookmark [latin] [http://caf\xC3\xA9/] 1000000030 1000000030",
                "  bookmark [x] [http://x/a b?c=1&d=2] 1000000010 1000000010",
                "folder [Empty] 1000000180 1000000180",
                "folder [sites.url] 1000000170 1000000170",
                "  bookmark [in] [http://in/] 1000000100 1000000100",
                "bookmark [top] [mailto:a@b] 1000000120 1000000120"}));
}

#ifndef _WIN32
// Linux names may hold line breaks and markup; none of them may break a
// bookmark's line. Times beyond 32 bits are written as 0.
TEST_F(ConvertImport, LineBreaksInNamesStayInsideTheirBookmark) {
  const std::string shortcut = "[InternetShortcut]\r\nURL=http://x/a\"b<c>\r\n";
  const std::pair<const char*, std::int64_t> files[] = {{"Line\nBreak/one\r\ntwo.url", 1000000010},
                                                        {"Line\nBreak/Inner\rFolder/three\n.url", 1000000020},
                                                        {"<DL><P>.url", 4102444800},
                                                        {"Line\nBreak/Inner\rFolder", 1000000030},
                                                        {"Line\nBreak", 1000000040}};
  for (const auto& [name, time] : files) {
    if (std::string_view(name).ends_with(".url")) temp_.Write("fav/" + std::string(name), shortcut);
    NativeFileServices().SetLastWriteUtc(temp_ / ("fav/" + std::string(name)), time);
  }
  const testing::netscape::Document document = ConvertAll();
  EXPECT_TRUE(document.balanced);
  EXPECT_EQ(Dump(document.root), (std::vector<std::string>{
                                     "folder [Line\nBreak] 1000000040 1000000040",
                                     "  folder [Inner\rFolder] 1000000030 1000000030",
                                     "    bookmark [three\n] [http://x/a\"b<c>] 1000000020 1000000020",
                                     "  bookmark [one\r\ntwo] [http://x/a\"b<c>] 1000000010 1000000010",
                                     "bookmark [<DL><P>] [http://x/a\"b<c>] 0 0"}));
  EXPECT_EQ(std::count(html_.begin(), html_.end(), '\n'), 19);
  EXPECT_NE(html_.find(">one&#13;&#10;two</A>\r\n"), std::string::npos);
}
#endif

}  // namespace
}  // namespace vellumark
