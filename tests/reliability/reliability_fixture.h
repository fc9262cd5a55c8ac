// What the reliability tests share: a favorites tree with a pristine copy,
// a program folder holding the shipped template sets, per-test settings,
// snapshots of folders as bytes, and vellumark-cli run in-process.
#pragma once

#include "cli/cli.h"
#include "support/path.h"
#include "tests/support/temp_folder.h"
#include "tools/tree_generator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace vellumark::testing {

namespace fs = std::filesystem;

// Every file below `folder` by relative path (with "/"), with its bytes.
using Snapshot = std::map<std::string, std::string>;

inline std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

inline Snapshot TakeSnapshot(const std::string& folder) {
  Snapshot snapshot;
  std::error_code error;
  const fs::path root = fs::u8path(folder);
  for (auto it = fs::recursive_directory_iterator(root, error); !error && it != fs::recursive_directory_iterator();
       it.increment(error)) {
    if (!it->is_regular_file() || it->is_symlink()) continue;
    snapshot[Utf8(fs::relative(it->path(), root).generic_u8string())] =
        NativeFileServices().ReadFile(Utf8(it->path())).value_or("<unreadable>");
  }
  return snapshot;
}

struct CliResult {
  int code = -1;
  std::string out, err;
};

class ReliabilityFixture : public ::testing::Test {
 protected:
  ReliabilityFixture() {
    setenv("XDG_CONFIG_HOME", (temp_ / "config").c_str(), 1);
    std::error_code error;
    fs::copy(fs::u8path(std::string(VELLUMARK_SOURCE_DIR) + "/Templates"), fs::u8path(temp_.MakeFolder("program/Templates")),
             fs::copy_options::recursive, error);
    const CliResult set = Cli({"settings", "Template", "Default"});
    EXPECT_EQ(set.code, 0) << set.err;
    favorites_ = temp_.MakeFolder("fav");
    output_ = temp_ / "out";
  }

  // A generated tree of odd favorites (most with keys for Clean to drop).
  void MakeTree(int favorites, int depth, std::uint32_t seed = 7) {
    const tools::TreeOptions options{.output = favorites_, .favorites = favorites, .depth = depth, .seed = seed,
                                     .duplicatePercent = 10, .extraKeysPercent = 60};
    ASSERT_TRUE(tools::GenerateTree(options, NativeFileServices()));
  }

  // vellumark-cli with the shipped template sets; Run adds the favorites.
  CliResult Cli(const std::vector<std::string>& arguments, FileServices& services = NativeFileServices()) {
    std::ostringstream out, err;
    const int code = cli::RunCli(arguments, out, err, services, false, temp_ / "program/");
    return {code, out.str(), err.str()};
  }
  CliResult Run(std::vector<std::string> arguments, FileServices& services = NativeFileServices()) {
    arguments.insert(arguments.begin(), {"--include-read-only", "--favorites", favorites_});
    return Cli(arguments, services);
  }

  // A process over every folder into output_ ("generate" with the set
  // templateSet_).
  CliResult RunProcess(const std::string& process, FileServices& services = NativeFileServices()) {
    std::vector<std::string> arguments{process, "--all", "--output", output_};
    if (process == "generate") arguments.insert(arguments.end(), {"--template", templateSet_});
    return Run(arguments, services);
  }

  // Every file holds its old bytes or those a complete run gave it; no
  // file came or went.
  static void ExpectIntact(const Snapshot& before, const Snapshot& done, const Snapshot& after, const std::string& context) {
    ASSERT_EQ(before.size(), after.size()) << context;
    for (const auto& [name, bytes] : after) {
      ASSERT_TRUE(before.count(name) && done.count(name)) << name << " came; " << context;
      EXPECT_TRUE(bytes == before.at(name) || bytes == done.at(name)) << name << " damaged; " << context;
    }
  }

  TempFolder temp_;
  std::string favorites_;
  std::string output_;
  std::string templateSet_ = "Default";
};

}  // namespace vellumark::testing
