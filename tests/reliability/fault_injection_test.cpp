// Every change a whole vellumark-cli run makes to the file system fails in
// turn (the first in one run, the second in the next, and so on). After
// each run no shortcut is lost or half-written, each output file is the
// earlier one or the complete new one, and the exit code tells the truth: 0
// only with the complete output, 1 with a message naming the file that
// failed, 3 (Clean) with the one shortcut that could not be rewritten.
#include "tests/reliability/reliability_fixture.h"
#include "tests/support/failing_file_services.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

namespace vellumark::testing {
namespace {

// The paths listed after "Could not rewrite".
std::set<std::string> Unwritten(const std::string& err) {
  static constexpr std::string_view kLead = "Could not rewrite \r\n";
  std::set<std::string> paths;
  for (std::size_t at = err.find(kLead); at != std::string::npos; at = err.find(kLead, at)) {
    at += kLead.size();
    paths.insert(err.substr(at, err.find('\n', at) - at));
  }
  return paths;
}

class FaultInjection : public ReliabilityFixture, public ::testing::WithParamInterface<const char*> {
 protected:
  // A fresh copy with the pristine times, which the output shows, and the
  // earlier output.
  void RestoreTree(const std::string& pristine, const Snapshot& earlier = {}) {
    std::error_code error;
    fs::remove_all(fs::u8path(favorites_), error);
    fs::remove_all(fs::u8path(output_), error);
    ASSERT_EQ(std::system(("cp -a '" + pristine + "' '" + favorites_ + "'").c_str()), 0);
    for (const auto& [name, bytes] : earlier) temp_.Write("out/" + name, bytes);
  }
};

TEST_P(FaultInjection, EachFailingChangeLosesNoShortcutAndIsNeverReportedAsSuccess) {
  const std::string process = GetParam();
  const bool clean = process == "clean";
  MakeTree(40, 3);
  const std::string pristine = temp_ / "pristine";
  ASSERT_EQ(std::system(("cp -a '" + favorites_ + "' '" + pristine + "'").c_str()), 0);
  const Snapshot original = TakeSnapshot(favorites_);
  const CliResult reference = RunProcess(process);
  ASSERT_EQ(reference.code, 0) << reference.err;
  const Snapshot completeOutput = TakeSnapshot(output_);
  const Snapshot cleanedTree = TakeSnapshot(favorites_);
  ASSERT_TRUE(!clean || cleanedTree != original) << "the tree gives Clean work";
  Snapshot earlier;
  for (const auto& [name, bytes] : completeOutput) earlier[name] = "an earlier run's " + name;
  RestoreTree(pristine, earlier);
  FailingFileServices counting;
  ASSERT_EQ(RunProcess(process, counting).code, 0);
  ASSERT_GT(counting.changes, 0);

  int completed = 0, failed = 0, incomplete = 0;
  for (int n = 1; n <= counting.changes; ++n) {
    RestoreTree(pristine, earlier);
    FailingFileServices faulty;
    faulty.failAt = n;
    const CliResult result = RunProcess(process, faulty);
    const std::string context = process + ": change " + std::to_string(n) + " (" + faulty.failedOperation + " " +
                                faulty.failedPath + ") failed; exit " + std::to_string(result.code) + "; " + result.err;
    ASSERT_FALSE(faulty.failedPath.empty()) << context << " never reached";
    const Snapshot tree = TakeSnapshot(favorites_);
    ExpectIntact(original, clean ? cleanedTree : original, tree, context);
    const Snapshot output = TakeSnapshot(output_);
    ExpectIntact(earlier, completeOutput, output, context);

    switch (result.code) {
      case cli::exit_code::kSuccess:
        ++completed;
        EXPECT_TRUE(output == completeOutput) << "exit 0 with incomplete output; " << context;
        EXPECT_TRUE(!clean || tree == cleanedTree) << context;
        break;
      case cli::exit_code::kFailure:
        ++failed;
        EXPECT_NE(result.err.find(faulty.failedPath), std::string::npos) << "message names the file; " << context;
        break;
      case cli::exit_code::kIncomplete: {
        ++incomplete;
        ASSERT_TRUE(clean) << context;
        EXPECT_EQ(Unwritten(result.err), std::set<std::string>{faulty.failedPath}) << context;
        // Every other shortcut was cleaned.
        Snapshot rest = tree, expected = cleanedTree;
        const std::string relative = Utf8(fs::relative(fs::u8path(faulty.failedPath), fs::u8path(favorites_)));
        rest.erase(relative);
        expected.erase(relative);
        EXPECT_EQ(rest, expected) << context;
        break;
      }
      default:
        ADD_FAILURE() << context;
    }
    if (::testing::Test::HasFailure()) break;
  }
  std::printf("%s: %d faults injected: %d completed anyway, %d error path, %d incomplete clean; 0 shortcuts lost\n",
              process.c_str(), counting.changes, completed, failed, incomplete);
}

INSTANTIATE_TEST_SUITE_P(EveryProcess, FaultInjection,
                         ::testing::Values("check", "clean", "convert", "generate", "statistics"));

// An unreadable shortcut is input, not a failure; unwritable ones give 3
// and are listed; the others are cleaned.
class CleanExitCodes : public ReliabilityFixture {};

TEST_F(CleanExitCodes, UnwritableShortcutsGiveThreeAndUnreadableOnesNothing) {
  const std::string dirty = "[InternetShortcut]\r\nURL=http://a/\r\nX=1\r\n";
  FailingFileServices files;
  files.unreadable = {temp_.Write("fav/News/a.url", dirty)};
  files.unreplaceable = {temp_.Write("fav/News/b.url", dirty), temp_.Write("fav/b.url", dirty)};
  const std::string clean = temp_.Write("fav/c.url", dirty);
  CliResult result = RunProcess("clean", files);
  EXPECT_EQ(result.code, cli::exit_code::kIncomplete);
  EXPECT_EQ(Unwritten(result.err), files.unreplaceable);
  for (const std::string& file : files.unreplaceable) EXPECT_EQ(*NativeFileServices().ReadFile(file), dirty);
  EXPECT_EQ(*NativeFileServices().ReadFile(clean), "[InternetShortcut]\r\nURL=http://a/\r\n");
  files.unreplaceable.clear();
  result = RunProcess("clean", files);
  EXPECT_EQ(result.code, cli::exit_code::kSuccess) << result.err;
  EXPECT_EQ(*NativeFileServices().ReadFile(temp_ / "fav/b.url"), "[InternetShortcut]\r\nURL=http://a/\r\n");
}

}  // namespace
}  // namespace vellumark::testing
