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
using testing::netscape::Folder;

// One line per folder and bookmark, siblings sorted, so a difference shows as a line.
void Dump(const Folder& folder, const std::string& indent, std::vector<std::string>& lines) {
  std::vector<Folder> folders = folder.folders;
  std::sort(folders.begin(), folders.end(), [](const Folder& a, const Folder& b) { return a.name < b.name; });
  for (const Folder& child : folders) {
    lines.push_back(indent + "folder [" + child.name + "] " + std::to_string(child.added) + " " + std::to_string(child.modified));
    Dump(child, indent + "  ", lines);
  }
  const std::size_t first = lines.size();
  for (const auto& b : folder.bookmarks) {
    lines.push_back(indent + "bookmark [" + b.name + "] [" + b.url + "] " + std::to_string(b.added) + " " + std::to_string(b.modified));
  }
  std::sort(lines.begin() + static_cast<std::ptrdiff_t>(first), lines.end());
}

// A hand-made tree of odd shortcuts, each with its own time, read back as
// the folders and bookmarks it must give (a folder with shortcuts that give
// no URL is still listed; "%41" passes as it is and the importer reads "A").
TEST(ConvertImport, AHandMadeTreeComesBackWhole) {
  testing::TempFolder temp;
  FileServices& files = NativeFileServices();
  const std::string le = "\xFF\xFE[\0I\0n\0t\0e\0r\0n\0e\0t\0S\0h\0o\0r\0t\0c\0u\0t\0]\0\r\0\n\0U\0R\0L\0=\0u\0:\0\xE5\x65\r\0\n\0"s;
  const std::pair<std::string, std::string> entries[] = {
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
      {"top.url", "[InternetShortcut]\r\nURL=mailto:a@b\r\n"},
      // Folders, given their times last.
      {"A & B/Nothing", ""}, {"A & B/Sub/Deeper", ""}, {"A & B/Sub", ""}, {"A & B", ""}, {"sites.url", ""}, {"Empty", ""}};
  std::int64_t time = 1000000000;
  for (const auto& [name, bytes] : entries) {
    if (name.find('.') != std::string::npos && name != "sites.url") temp.Write("fav/" + name, bytes);
    files.SetLastWriteUtc(temp / ("fav/" + name), time += 10);
  }
  files.SetAttributes(temp / "fav/A & B/.hidden.url", attribute::kHidden);
  files.SetAttributes(temp / "fav/A & B/x.url", attribute::kReadOnly);

  Favorites favorites(files, [&] { return temp / "fav"; });
  favorites.SetAttributes(attribute::kHidden);
  testing::RecordingHost host;
  for (const MainFolders& folder : favorites.Initialize()) host.folders.push_back({folder.Name, true, folder.Count});
  host.chosenFolder = temp.MakeFolder("out");
  HTML html;
  ProcessRunner runner(host, favorites, temp / "fav", [&](ProcessKind kind) { return MakeStandardProcess(kind, files, html); });
  ASSERT_EQ(runner.Run(ProcessKind::kConvert, host.Ticked()).outcome, ProcessRunner::Outcome::kCompleted);
  const testing::netscape::Document document = testing::netscape::Read(files.ReadFile(temp / "out/bookmarks.html").value_or(""));
  EXPECT_TRUE(document.balanced);
  std::vector<std::string> lines;
  Dump(document.root, "", lines);
  EXPECT_EQ(lines, (std::vector<std::string>{
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

}  // namespace
}  // namespace vellumark
