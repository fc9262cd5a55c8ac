// The synthetic favorites tree: the same options give the same tree, the
// odd kinds of names and contents really appear, and the command's exit
// codes.
#include "tools/tree_generator.h"

#include "favorites/internet_shortcut.h"
#include "support/path.h"
#include "support/text_encoding.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <algorithm>
#include <sstream>

namespace vellumark::tools {
namespace {

using vellumark::testing::TempFolder;
using namespace std::string_literals;

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
  TempFolder folder;
  const Snapshot tree = Generate(folder, {.output = "", .favorites = 300});
  // Every name, and every file's bytes then its URL, each ended by NUL.
  std::string names, contents;
  std::set<std::string> seen, urls;
  for (const auto& [name, entry] : tree) {
    names += std::string(path::LastComponent(name, '/')) + '\0';
    if (entry.attributes & attribute::kDirectory) {
      const auto next = tree.upper_bound(name);
      const bool empty = next == tree.end() || !next->first.starts_with(name + "/");
      if (empty && (name == "Empty" || name.ends_with("/Empty"))) seen.insert("empty");
      continue;
    }
    const std::string url = ReadShortcutUrl(entry.bytes);
    contents += entry.bytes + '\0' + url + '\0';
    if (entry.attributes & attribute::kReadOnly) seen.insert("read-only");
    if (entry.attributes & attribute::kHidden) seen.insert("hidden");
    if (!text::IsValidUtf8(entry.bytes)) seen.insert("Windows-1252");
    if (url.size() > 1900) seen.insert("long URL");
    if (!url.empty() && !urls.insert(url).second) seen.insert("duplicate");
  }
  EXPECT_EQ(seen, (std::set<std::string>{"duplicate", "empty", "hidden", "long URL", "read-only", "Windows-1252"}));
  std::vector<std::string> inNames = {".hidden-folder\0"s, "Archive.url\0"s, ".URL\0"s, "&", "%", "'", " ",
                                      "\xC3\xA9", "\xE6\x97\xA5", "\xD0\x9D", "\xF0\x9F\x8E\x89"};
#ifndef _WIN32
  inNames.insert(inNames.end(), {"\"", "<"});
#endif
  for (const std::string& piece : inNames) EXPECT_NE(names.find(piece), std::string::npos) << piece;
  // Line feeds alone, no URL, an empty or quoted one, extra sections, a
  // Unicode copy, special schemes.
  const std::vector<std::string> inContents = {"[InternetShortcut]\n", "[InternetShortcut]\r\nIconIndex=1\r\n", "URL=\r\n",
                                               "URL=\"", "URL = '", "[DEFAULT]", "IDList=", "[InternetShortcut.W]",
                                               "\0mailto:"s, "\0javascript:"s};
  for (const std::string& piece : inContents) EXPECT_NE(contents.find(piece), std::string::npos) << piece;
}

// The same options give the same tree and another seed another one, with
// every shortcut asked for (in an odd tree, some in its dot-named folder)
// in folders as deep as asked for. That the enumerator counts an odd tree
// as its walk finds it is checked over a whole generated site.
TEST(TreeGenerator, SameOptionsGiveTheSameTree) {
  for (const bool plain : {false, true}) {
    SCOPED_TRACE(plain ? "plain" : "odd");
    TreeOptions options{.output = "", .favorites = 300, .depth = 6, .plain = plain};
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
