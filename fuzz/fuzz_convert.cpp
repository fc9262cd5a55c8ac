// Convert from end to end: the input describes a favorites tree (folders
// and shortcuts with hostile names and URLs), which is written to a
// scratch folder and converted by vellumark-cli's code. Checks: the run
// succeeds, and bookmarks.html read by the tests' independent Netscape
// reader is balanced and gives back exactly the tree that was written.
//
// Input: records of one operation byte (0 up a level, 1 folder and down
// into it, 2-3 shortcut), then name bytes up to 0xFE, then for shortcuts
// URL bytes up to 0xFE; bytes map to an alphabet of awkward pieces.
#include "cli/cli.h"
#include "fuzz/require.h"
#include "support/ascii.h"
#include "tests/processes/netscape_reader.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace vellumark;
using fuzz::Require;
using testing::netscape::Bookmark;
using testing::netscape::Folder;

// "\xFF" alone is not UTF-8: the output holds "?" in its place.
constexpr std::array<std::string_view, 24> kNamePieces = {
    "a", "B", "z", "0", " ", "<script>", "\"", "'", "&", "&amp;", "%", "%41", "\r", "\n", "\t", "=",
    "[", "]", "\xC3\xA9", "\xE6\x97\xA5", "\xF0\x9F\x98\x80", "\xFF", ".", "#"};
constexpr std::array<std::string_view, 18> kUrlPieces = {
    "a", "/", "?", "#", "=", "&", "&lt;", "\"", "'", "<", ">", " ", "%", "%3C", "%zz", "\xC3\xA9", "\t", ";"};

struct Scratch {
  std::string root;
  Scratch() {
    char pattern[] = "/tmp/vellumark-fuzz-convert-XXXXXX";
    const char* made = mkdtemp(pattern);
    Require(made != nullptr, "a scratch folder");
    root = made;
    setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
  }
};

std::string Expected(std::string_view name) {
  std::string out(name);
  std::replace(out.begin(), out.end(), '\xFF', '?');
  return out;
}

std::string Take(const std::uint8_t* data, std::size_t size, std::size_t& pos, const auto& pieces, std::size_t most) {
  std::string text;
  for (std::size_t taken = 0; pos < size && data[pos] != 0xFE; ++pos) {
    if (taken++ < most) text += pieces[data[pos] % pieces.size()];
  }
  ++pos;
  return text;
}

// Folders without bookmarks anywhere below are dropped; everything sorted,
// so the comparison does not depend on listing order.
bool Normalize(Folder& folder) {
  std::erase_if(folder.folders, [](Folder& child) { return !Normalize(child); });
  for (Folder& child : folder.folders) child.added = child.modified = 0;
  for (Bookmark& bookmark : folder.bookmarks) bookmark.added = bookmark.modified = 0;
  std::sort(folder.folders.begin(), folder.folders.end(),
            [](const Folder& a, const Folder& b) { return a.name < b.name; });
  std::sort(folder.bookmarks.begin(), folder.bookmarks.end(),
            [](const Bookmark& a, const Bookmark& b) { return a.name < b.name || (a.name == b.name && a.url < b.url); });
  return !folder.bookmarks.empty() || !folder.folders.empty();
}

bool Same(const Folder& a, const Folder& b) {
  if (a.name != b.name || a.folders.size() != b.folders.size() || a.bookmarks.size() != b.bookmarks.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.bookmarks.size(); ++i) {
    if (a.bookmarks[i].name != b.bookmarks[i].name || a.bookmarks[i].url != b.bookmarks[i].url) return false;
  }
  for (std::size_t i = 0; i < a.folders.size(); ++i) {
    if (!Same(a.folders[i], b.folders[i])) return false;
  }
  return true;
}

void Dump(const Folder& folder, int level) {
  std::fprintf(stderr, "%*sfolder [%s]\n", level * 2, "", folder.name.c_str());
  for (const Folder& child : folder.folders) Dump(child, level + 1);
  for (const Bookmark& b : folder.bookmarks) {
    std::fprintf(stderr, "%*s[%s] -> [%s]\n", level * 2 + 2, "", b.name.c_str(), b.url.c_str());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const Scratch scratch;
  const fs::path favorites = scratch.root + "/fav";
  const fs::path output = scratch.root + "/out";
  std::error_code error;
  fs::remove_all(favorites, error);
  fs::remove_all(output, error);
  fs::create_directories(favorites);

  Folder model;
  std::vector<Folder*> stack{&model};
  fs::path current = favorites;
  std::size_t pos = 0;
  while (pos < size && stack.size() < 24) {
    const int operation = data[pos++] % 4;
    if (operation == 0) {
      if (stack.size() > 1) {
        stack.pop_back();
        current = current.parent_path();
      }
      continue;
    }
    std::string name = Take(data, size, pos, kNamePieces, 30);
    if (name.empty() || name.front() == '.') name.insert(0, "n");
    if (operation == 1) {
      const fs::path folder = current / name;
      if (fs::exists(fs::symlink_status(folder))) continue;
      fs::create_directory(folder);
      stack.back()->folders.push_back(Folder{Expected(name), 0, 0, {}, {}});
      stack.push_back(&stack.back()->folders.back());
      current = folder;
      continue;
    }
    const std::string url = "http://h/" + Take(data, size, pos, kUrlPieces, 200) + "z";
    const fs::path file = current / (name + ".url");
    if (fs::exists(fs::symlink_status(file))) continue;
    std::ofstream(file, std::ios::binary) << "[InternetShortcut]\r\nURL=" << url << "\r\n";
    // Links keep a "%" as it is, so the reader decodes escapes that were in
    // the URL already; compared in decoded form.
    stack.back()->bookmarks.push_back(Bookmark{Expected(name), ascii::PercentDecoded(url), 0, 0});
  }

  std::ostringstream out, err;
  const int code = cli::RunCli({"--favorites", favorites.string(), "convert", "--all", "--output", output.string()},
                               out, err, NativeFileServices(), false, scratch.root + "/program/");
  if (code != 0) std::fprintf(stderr, "%s\n", err.str().c_str());
  Require(code == 0, "the conversion succeeds");
  std::ifstream file(output / "bookmarks.html", std::ios::binary);
  const std::string html((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  testing::netscape::Document document = testing::netscape::Read(html);
  Require(document.balanced, "bookmarks.html is balanced");
  Normalize(model);
  Normalize(document.root);
  document.root.name = model.name;
  if (!Same(model, document.root)) {
    Dump(model, 0);
    Dump(document.root, 0);
  }
  Require(Same(model, document.root), "bookmarks.html holds the tree that was written");
  return 0;
}
