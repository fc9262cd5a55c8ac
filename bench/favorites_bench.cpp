// vellumark-bench: times the favorites walk and the Check, Convert and
// Clean runs on generated trees, each beside a plain read of the same files
// (every folder listed and every file's bytes read through the same file
// services) and, on Linux, beside the C floor (nftw and one open, read and
// close of each shortcut), and prints the figures. Every time is the best
// of a few runs with the caches warm.
#include "bench/bench_helpers.h"
#ifndef _WIN32
#include "bench/read_floor.h"
#endif
#include "favorites/favorites.h"
#include "runner/process_runner.h"
#include "runner/standard_processes.h"
#include "support/path.h"
#include "support/special_folders.h"
#include "tools/tree_generator.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace vellumark::bench {
namespace {

constexpr const char* kUsage =
    "usage: vellumark-bench [--walk N] [--sizes N,N,...] [--runs R] [--folder DIR]\n"
    "  --walk N     favorites of the tree for Initialize + Read (default 100000; 0 skips)\n"
    "  --sizes ...  favorites of the trees for Check, Convert and Clean (default 30000,100000,300000)\n"
    "  --runs R     runs of each measurement, the best counts (default 3)\n"
    "  --folder DIR where the trees are written (default: the temporary folder)\n";

struct Options {
  int walk = 100000;
  std::vector<int> sizes = {30000, 100000, 300000};
  int runs = 3;
  std::string folder = GetTempFolder();
};

bool ParseNumber(std::string_view text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

bool Parse(const std::vector<std::string>& arguments, Options& options) {
  for (std::size_t i = 0; i + 1 < arguments.size(); i += 2) {
    const std::string& name = arguments[i];
    const std::string& value = arguments[i + 1];
    if (name == "--walk") {
      if (!ParseNumber(value, options.walk)) return false;
    } else if (name == "--runs") {
      if (!ParseNumber(value, options.runs) || options.runs == 0) return false;
    } else if (name == "--folder") {
      options.folder = path::AddFolderSeparator(value);
    } else if (name == "--sizes") {
      options.sizes.clear();
      std::string_view rest = value;
      while (!rest.empty()) {
        const std::size_t comma = std::min(rest.find(','), rest.size());
        int size = 0;
        if (!ParseNumber(rest.substr(0, comma), size) || size == 0) return false;
        options.sizes.push_back(size);
        rest.remove_prefix(std::min(comma + 1, rest.size()));
      }
    } else {
      return false;
    }
  }
  return arguments.size() % 2 == 0;
}

class IgnoredEvents final : public FavoritesEvents {
 public:
  void AfterFolderChange(int, FolderItem&) override {}
  void BeforeFolderChange(int, FolderItem&) override {}
  void FavoriteChange(int, FavoriteItem&, std::string_view) override { ++favorites; }
  void FavoriteError(std::string_view) override { ++errors; }
  int favorites = 0;
  int errors = 0;
};

// The C floor's walk of `folder`; nothing where there is no such floor.
void ReadFloor([[maybe_unused]] const std::string& folder) {
#ifndef _WIN32
  long files = 0;
  long long bytes = 0;
  vellumark_read_floor(folder.c_str(), &files, &bytes);
#endif
}

// `floor` is 0 where there is no C floor.
void PrintLine(const char* what, double seconds, double plain, double floor, int favorites) {
  std::printf("  %-28s %9.3f s  %6.2fx plain", what, seconds, seconds / plain);
  if (floor > 0) std::printf("  %6.2fx floor", seconds / floor);
  std::printf("  %7.2f us/favorite\n", 1e6 * seconds / favorites);
  std::fflush(stdout);
}

#ifdef _WIN32
constexpr bool kHasFloor = false;
#else
constexpr bool kHasFloor = true;
#endif

bool BenchWalk(const Options& options) {
  tools::TreeOptions treeOptions;
  treeOptions.favorites = options.walk;
  treeOptions.depth = 6;
  treeOptions.plain = true;
  Tree tree(options.folder, "walk", treeOptions);
  if (!tree.Ok()) return false;
  std::printf("Walk: %d favorites in 6 levels (written in %.1f s)\n", options.walk, tree.Seconds());

  FileServices& services = NativeFileServices();
  Favorites favorites(services, [&] { return tree.Favorites(); });
  IgnoredEvents events;
  const std::vector<double> best = Best(options.runs, {[&] { PlainRead(services, tree.Favorites()); },
                                                       [&] { ReadFloor(tree.Favorites()); }, [&] {
                                                         events = IgnoredEvents();
                                                         for (const MainFolders& folder : favorites.Initialize()) {
                                                           const bool root = folder.Name == "/";
                                                           favorites.Read(root ? tree.Favorites()
                                                                               : tree.Favorites() + folder.Name,
                                                                          !root, events);
                                                         }
                                                       }});
  const double floor = kHasFloor ? best[1] : 0;
  PrintLine("plain read", best[0], best[0], floor, options.walk);
  if (kHasFloor) PrintLine("C floor", floor, best[0], floor, options.walk);
  PrintLine("Initialize + Read", best[2], best[0], floor, options.walk);
  return events.favorites == options.walk;
}

bool BenchProcesses(const Options& options, int size) {
  tools::TreeOptions treeOptions;
  treeOptions.favorites = size;
  treeOptions.depth = 6;
  treeOptions.plain = true;
  treeOptions.duplicatePercent = 10;
  treeOptions.extraKeysPercent = 10;
  Tree tree(options.folder, std::to_string(size), treeOptions);
  if (!tree.Ok()) return false;
  std::printf("Processes: %d favorites, 10%% duplicate URLs, 10%% with extra keys (written in %.1f s)\n", size,
              tree.Seconds());

  FileServices& services = NativeFileServices();
  Favorites favorites(services, [&] { return tree.Favorites(); });
  SilentHost host(tree.Output());
  const std::vector<ProcessRunner::Entry> entries = AllEntries(favorites);
  HTML html;
  ProcessRunner runner(host, favorites, tree.Favorites(),
                       [&](ProcessKind kind) { return MakeStandardProcess(kind, services, html); });
  bool completed = true;
  const auto run = [&](ProcessKind kind) {
    return [&, kind] { completed = runner.Run(kind, entries).outcome == ProcessRunner::Outcome::kCompleted && completed; };
  };
  const auto plainRead = [&] { PlainRead(services, tree.Favorites()); };
  const auto floorRead = [&] { ReadFloor(tree.Favorites()); };
  const std::vector<double> best =
      Best(options.runs, {plainRead, floorRead, run(ProcessKind::kCheck), run(ProcessKind::kConvert)});
  const double plain = best[0];
  const double floor = kHasFloor ? best[1] : 0;
  PrintLine("plain read", plain, plain, floor, size);
  if (kHasFloor) PrintLine("C floor", floor, plain, floor, size);
  PrintLine("Check", best[2], plain, floor, size);
  PrintLine("Convert", best[3], plain, floor, size);
  PrintLine("Clean (rewriting 10%)", Seconds(run(ProcessKind::kClean)), plain, floor, size);
  const std::vector<double> clean = Best(options.runs, {plainRead, floorRead, run(ProcessKind::kClean)});
  PrintLine("Clean (all clean already)", clean[2], clean[0], kHasFloor ? clean[1] : 0, size);
  return completed && host.messages == 0;
}

int Main(const std::vector<std::string>& arguments) {
  Options options;
  if (!Parse(arguments, options)) {
    std::cerr << kUsage;
    return 2;
  }
  if (options.walk > 0 && !BenchWalk(options)) {
    std::cerr << "vellumark-bench: the walk benchmark failed\n";
    return 1;
  }
  for (const int size : options.sizes) {
    if (!BenchProcesses(options, size)) {
      std::cerr << "vellumark-bench: the process benchmark on " << size << " favorites failed\n";
      return 1;
    }
  }
  return 0;
}

}  // namespace
}  // namespace vellumark::bench

int main(int argc, char** argv) {
  return vellumark::bench::Main(std::vector<std::string>(argv + 1, argv + argc));
}
