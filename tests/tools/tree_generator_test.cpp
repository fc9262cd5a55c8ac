// The synthetic favorites tree: the same options give the same tree, the
// odd kinds of names and contents really appear, the counts agree with
// what the favorites enumerator finds, and the command's exit codes.
#include "tools/tree_generator.h"

#include "favorites/favorites.h"
#include "favorites/internet_shortcut.h"
#include "support/path.h"
#include "support/text_encoding.h"
#include "tests/favorites/recording_events.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <algorithm>
#include <sstream>

namespace vellumark::tools {
namespace {

using vellumark::testing::TempFolder;

struct Entry {
  std::uint32_t attributes = 0;
  std::int64_t time = 0;
  std::string bytes;  // files only
  friend bool operator==(const Entry&, const Entry&) = default;
};
using Snapshot = std::map<std::string, Entry>;  // by path relative to the tree

void Take(const std::string& folder, const std::string& relative, Snapshot& snapshot) {
  FileServices& services = NativeFileServices();
  for (const DirectoryEntry& entry : services.ListFolder(folder).value_or(std::vector<DirectoryEntry>{})) {
    const std::string full = folder + entry.name;
    const bool isFolder = (entry.attributes & attribute::kDirectory) != 0;
    snapshot[relative + entry.name] = {entry.attributes, entry.lastWriteUtc,
                                       isFolder ? "" : services.ReadFile(full).value_or("<unreadable>")};
    if (isFolder) Take(full + path::kSeparator, relative + entry.name + "/", snapshot);
  }
}

Snapshot Generate(const TempFolder& folder, TreeOptions options) {
  options.output = folder.Path();
  const std::optional<TreeSummary> summary = GenerateTree(options, NativeFileServices());
  EXPECT_TRUE(summary);
  Snapshot snapshot;
  Take(folder.Path() + path::kSeparator, "", snapshot);
  return snapshot;
}

TEST(TreeGenerator, OddTreesHoldEveryOddKind) {
  TreeOptions options;
  options.favorites = 300;
  TempFolder folder;
  const Snapshot tree = Generate(folder, options);

  std::set<std::string> seen;
  std::map<std::string, int> urls;
  for (const auto& [name, entry] : tree) {
    const std::string_view leaf = path::LastComponent(name, '/');
    if (entry.attributes & attribute::kDirectory) {
      if (leaf == ".hidden-folder") seen.insert("dot folder");
      if (leaf == "Archive.url") seen.insert("folder named .url");
      const auto next = tree.upper_bound(name);
      if (leaf == "Empty" && (next == tree.end() || !next->first.starts_with(name + "/"))) seen.insert("empty folder");
      continue;
    }
    for (const char* piece : {"&", "%", "\"", "'", "<", "\xC3\xA9", "\xE6\x97\xA5", "\xD0\x9D", "\xF0\x9F\x8E\x89", " "}) {
      if (leaf.find(piece) != std::string_view::npos) seen.insert(std::string("name ") + piece);
    }
    if (leaf.ends_with(".URL")) seen.insert(".URL");
    if (entry.attributes & attribute::kReadOnly) seen.insert("read-only");
    if (entry.attributes & attribute::kHidden) seen.insert("hidden");
    const std::string& bytes = entry.bytes;
    if (!text::IsValidUtf8(bytes)) seen.insert("Windows-1252");
    if (bytes.find("[InternetShortcut]\n") != std::string::npos) seen.insert("LF");
    if (bytes.find("IconIndex=1") != std::string::npos && bytes.find("URL=") == std::string::npos) seen.insert("no URL");
    if (bytes.find("URL=\r\n") != std::string::npos) seen.insert("empty URL");
    if (bytes.find("URL=\"") != std::string::npos) seen.insert("double quotes");
    if (bytes.find("URL = '") != std::string::npos) seen.insert("single quotes");
    if (bytes.find("[DEFAULT]") != std::string::npos && bytes.find("IDList=") != std::string::npos) seen.insert("extra");
    if (bytes.find("[InternetShortcut.W]") != std::string::npos) seen.insert("Unicode copy");
    if (bytes.find("mailto:") != std::string::npos || bytes.find("javascript:") != std::string::npos) seen.insert("special");
    const std::string url = ReadShortcutUrl(bytes);
    if (url.size() > 1900) seen.insert("long URL");
    if (!url.empty() && ++urls[url] == 2) seen.insert("duplicate");
  }
  std::set<std::string> expected = {"dot folder", "folder named .url", "empty folder", "name &", "name %", "name '",
                                    "name \xC3\xA9", "name \xE6\x97\xA5", "name \xD0\x9D", "name \xF0\x9F\x8E\x89",
                                    "name  ", ".URL", "read-only", "hidden", "Windows-1252", "LF", "no URL",
                                    "empty URL", "double quotes", "single quotes", "extra", "Unicode copy", "special",
                                    "long URL", "duplicate"};
#ifndef _WIN32
  expected.insert({"name \"", "name <"});
#endif
  for (const std::string& kind : expected) EXPECT_TRUE(seen.contains(kind)) << kind;
}

// The same options give the same tree, another seed another one, and the
// enumerator counts every shortcut (in an odd tree, all but those in its
// dot-named folder) in folders as deep as asked for.
TEST(TreeGenerator, SameOptionsGiveTheSameTreeAndTheEnumeratorCountsIt) {
  for (const bool plain : {false, true}) {
    SCOPED_TRACE(plain ? "plain" : "odd");
    TreeOptions options;
    options.favorites = 300;
    options.depth = 6;
    options.plain = plain;
    TempFolder folder, again, other;
    const Snapshot snapshot = Generate(folder, options);
    EXPECT_EQ(snapshot, Generate(again, options));
    options.seed = 8;
    EXPECT_NE(snapshot, Generate(other, options));
    int shortcuts = 0, outsideDotFolders = 0, deepest = 0;
    for (const auto& [name, entry] : snapshot) {
      if (entry.attributes & attribute::kDirectory) {
        deepest = std::max(deepest, path::CountSeparators(name, '/') + 1);
      } else {
        ++shortcuts;
        outsideDotFolders += !name.starts_with(".hidden-folder/");
      }
    }
    EXPECT_EQ(shortcuts, 300);
    EXPECT_EQ(deepest, 6);
    EXPECT_EQ(outsideDotFolders == 300, plain);
    Favorites favorites(NativeFileServices(), [&] { return folder.Path(); });
    int counted = 0;
    for (const MainFolders& entry : favorites.Initialize()) {
      testing::RecordingEvents events;
      const bool root = entry.Name == "/";
      favorites.Read(root ? folder.Path() : folder / entry.Name, !root, events);
      EXPECT_EQ(static_cast<int>(events.files.size()), entry.Count) << entry.Name;
      counted += entry.Count;
    }
    EXPECT_EQ(counted, outsideDotFolders);
  }
}

TEST(MakeFavoritesTree, ExitCodesAndMessages) {
  TempFolder folder;
  std::ostringstream out, err;
  FileServices& services = NativeFileServices();
  EXPECT_EQ(RunMakeFavoritesTree({"--favorites", "x"}, out, err, services), 2);
  EXPECT_NE(err.str().find("usage: make-favorites-tree"), std::string::npos);
  EXPECT_EQ(RunMakeFavoritesTree({"--output", folder / "t", "--duplicates", "101"}, out, err, services), 2);

  const std::string target = folder / "new/tree";
  EXPECT_EQ(RunMakeFavoritesTree({"--output", target, "--favorites", "25", "--plain"}, out, err, services), 0);
  EXPECT_TRUE(out.str().starts_with("Wrote 25 favorites in ")) << out.str();
  EXPECT_TRUE(out.str().ends_with(" folders to " + target + "\n")) << out.str();
  // A folder that holds anything is never written into.
  err.str("");
  EXPECT_EQ(RunMakeFavoritesTree({"--output", target}, out, err, services), 1);
  EXPECT_EQ(err.str(), "make-favorites-tree: " + target + " is not empty\n");
}

}  // namespace
}  // namespace vellumark::tools
