// The process runner with real Check and Convert over a temporary favorites
// tree and a recording host: the host calls in order, what is listed and
// read, the files written, the error path and refusals.
#include "runner/process_runner.h"
#include "runner/standard_processes.h"
#include "support/path.h"
#include "tests/runner/recording_host.h"
#include "tests/support/failing_file_services.h"
#include "tests/support/settings_sandbox.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <ctime>
#include <map>
#include <stdexcept>

namespace vellumark {
namespace {

using Log = std::vector<std::string>;

std::string Shortcut(std::string_view url) { return "[InternetShortcut]\r\nURL=" + std::string(url) + "\r\n"; }

// What Convert writes for the tree of the Convert tests below.
const std::string kBookmarks =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n"
    "<!-- This is an automatically generated file.\r\n"
    "     It will be read and overwritten.\r\n"
    "     Do Not Edit! -->\r\n"
    "<META HTTP-EQUIV=\"content-type\" CONTENT=\"text/html; charset=UTF-8\">\r\n"
    "<TITLE>Bookmarks</TITLE>\r\n"
    "<H1>Bookmarks</H1>\r\n"
    "\r\n"
    "<DL><P>\r\n"
    "    <DT><H3 ADD_DATE=\"1500000000\" LAST_MODIFIED=\"1500000000\">A</H3>\r\n"
    "    <DL><P>\r\n"
    "        <DT><H3 ADD_DATE=\"1400000000\" LAST_MODIFIED=\"1400000000\">B</H3>\r\n"
    "        <DL><P>\r\n"
    "            <DT><A HREF=\"http://y/\" ADD_DATE=\"1100000000\" LAST_MODIFIED=\"1100000000\">y</A>\r\n"
    "        </DL><P>\r\n"
    "        <DT><A HREF=\"http://x/?a=1&amp;b=2%20c%C3%A9\" ADD_DATE=\"1200000000\" "
    "LAST_MODIFIED=\"1200000000\">x &amp; co</A>\r\n"
    "    </DL><P>\r\n"
    "    <DT><A HREF=\"http://r/\" ADD_DATE=\"1300000000\" LAST_MODIFIED=\"1300000000\">r\xC3\xA9</A>\r\n"
    "</DL><P>\r\n";

class RunnerTest : public ::testing::Test {
 protected:
  RunnerTest() {
    services_.CreateFolder(output_);
    services_.CreateFolder(temp_ / "fav");
    host_.chosenFolder = output_;
  }

  std::string Add(std::string_view relative, std::string_view url) { return temp_.Write("fav/" + std::string(relative), Shortcut(url)); }

  // Refreshes the folder list as the main window does and ticks `ticked`.
  void Refresh(const std::vector<std::string>& ticked) {
    host_.folders.clear();
    for (const MainFolders& folder : favorites_.Initialize()) {
      const bool tick = std::find(ticked.begin(), ticked.end(), folder.Name) != ticked.end();
      host_.folders.push_back({folder.Name, tick, folder.Count});
    }
  }

  ProcessRunner::Report RunReport(int index) { return runner_.Run(ProcessFromMenuIndex(index), host_.Ticked()); }
  ProcessRunner::Outcome Run(int index) { return RunReport(index).outcome; }

  std::string Output(std::string_view name) { return services_.ReadFile(output_ + path::kSeparator + std::string(name)).value_or("<missing>"); }

  // Counts what a run lists and reads.
  struct CountingFileServices final : testing::FailingFileServices {
    std::map<std::string, int> listings;
    std::map<std::string, int> reads;
    std::optional<std::vector<DirectoryEntry>> ListFolder(std::string_view folder) override {
      ++listings[std::string(folder)];
      return FailingFileServices::ListFolder(folder);
    }
    std::optional<std::string> ReadFile(std::string_view path) override {
      ++reads[std::string(path)];
      return FailingFileServices::ReadFile(path);
    }
  };

  testing::TempFolder temp_;
  CountingFileServices services_;
  std::string output_ = temp_ / "out";
  HTML html_;
  Favorites favorites_{services_, [this] { return temp_ / "fav"; }};
  testing::RecordingHost host_;
  ProcessRunner runner_{host_, favorites_, temp_ / "fav", [this](ProcessKind kind) {
                          return MakeStandardProcess(kind, services_, html_);
                        }};
};

// A favorite added after the list was filled is in the run's own listing,
// which gives the progress maximum and the count the list then shows; each
// folder is listed and each shortcut read once.
TEST_F(RunnerTest, CheckRunListsEachTreeOnceCallsTheHostInOrderAndReportsSharedUrls) {
  const std::string a1 = Add("A/one.url", "http://same/");
  Add("B/skipped.url", "http://same/");
  const std::string r = Add("root.url", "http://same/");
  Refresh({"A", "/"});
  ASSERT_EQ(host_.folders.size(), 3u);
  Add("A/sub/two.url", "http://other/");
  services_.listings.clear();
  services_.reads.clear();

  const ProcessRunner::Report report = RunReport(0);
  EXPECT_EQ(report.outcome, ProcessRunner::Outcome::kCompleted);
  EXPECT_EQ(host_.log, (Log{"busy on", "choose", "busy on", "repaint",
                             "status Checking A...", "entry 0 2", "min 0", "max 2", "value 0", "step", "step", "untick 0", "busy on",
                             "status Checking /...", "entry 2 1", "min 0", "max 1", "value 0", "step", "untick 2", "busy on",
                             "status ", "value 0", "busy off"}));
  EXPECT_EQ(report.entries, 2);
  EXPECT_EQ(report.favorites, 3);
  EXPECT_EQ(services_.listings,
            (std::map<std::string, int>{{temp_ / "fav/", 1}, {temp_ / "fav/A/", 1}, {temp_ / "fav/A/sub/", 1}}));
  EXPECT_EQ(services_.reads.size(), 3u);
  for (const auto& [file, reads] : services_.reads) EXPECT_EQ(reads, 1) << file;
  EXPECT_EQ(Output("Check.txt"), "http://same/\r\n  " + a1 + "\r\n  " + r + "\r\n\r\n");
  EXPECT_EQ(runner_.State().currentprocess, ProcessKind::kCheck);
  EXPECT_EQ(runner_.State().outputfolder, output_ + path::kSeparator);
}

// A cancelled or inaccessible folder choice, or a process number that
// names none, writes nothing and leaves the folders ticked.
TEST_F(RunnerTest, CancelledRunsWriteNothing) {
  Add("A/one.url", "http://a/");
  Refresh({"A"});
  host_.chooseResult = FolderChoice::kCancelled;
  EXPECT_EQ(Run(0), ProcessRunner::Outcome::kCancelled);
  EXPECT_EQ(host_.log, (Log{"busy on", "choose", "busy off"}));
  host_.log.clear();
  host_.chooseResult = FolderChoice::kDriveNotAccessible;
  EXPECT_EQ(Run(2), ProcessRunner::Outcome::kCancelled);
  EXPECT_EQ(host_.log, (Log{"busy on", "choose", "repaint", "message Error accessing drive", "busy off"}));
  host_.chooseResult = FolderChoice::kChosen;
  EXPECT_EQ(Run(7), ProcessRunner::Outcome::kCancelled);
  EXPECT_EQ(Output("Check.txt"), "<missing>");
  EXPECT_EQ(Output("bookmarks.html"), "<missing>");
  EXPECT_TRUE(host_.folders[0].ticked);
}

TEST_F(RunnerTest, UnreadableShortcutsGiveOneMessageAfterTheRunAndStillStep) {
  std::string listed;
  for (int i = 10; i < 22; ++i) {
    const std::string bad = temp_.Write("fav/A/b" + std::to_string(i) + ".url", "[InternetShortcut]\r\n");
    if (i < 20) listed += "\r\n" + bad;
  }
  Add("A/good.url", "http://good/");
  Refresh({"A"});
  const ProcessRunner::Report report = RunReport(0);
  EXPECT_EQ(report.outcome, ProcessRunner::Outcome::kCompleted);
  EXPECT_EQ(report.unreadable.size(), 12u);
  EXPECT_EQ(host_.messages, Log{"Error reading URL from 12 shortcuts:" + listed + "\r\n..."});
  EXPECT_EQ(host_.log.back(), "message " + host_.messages[0]);
  EXPECT_EQ(std::count(host_.log.begin(), host_.log.end(), "step"), 13);
  EXPECT_EQ(Output("Check.txt"), "");
}

TEST_F(RunnerTest, HandlerErrorsStopTheRunAndKeepEarlierFoldersUnticked) {
  Add("A/one.url", "http://a/");
  Add("B/two.url", "http://b/");
  Refresh({"A", "B"});
  ProcessRunner failing(host_, favorites_, temp_ / "fav", [](ProcessKind) {
    struct Failing final : Process {
      bool Prepare(RunState&) override { return true; }
      void FavoriteChange(int, FavoriteItem& favorite, std::string_view) override {
        if (favorite.URL == "http://b/") throw std::runtime_error("disk full");
      }
    };
    return std::make_unique<Failing>();
  });
  EXPECT_EQ(failing.Run(ProcessKind::kCheck, host_.Ticked()).outcome, ProcessRunner::Outcome::kFailed);
  EXPECT_FALSE(host_.folders[0].ticked);
  EXPECT_TRUE(host_.folders[1].ticked);
  const Log tail(host_.log.end() - 4, host_.log.end());
  EXPECT_EQ(tail, (Log{"message disk full", "status ", "value 0", "busy off"}));
}

TEST_F(RunnerTest, ASecondRunFromInsideARunIsRefused) {
  Add("A/one.url", "http://a/");
  Refresh({"A"});
  std::vector<ProcessRunner::Outcome> nested;
  host_.onPump = [&] { nested.push_back(runner_.Run(ProcessKind::kClean, host_.Ticked()).outcome); };
  EXPECT_EQ(Run(0), ProcessRunner::Outcome::kCompleted);
  EXPECT_EQ(nested, (std::vector<ProcessRunner::Outcome>{ProcessRunner::Outcome::kRefused, ProcessRunner::Outcome::kRefused}));
  EXPECT_EQ(runner_.State().currentprocess, ProcessKind::kCheck);
}

// A tree with fixed file times gives this file in every time zone: the
// dates are the files' real UTC times (native build; the Windows build
// keeps the system's zone).
TEST_F(RunnerTest, ConvertWritesTheBookmarkFileByteForByteWithUtcDatesInEveryZone) {
  Add("A/B/y.url", "http://y/");
  Add("A/x & co.url", "http://x/?a=1&b=2 c\xC3\xA9");
  temp_.MakeFolder("fav/A/Empty");
  Add("r\xC3\xA9.url", "http://r/");
  for (const auto& [name, time] : {std::pair{"A/B/y.url", 1100000000}, {"A/x & co.url", 1200000000},
                                   {"r\xC3\xA9.url", 1300000000}, {"A/B", 1400000000}, {"A", 1500000000}}) {
    services_.SetLastWriteUtc(temp_ / ("fav/" + std::string(name)), time);
  }
  for (const char* zone : {"UTC", "America/New_York", "Asia/Kolkata", "Pacific/Chatham", "Europe/Berlin"}) {
#ifndef _WIN32
    const testing::ScopedVariable tz("TZ", zone);
    tzset();
#endif
    Refresh({"A", "/"});
    EXPECT_EQ(Run(2), ProcessRunner::Outcome::kCompleted);
    EXPECT_EQ(Output("bookmarks.html"), kBookmarks) << zone;
  }
  tzset();
}

TEST_F(RunnerTest, ConvertOfAnEmptySelectionStillWritesAWellFormedFile) {
  Refresh({});
  EXPECT_EQ(Run(2), ProcessRunner::Outcome::kCompleted);
  EXPECT_EQ(Output("bookmarks.html"), kBookmarks.substr(0, kBookmarks.find("    <DT>")) + "</DL><P>\r\n");
}

}  // namespace
}  // namespace vellumark
