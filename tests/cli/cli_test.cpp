#include "cli/cli.h"

#include "support/file_services.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vellumark::cli {
namespace {

using vellumark::testing::TempFolder;

struct Result {
  int exitCode;
  std::string out;
  std::string err;
};

Result RunTool(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  const int code = RunCli(arguments, out, err);
  return {code, out.str(), err.str()};
}

class CliList : public ::testing::Test {
 protected:
  CliList() {
    const std::string shortcut = "[InternetShortcut]\r\nURL=http://example.com/\r\n";
    favorites_.Write("News/a.url", shortcut);
    favorites_.Write("News/Deep/b.url", shortcut);
    locked_ = favorites_.Write("News/locked.url", shortcut);
    favorites_.Write("Empty/readme.txt", "not a shortcut");
    favorites_.Write("top.url", shortcut);
    NativeFileServices().SetAttributes(locked_, attribute::kReadOnly);
  }

  TempFolder favorites_;
  std::string locked_;
};

TEST_F(CliList, PrintsCountTabNameWithTheRootLast) {
  const Result result = RunTool({"--favorites", favorites_.Path(), "list"});
  EXPECT_EQ(result.exitCode, 0);
  const bool emptyFirst = result.out.find("0\tEmpty\n") == 0;
  EXPECT_TRUE(emptyFirst || result.out.find("2\tNews\n") == 0) << result.out;
  EXPECT_NE(result.out.find("0\tEmpty\n"), std::string::npos);
  EXPECT_NE(result.out.find("2\tNews\n"), std::string::npos);
  EXPECT_EQ(result.out.substr(result.out.size() - 4), "1\t/\n");
  EXPECT_EQ(result.err, "");
}

TEST_F(CliList, IncludeReadOnlyCountsReadOnlyFavorites) {
  const Result result = RunTool({"--include-read-only", "--favorites", favorites_.Path(), "list"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_NE(result.out.find("3\tNews\n"), std::string::npos) << result.out;
}

TEST_F(CliList, MissingFavoritesFolderFailsWithTheMessage) {
  const Result result = RunTool({"--favorites", favorites_ / "missing", "list"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Error accessing favorites folder\n");
  EXPECT_EQ(result.out, "");
}

TEST(CliUsage, BadCommandLinesExitWithTwoAndTheUsage) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{}, {"--bogus", "list"}, {"lists"}, {"list", "extra"}, {"--favorites"}}) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(arguments, out, err), 2);
    EXPECT_NE(err.str().find("usage: vellumark-cli"), std::string::npos);
    EXPECT_EQ(out.str(), "");
  }
}

}  // namespace
}  // namespace vellumark::cli
