// A tree of 300,000 favorites through every process: each run ends with
// exit 0, bookmarks.html holds every favorite, and every page of the site
// is well-formed. Prints the time of each step. Long: registered only with
// VELLUMARK_LONG_TESTS and labelled "long".
#include "tests/processes/netscape_reader.h"
#include "tests/reliability/html_checker.h"
#include "tests/reliability/reliability_fixture.h"

#include <chrono>
#include <cstdio>
#include <functional>

namespace vellumark::testing {
namespace {

int CountBookmarks(const netscape::Folder& folder) {
  int count = static_cast<int>(folder.bookmarks.size());
  for (const netscape::Folder& child : folder.folders) count += CountBookmarks(child);
  return count;
}

void Timed(const char* name, const std::function<void()>& step) {
  const auto start = std::chrono::steady_clock::now();
  step();
  std::printf("%-10s %7.1f s\n", name, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  std::fflush(stdout);
}

using LargeTree = ReliabilityFixture;

TEST_F(LargeTree, ThreeHundredThousandFavorites) {
  Timed("write", [&] { MakeTree(300000, 4, 7, true); });
  for (const char* step : {"list", "check", "convert", "generate", "clean"}) {
    Timed(step, [&] {
      const CliResult result = std::string_view(step) == "list" ? Run({"list"}) : RunProcess(step);
      EXPECT_EQ(result.code, 0) << result.err;
    });
  }
  Timed("read back", [&] {
    const netscape::Document document = netscape::Read(*NativeFileServices().ReadFile(output_ + "/bookmarks.html"));
    EXPECT_TRUE(document.balanced);
    EXPECT_EQ(CountBookmarks(document.root), 300000);
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
