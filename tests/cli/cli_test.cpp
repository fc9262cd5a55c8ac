#include "cli/cli.h"

#include "generate/templates.h"
#include "runner/settings.h"
#include "runner/site_settings.h"
#include "support/file_services.h"
#include "support/path.h"
#include "tests/generate/settings_keeper.h"
#include "tests/support/temp_folder.h"
#include "vellumark_version.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vellumark::cli {
namespace {

using vellumark::testing::SettingsFolder;
using vellumark::testing::SettingsKeeper;
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
       {std::vector<std::string>{}, {"--bogus", "list"}, {"lists"}, {"list", "extra"}, {"--favorites"},
        {"check", "--all"}, {"check", "--output", "x"}, {"convert", "--all", "A", "--output", "x"},
        {"clean", "A", "--output"}, {"list", "--all"}, {"verify", "--all", "--output", "x", "--timeout", "0"},
        {"verify", "--all", "--output", "x", "--parallel", "65"}, {"check", "--all", "--output", "x", "--parallel", "4"},
        {"verify", "--all", "--output", "x", "--timeout"}}) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(arguments, out, err), 2);
    EXPECT_NE(err.str().find("usage: vellumark-cli"), std::string::npos);
    EXPECT_EQ(out.str(), "");
  }
  EXPECT_EQ(RunTool({"--version"}).out, "Vellumark " VELLUMARK_VERSION "\n");
}

// check, clean and convert through the console host.
class CliProcess : public CliList {
 protected:
  Result Process(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--favorites", favorites_.Path()});
    arguments.insert(arguments.end(), {"--output", output_});
    return RunTool(arguments);
  }
  std::string Output(std::string_view name) {
    return NativeFileServices().ReadFile(output_ + path::kSeparator + std::string(name)).value_or("<missing>");
  }

  TempFolder outputParent_;
  std::string output_ = outputParent_ / "made/here";
};

TEST_F(CliProcess, CheckCreatesTheOutputFolderAndReportsDuplicatesInListOrder) {
  const Result result = Process({"check", "/", "News"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(Output("Check.txt"), "http://example.com/\r\n  " + (favorites_ / "News/Deep/b.url") + "\r\n  " +
                                     (favorites_ / "News/a.url") + "\r\n  " + (favorites_ / "top.url") + "\r\n\r\n");
}

TEST_F(CliProcess, UnknownFolderIsAUsageError) {
  const Result result = Process({"convert", "News", "Nowhere"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find("Nowhere"), std::string::npos);
  EXPECT_EQ(Output("bookmarks.html"), "<missing>");
}

TEST_F(CliProcess, UnreadableShortcutsAreReportedALineEachButTheRunSucceeds) {
  const std::string bad = favorites_.Write("News/bad.url", "[InternetShortcut]\r\n");
  const std::string worse = favorites_.Write("News/worse.url", "");
  const Result result = Process({"convert", "--all"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, "Error reading URL from " + bad + "\nError reading URL from " + worse + "\n");
  EXPECT_NE(Output("bookmarks.html").find("<DT><A HREF=\"http://example.com/\""), std::string::npos);
}

TEST_F(CliProcess, FailedRunsExitWithOne) {
  // The output folder's place is taken by a file.
  output_ = favorites_.Write("blocker", "x");
  const Result result = Process({"check", "--all"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("Error"), std::string::npos);
}

TEST_F(CliProcess, CleanRewritesShortcutsAndKeepsReadOnlyOnesWithoutTheOption) {
  const std::string messy = favorites_.Write("News/messy.url", "[InternetShortcut]\r\nURL=http://m/\r\nIconIndex=1\r\n");
  const std::string lockedBefore = *NativeFileServices().ReadFile(locked_);
  EXPECT_EQ(Process({"clean", "News"}).exitCode, 0);
  EXPECT_EQ(NativeFileServices().ReadFile(messy), "[InternetShortcut]\r\nURL=http://m/\r\n");
  EXPECT_EQ(NativeFileServices().ReadFile(locked_), lockedBefore);
}

TEST_F(CliProcess, ProgressLineIsRedrawnAndClearedOnATerminal) {
  std::ostringstream out, err;
  const int code = RunCli({"--favorites", favorites_.Path(), "check", "News", "--output", output_}, out, err,
                          NativeFileServices(), true);
  EXPECT_EQ(code, 0);
  EXPECT_NE(err.str().find("\rChecking News... 2/2"), std::string::npos) << err.str();
  EXPECT_EQ(err.str().back(), '\r');
}

// generate, statistics and settings with a template folder and settings
// store of their own.
class CliSite : public CliProcess {
 protected:
  CliSite() {
    for (std::string_view file : Templates::kFiles) {
      program_.Write("Templates/Mini/" + std::string(file), "[" + std::string(file) + "]%%UPDATED%%");
    }
    program_.Write("Templates/Mini/site.css", "css");
    settings_.SetTemplate("");
    settings_.SetInterval(0);
    settings_.SetUpdated("");
    settings_.SetShortcutFolders("");
    settings_.SetWHOIS("https://who.example/?q=%q");
  }

  Result Site(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--favorites", favorites_.Path()});
    return Run(arguments);
  }
  Result Run(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int code = RunCli(arguments, out, err, NativeFileServices(), false, program_.Path() + path::kSeparator);
    return {code, out.str(), err.str()};
  }
  std::string Stored() { return Run({"settings"}).out; }

  TempFolder program_;
  SettingsFolder settingsFolder_{program_ / "config"};
  Templates templates_{program_.Path() + path::kSeparator};
  Settings settings_{CompleteSetCheck(templates_)};
  SettingsKeeper keeper_{settings_};
};

TEST_F(CliSite, GenerateWithoutACompleteSetFailsBeforeWriting) {
  const Result result = Site({"generate", "--all", "--output", output_});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "No complete template set is selected\r\n" + templates_.FolderName() + "\n");
  EXPECT_EQ(NativeFileServices().ListFolder(output_).value_or(std::vector<DirectoryEntry>{}).size(), 0u);
}

TEST_F(CliSite, GivenOptionsAreCheckedLikeTheDialogAndStored) {
  EXPECT_EQ(Site({"generate", "--all", "--output", output_, "--interval", "1001", "--template", "nope"}).err,
            "Invalid interval\n");
  EXPECT_EQ(Site({"generate", "--all", "--output", output_, "--interval", ""}).err, "Invalid interval\n");
  const Result noSet = Site({"generate", "--all", "--output", output_, "--interval", "5"});
  EXPECT_EQ(noSet.exitCode, 2);
  EXPECT_EQ(noSet.err, "Please select a template\n");
  EXPECT_EQ(Site({"generate", "--all", "--output", output_, "--template", "nope"}).err, "Please select a template\n");
  EXPECT_EQ(Output("index.html"), "<missing>");
  EXPECT_EQ(Stored(), "Interval=0\nShortcutFolders=\nTemplate=\nUpdated=\nWHOIS=https://who.example/?q=%q\n");

  const Result made = Site({"generate", "News", "/", "--output", output_, "--template", "mini", "--interval", "7",
                            "--updated", "Note"});
  EXPECT_EQ(made.exitCode, 0) << made.err;
  EXPECT_EQ(Output("index.html"), "[index.html]%%UPDATED%%\r\n            [folderlink.html]%%UPDATED%%\r\n"
                                  "            [filelink.html]%%UPDATED%%\r\n[footer.html]Note\r\n");
  EXPECT_EQ(Output("site.css"), "css");
  EXPECT_EQ(Stored(), "Interval=7\nShortcutFolders=\nTemplate=Mini\nUpdated=Note\nWHOIS=https://who.example/?q=%q\n");

  // Without options the stored ones are used as they are.
  EXPECT_EQ(Site({"generate", "News", "--output", output_}).exitCode, 0);
  EXPECT_EQ(Output("index.html"), "[index.html]%%UPDATED%%\r\n            [folderlink.html]%%UPDATED%%\r\n[footer.html]Note\r\n");
}

#ifndef _WIN32
// The run reads the options back from the store; a store that keeps the old
// values must not give a site built with them and exit 0.
TEST_F(CliSite, GivenOptionsThatCannotBeStoredFailTheRun) {
  settings_.SetTemplate("Mini");
  settings_.SetInterval(3);
  program_.MakeFolder("config/vellumark/settings.ini.blocked");
  const std::string file = program_ / "config/vellumark/settings.ini";
  ASSERT_TRUE(NativeFileServices().RemoveFile(file));
  ASSERT_TRUE(NativeFileServices().Rename(file + ".blocked", file));
  const Result result = Site({"generate", "--all", "--output", output_, "--template", "mini", "--interval", "7"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Error saving the Generate options\n");
}
#endif

TEST_F(CliSite, StatisticsReportsUnparsableUrlsAndSucceeds) {
  EXPECT_EQ(Run({"settings", "Template", "MINI"}).exitCode, 0);
  favorites_.Write("News/odd.url", "[InternetShortcut]\r\nURL=no scheme\r\n");
  const Result result = Site({"statistics", "--all", "--output", output_});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, "Error parsing no%20scheme\n");
  EXPECT_EQ(Output("news.html").substr(0, 13), "[header.html]");
}

TEST_F(CliSite, SettingsPrintsAndSetsOneValue) {
  EXPECT_EQ(Run({"settings", "interval", "12"}).exitCode, 0);
  EXPECT_EQ(Run({"settings", "WHOIS", "https://x/%q"}).exitCode, 0);
  EXPECT_EQ(Run({"settings", "ShortcutFolders", "A|B"}).exitCode, 0);
  EXPECT_EQ(Run({"settings", "Updated", ""}).exitCode, 0);
  EXPECT_EQ(Stored(), "Interval=12\nShortcutFolders=A|B\nTemplate=\nUpdated=\nWHOIS=https://x/%q\n");

  const Result badInterval = Run({"settings", "Interval", "-3"});
  EXPECT_EQ(badInterval.exitCode, 2);
  EXPECT_EQ(badInterval.err, "Invalid interval\n");
  EXPECT_EQ(Run({"settings", "Template", "Missing"}).err, "Please select a template\n");
  EXPECT_EQ(Run({"settings", "Colour", "red"}).exitCode, 2);
  EXPECT_EQ(Stored(), "Interval=12\nShortcutFolders=A|B\nTemplate=\nUpdated=\nWHOIS=https://x/%q\n");
}

TEST(CliSiteUsage, MisplacedOptionsAndArgumentsAreUsageErrors) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"convert", "--all", "--output", "x", "--interval", "3"},
        {"generate", "--all", "--output", "x", "--template"},
        {"statistics", "--output", "x"},
        {"settings", "Interval"},
        {"settings", "Interval", "1", "2"},
        {"settings", "--all"}}) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(arguments, out, err), 2) << arguments.front();
    EXPECT_NE(err.str().find("usage: vellumark-cli"), std::string::npos);
  }
}

}  // namespace
}  // namespace vellumark::cli
