// A deterministic synthetic favorites tree for tests, benchmarks and the
// demo. The same options give the same bytes, names and times on every
// platform and run.
#pragma once

#include "support/file_services.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vellumark::tools {

struct TreeOptions {
  std::string output;      // the folder to fill
  int favorites = 1000;    // shortcut files in all
  int depth = 4;           // folder levels below the output folder
  std::uint32_t seed = 1;
  // Only well-formed shortcuts with ASCII names and unique URLs (unless
  // duplicatePercent asks for repeats); otherwise
  // odd names and contents are mixed in: blanks, quotes, "&", "<", ">",
  // "%", accents, other scripts, emoji, duplicate URLs, shortcuts without
  // or with an empty or quoted URL, extra keys and sections, Unicode
  // copies of URLs, LF line ends, Windows-1252 files, ".URL" files, a
  // dot-named folder, a folder named "x.url", empty folders, read-only and
  // hidden shortcuts.
  bool plain = false;
  // Shortcuts (in per cent) that repeat the URL of an earlier one, on top of
  // the duplicates an odd tree has anyway.
  int duplicatePercent = 0;
  // Shortcuts (in per cent) whose section "InternetShortcut" holds further
  // keys besides the URL, as browsers write them, so Clean has work to do.
  int extraKeysPercent = 0;
};

struct TreeSummary {
  int folders = 0;    // folders written below the output folder
  int shortcuts = 0;  // shortcut files written (= favorites)
};

// Writes the tree into options.output (which must exist); nothing when a
// write failed.
std::optional<TreeSummary> GenerateTree(const TreeOptions& options, FileServices& services);

// The make-favorites-tree command line (without the program name); returns
// the exit code: 0 written, 1 failed, 2 usage error.
int RunMakeFavoritesTree(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                         FileServices& services);

}  // namespace vellumark::tools
