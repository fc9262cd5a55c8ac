#include "support/file_system.h"
#include "tools/tree_generator.h"

#include <charconv>

namespace vellumark::tools {
namespace {

constexpr const char* kUsage =
    "usage: make-favorites-tree --output DIR [--favorites N] [--depth D] [--seed S] [--plain]\n"
    "                           [--duplicates P] [--extra-keys P]\n"
    "  writes a synthetic favorites tree into DIR (created when missing; it must be empty)\n"
    "  --favorites N  shortcut files in all (default 1000)\n"
    "  --depth D      folder levels, at least 1 (default 4)\n"
    "  --seed S       the same seed gives the same tree (default 1)\n"
    "  --plain        only well-formed shortcuts with plain names and unique URLs\n"
    "  --duplicates P per cent of shortcuts that repeat an earlier URL (default 0)\n"
    "  --extra-keys P per cent of shortcuts with further keys beside the URL (default 0)\n";

template <typename Number>
bool ParseNumber(const std::string& text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// Parses into `options`; returns the error, "" when fine.
std::string Parse(const std::vector<std::string>& arguments, TreeOptions& options) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--plain") {
      options.plain = true;
      continue;
    }
    if (i + 1 == arguments.size()) return argument.starts_with("--") ? argument + " needs a value" : "unexpected argument: " + argument;
    const std::string& value = arguments[++i];
    bool valid = true;
    if (argument == "--output") {
      options.output = value;
    } else if (argument == "--favorites") {
      valid = ParseNumber(value, options.favorites) && options.favorites >= 0;
    } else if (argument == "--depth") {
      valid = ParseNumber(value, options.depth) && options.depth >= 1;
    } else if (argument == "--seed") {
      valid = ParseNumber(value, options.seed);
    } else if (argument == "--duplicates") {
      valid = ParseNumber(value, options.duplicatePercent) && options.duplicatePercent >= 0 &&
              options.duplicatePercent <= 100;
    } else if (argument == "--extra-keys") {
      valid = ParseNumber(value, options.extraKeysPercent) && options.extraKeysPercent >= 0 &&
              options.extraKeysPercent <= 100;
    } else {
      return "unknown option: " + argument;
    }
    if (!valid) return "bad value for " + argument + ": " + value;
  }
  return options.output.empty() ? "--output is missing" : "";
}

}  // namespace

int RunMakeFavoritesTree(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                         FileServices& services) {
  TreeOptions options;
  if (const std::string error = Parse(arguments, options); !error.empty()) {
    err << "make-favorites-tree: " << error << '\n' << kUsage;
    return 2;
  }
  // Never writes into a folder that holds anything, such as a real
  // Favorites folder.
  const std::optional<std::vector<DirectoryEntry>> entries = services.ListFolder(options.output);
  if (entries && !entries->empty()) {
    err << "make-favorites-tree: " << options.output << " is not empty\n";
    return 1;
  }
  if (!FileSystem(services).CreateFolderTree(options.output)) {
    err << "make-favorites-tree: cannot create " << options.output << '\n';
    return 1;
  }
  const std::optional<TreeSummary> summary = GenerateTree(options, services);
  if (!summary) {
    err << "make-favorites-tree: writing into " << options.output << " failed\n";
    return 1;
  }
  out << "Wrote " << summary->shortcuts << " favorites in " << summary->folders << " folders to " << options.output
      << '\n';
  return 0;
}

}  // namespace vellumark::tools
