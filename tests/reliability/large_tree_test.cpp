// A tree of 300,000 favorites through every process: each run ends with
// exit 0, bookmarks.html holds every favorite, and every page of the site
// is well-formed. Prints the time of each step. Long: registered only with
// VELLUMARK_LONG_TESTS and labelled "long".
#include "tests/processes/netscape_reader.h"
#include "tests/reliability/html_checker.h"
#include "tests/reliability/reliability_fixture.h"

#include <chrono>
#include <cstdio>

namespace vellumark::testing {
namespace {

using Clock = std::chrono::steady_clock;

int CountBookmarks(const netscape::Folder& folder) {
  int count = static_cast<int>(folder.bookmarks.size());
  for (const netscape::Folder& child : folder.folders) count += CountBookmarks(child);
  return count;
}

class LargeTree : public ReliabilityFixture {
 protected:
  template <typename Step>
  void Timed(const char* name, Step step) {
    const auto start = Clock::now();
    step();
    std::printf("%-10s %7.1f s\n", name, std::chrono::duration<double>(Clock::now() - start).count());
    std::fflush(stdout);
  }
};

TEST_F(LargeTree, ThreeHundredThousandFavorites) {
  constexpr int kFavorites = 300000;
  tools::TreeOptions options;
  options.output = favorites_;
  options.favorites = kFavorites;
  options.depth = 4;
  options.plain = true;
  options.extraKeysPercent = 10;
  Timed("write", [&] { ASSERT_TRUE(tools::GenerateTree(options, NativeFileServices())); });

  for (const char* step : {"list", "check", "convert", "generate", "clean"}) {
    Timed(step, [&] {
      const CliResult result = std::string_view(step) == "list" ? Run({"list"}) : RunProcess(step);
      EXPECT_EQ(result.code, 0) << result.err;
    });
  }
  Timed("read back", [&] {
    const netscape::Document document = netscape::Read(*NativeFileServices().ReadFile(output_ + "/bookmarks.html"));
    EXPECT_TRUE(document.balanced);
    EXPECT_EQ(CountBookmarks(document.root), kFavorites);
    int pages = 0;
    for (const auto& [name, bytes] : TakeSnapshot(output_)) {
      if (!name.ends_with(".html") || name == "bookmarks.html") continue;
      ++pages;
      EXPECT_EQ(html::Check(bytes).error, "") << name;
    }
    EXPECT_GT(pages, 1);
  });
}

}  // namespace
}  // namespace vellumark::testing
