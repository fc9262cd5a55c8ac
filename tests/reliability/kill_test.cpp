// vellumark-cli killed (SIGKILL) at random moments of its runs on large
// trees. Clean, 50 times: afterwards every shortcut holds its old bytes or
// its correctly cleaned ones, keeps its read-only attribute, none is lost,
// and nothing the enumerator would take for a favorite is left behind.
// Check and Convert, 10 times each: the output folder holds the earlier
// output file byte for byte (or the complete new one) and nothing else but,
// when the kill came between naming and renaming it, the finished new one
// under its temporary name.
#include "favorites/favorites.h"
#include "tests/reliability/reliability_fixture.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <set>
#include <thread>

namespace vellumark::testing {
namespace {

using Clock = std::chrono::steady_clock;

// The trees live in memory where the system has such a folder: writing and
// removing 30,000 files on a disk would take most of the test's time.
[[maybe_unused]] const int kTreesInMemory = access("/dev/shm", W_OK) == 0 ? setenv("TMPDIR", "/dev/shm", 1) : 0;

class KilledRun : public ReliabilityFixture {
 protected:
  pid_t Start(const char* process) {
    const pid_t pid = fork();
    if (pid == 0) {
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, 1);
      dup2(null, 2);
      execl(VELLUMARK_CLI, VELLUMARK_CLI, "--include-read-only", "--favorites", favorites_.c_str(), process, "--all",
            "--output", output_.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    return pid;
  }

  static int Wait(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, 0) == pid ? status : -1;
  }

  // Seconds a whole run takes (it must succeed).
  double WholeRun(const char* process) {
    const auto start = Clock::now();
    EXPECT_EQ(Wait(Start(process)), 0) << "a whole run succeeds";
    return std::chrono::duration<double>(Clock::now() - start).count();
  }

  // Kills runs at random moments of a `whole`-second run until `kills` were
  // killed midway, calling `check` after each attempt; returns the attempts.
  // A run that ends before its kill (runs are quicker once the files are
  // cached, or the machine is less busy) is not counted, and the moments
  // are drawn from a shorter span from then on.
  int KillAtRandom(const char* process, int kills, double whole, const std::function<void(const std::string&)>& check) {
    std::mt19937 random(20261207);
    auto span = static_cast<long long>(whole * 1e6);
    int killedMidway = 0, attempts = 0;
    while (killedMidway < kills && attempts < 4 * kills && !::testing::Test::HasFailure()) {
      const pid_t pid = Start(process);
      std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<long long>(0, span)(random)));
      kill(pid, SIGKILL);
      if (WIFSIGNALED(Wait(pid))) {
        ++killedMidway;
      } else {
        span = std::max(span * 3 / 4, 1000LL);
      }
      check(std::string(process) + " attempt " + std::to_string(++attempts));
    }
    EXPECT_EQ(killedMidway, kills);
    return attempts;
  }

  // Puts back the original bytes of every shortcut that changed and
  // removes other files that appeared; returns the number of each.
  std::pair<int, int> Restore(const Snapshot& original) {
    int cleaned = 0, strays = 0;
    for (const auto& [name, bytes] : TakeSnapshot(favorites_)) {
      const auto before = original.find(name);
      if (before == original.end()) {
        strays += NativeFileServices().RemoveFile(favorites_ + "/" + name);
      } else if (before->second != bytes) {
        cleaned += NativeFileServices().WriteFile(favorites_ + "/" + name, before->second);
      }
    }
    return {cleaned, strays};
  }

  std::set<std::string> ReadOnly(const Snapshot& tree) {
    std::set<std::string> names;
    for (const auto& [name, bytes] : tree) {
      if (NativeFileServices().GetAttributes(favorites_ + "/" + name) & attribute::kReadOnly) names.insert(name);
    }
    return names;
  }

  // Drops from `tree` the temporary files a kill between naming a finished
  // replacement and renaming it leaves; each must hold its target's whole
  // new bytes, as `finished` has them.
  static void DropFinishedTemporaries(Snapshot& tree, const Snapshot& finished, const std::string& context) {
    std::erase_if(tree, [&](const auto& entry) {
      const std::size_t mark = entry.first.find(".vellumark-");
      if (mark == std::string::npos || !entry.first.ends_with(".tmp")) return false;
      const auto target = finished.find(entry.first.substr(0, mark));
      EXPECT_TRUE(target != finished.end() && target->second == entry.second) << entry.first << ", " << context;
      return true;
    });
  }

  int FavoriteCount() {
    vellumark::Favorites favorites(NativeFileServices(), [this] { return favorites_; });
    favorites.SetAttributes(attribute::kHidden);
    int count = 0;
    for (const MainFolders& folder : favorites.Initialize()) count += folder.Count;
    return count;
  }
};

TEST_F(KilledRun, CleanLosesNoShortcut) {
  MakeTree(1000, 4, 11);
  const Snapshot original = TakeSnapshot(favorites_);
  const int favorites = FavoriteCount();
  const std::set<std::string> readOnly = ReadOnly(original);
  ASSERT_GT(readOnly.size(), 10u);

  const double whole = WholeRun("clean");
  const Snapshot cleanedTree = TakeSnapshot(favorites_);
  ASSERT_EQ(cleanedTree.size(), original.size());
  const int needCleaning = Restore(original).first;
  ASSERT_GT(needCleaning, 300);

  int strayFiles = 0, fewest = needCleaning, most = 0;
  const int attempts = KillAtRandom("clean", 50, whole, [&](const std::string& context) {
    // A temporary file left is a finished replacement and no shortcut (the
    // count below proves it); one killed while writing leaves nothing.
    Snapshot after = TakeSnapshot(favorites_);
    DropFinishedTemporaries(after, cleanedTree, context);
    ExpectIntact(original, cleanedTree, after, context);
    ASSERT_EQ(FavoriteCount(), favorites) << context;
    EXPECT_EQ(ReadOnly(original), readOnly) << context;
    const auto [cleaned, strays] = Restore(original);
    strayFiles += strays;
    fewest = std::min(fewest, cleaned);
    most = std::max(most, cleaned);
  });
  std::printf("%zu shortcuts (%d to clean), first run %.2f s; 50 kills mid-run in %d attempts, %d to %d cleaned before "
              "the kill, %d temporary files left; 0 shortcuts lost or damaged\n",
              original.size(), needCleaning, whole, attempts, fewest, most, strayFiles);
}

TEST_F(KilledRun, OutputsAreTheEarlierOnesOrWhole) {
  MakeTree(30000, 4);
  for (const char* process : {"check", "convert"}) {
    std::error_code error;
    fs::remove_all(fs::u8path(output_), error);
    const double whole = WholeRun(process);
    const Snapshot complete = TakeSnapshot(output_);
    ASSERT_EQ(complete.size(), 1u);
    const Snapshot earlier{{complete.begin()->first, "an earlier run's file\r\n"}};
    const auto putEarlier = [&] { temp_.Write("out/" + earlier.begin()->first, earlier.begin()->second); };
    putEarlier();
    int kept = 0;
    const int attempts = KillAtRandom(process, 10, whole, [&](const std::string& context) {
      Snapshot after = TakeSnapshot(output_);
      DropFinishedTemporaries(after, complete, context);
      kept += after == earlier;
      EXPECT_TRUE(after == earlier || after == complete) << context;
      fs::remove_all(fs::u8path(output_), error);
      putEarlier();
    });
    std::printf("%s, 30000 favorites: first run %.2f s; 10 kills mid-run in %d attempts left the earlier file %d "
                "times, the new one whole otherwise, nothing else\n",
                process, whole, attempts, kept);
  }
}

}  // namespace
}  // namespace vellumark::testing
