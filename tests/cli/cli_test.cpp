#include "cli/cli.h"

#include "generate/templates.h"
#include "runner/settings.h"
#include "runner/site_settings.h"
#include "support/file_services.h"
#include "support/path.h"
#include "tests/support/settings_sandbox.h"
#include "tests/support/temp_folder.h"
#include "vellumark_version.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vellumark::cli {
namespace {

using vellumark::testing::TempFolder;
const std::string kShortcut = "[InternetShortcut]\r\nURL=http://example.com/\r\n";

struct Result {
  int exitCode;
  std::string out, err;
};

// A favorites tree (one read-only shortcut, which Clean would change), an
// output folder, a program folder with a template set and a settings store
// of its own.
class Cli : public ::testing::Test {
 protected:
  Cli() {
    for (const char* name : {"News/a.url", "News/Deep/b.url", "top.url"}) favorites_.Write(name, kShortcut);
    locked_ = favorites_.Write("News/locked.url", kShortcut + "IconIndex=1\r\n");
    favorites_.Write("Empty/readme.txt", "not a shortcut");
    NativeFileServices().SetAttributes(locked_, attribute::kReadOnly);
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

  Result Run(const std::vector<std::string>& arguments, bool terminal = false) {
    std::ostringstream out, err;
    const int code = RunCli(arguments, out, err, NativeFileServices(), terminal, program_.Path() + path::kSeparator);
    return {code, out.str(), err.str()};
  }
  // A run over favorites_ into output_.
  Result Process(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--favorites", favorites_.Path()});
    arguments.insert(arguments.end(), {"--output", output_});
    return Run(arguments);
  }
  std::string Output(std::string_view name) {
    return NativeFileServices().ReadFile(output_ + path::kSeparator + std::string(name)).value_or("<missing>");
  }
  std::string Stored() { return Run({"settings"}).out; }

  TempFolder favorites_, outputParent_, program_;
  std::string locked_;
  std::string output_ = outputParent_ / "made/here";
  testing::SettingsSandbox sandbox_;
  testing::KeptValues kept_{AppEx().RegistryKey(), {"Interval", "ShortcutFolders", "Template", "Updated", "WHOIS"}};
  Templates templates_{program_.Path() + path::kSeparator};
  Settings settings_{CompleteSetCheck(templates_)};
};

TEST_F(Cli, ListPrintsCountTabNameWithTheRootLast) {
  Result result = Run({"--favorites", favorites_.Path(), "list"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.out == "0\tEmpty\n2\tNews\n1\t/\n" || result.out == "2\tNews\n0\tEmpty\n1\t/\n") << result.out;
  EXPECT_EQ(result.err, "");
  result = Run({"--include-read-only", "--favorites", favorites_.Path(), "list"});
  EXPECT_NE(result.out.find("3\tNews\n"), std::string::npos) << result.out;
  result = Run({"--favorites", favorites_ / "missing", "list"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Error accessing favorites folder\n");
  EXPECT_EQ(result.out, "");
}

TEST(CliUsage, BadCommandLinesExitWithTwoAndTheUsage) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{}, {"--bogus", "list"}, {"lists"}, {"list", "extra"}, {"--favorites"},
        {"check", "--all"}, {"check", "--output", "x"}, {"convert", "--all", "A", "--output", "x"},
        {"verify", "--all", "--output", "x", "--timeout", "0"}, {"verify", "--all", "--output", "x", "--parallel", "65"},
        {"check", "--all", "--output", "x", "--parallel", "4"}, {"verify", "--all", "--output", "x", "--timeout"},
        {"clean", "A", "--output"}, {"list", "--all"}, {"convert", "--all", "--output", "x", "--interval", "3"},
        {"generate", "--all", "--output", "x", "--template"}, {"statistics", "--output", "x"},
        {"settings", "Interval"}, {"settings", "Interval", "1", "2"}, {"settings", "--all"}}) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(arguments, out, err), 2) << ::testing::PrintToString(arguments);
    EXPECT_NE(err.str().find("usage: vellumark-cli"), std::string::npos);
    EXPECT_EQ(out.str(), "");
  }
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"--version"}, out, err), 0);
  EXPECT_EQ(out.str(), "Vellumark " VELLUMARK_VERSION "\n");
}

TEST_F(Cli, CheckCreatesTheOutputFolderAndReportsDuplicatesInListOrder) {
  const Result result = Process({"check", "/", "News"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(Output("Check.txt"), "http://example.com/\r\n  " + (favorites_ / "News/Deep/b.url") + "\r\n  " +
                                     (favorites_ / "News/a.url") + "\r\n  " + (favorites_ / "top.url") + "\r\n\r\n");
  // On a terminal the progress line is redrawn and cleared.
  const Result shown = Run({"--favorites", favorites_.Path(), "check", "News", "--output", output_}, true);
  EXPECT_EQ(shown.exitCode, 0);
  EXPECT_NE(shown.err.find("\rChecking News... 2/2"), std::string::npos) << shown.err;
  EXPECT_EQ(shown.err.back(), '\r');
}

// Unknown folders are usage errors; unreadable shortcuts are reported a line
// each but the run succeeds; Clean keeps read-only shortcuts without the
// option; a run that cannot make its output folder exits with one.
TEST_F(Cli, RunsExitWithWhatTheyMet) {
  Result result = Process({"convert", "News", "Nowhere"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find("Nowhere"), std::string::npos);
  EXPECT_EQ(Output("bookmarks.html"), "<missing>");
  const std::string bad = favorites_.Write("News/bad.url", "[InternetShortcut]\r\n");
  const std::string worse = favorites_.Write("News/worse.url", "");
  result = Process({"convert", "--all"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, "Error reading URL from " + bad + "\nError reading URL from " + worse + "\n");
  EXPECT_NE(Output("bookmarks.html").find("<DT><A HREF=\"http://example.com/\""), std::string::npos);
  const std::string messy = favorites_.Write("News/messy.url", kShortcut + "IconIndex=1\r\n");
  EXPECT_EQ(Process({"clean", "News"}).exitCode, 0);
  EXPECT_EQ(NativeFileServices().ReadFile(messy), kShortcut);
  EXPECT_EQ(NativeFileServices().ReadFile(locked_), kShortcut + "IconIndex=1\r\n");
  output_ = favorites_.Write("blocker", "x");
  result = Process({"check", "--all"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Error creating output folder \r\n" + output_ + "\n");
}

TEST_F(Cli, GenerateChecksItsOptionsLikeTheDialogAndStoresThem) {
  const std::pair<std::vector<std::string>, std::string> refused[] = {
      {{}, "No complete template set is selected\r\n" + templates_.FolderName() + "\n"},
      {{"--interval", "1001", "--template", "nope"}, "Invalid interval\n"},
      {{"--interval", ""}, "Invalid interval\n"},
      {{"--interval", "5"}, "Please select a template\n"},
      {{"--template", "nope"}, "Please select a template\n"}};
  for (const auto& [options, message] : refused) {
    std::vector<std::string> arguments{"--favorites", favorites_.Path(), "generate", "--all", "--output", output_};
    arguments.insert(arguments.end(), options.begin(), options.end());
    const Result result = Run(arguments);
    EXPECT_EQ(result.exitCode, options.empty() ? 1 : 2) << message;
    EXPECT_EQ(result.err, message);
  }
  EXPECT_EQ(NativeFileServices().ListFolder(output_).value_or(std::vector<DirectoryEntry>{}).size(), 0u);
  EXPECT_EQ(Stored(), "Interval=0\nShortcutFolders=\nTemplate=\nUpdated=\nWHOIS=https://who.example/?q=%q\n");

  const Result made = Process({"generate", "News", "/", "--template", "mini", "--interval", "7", "--updated", "Note"});
  EXPECT_EQ(made.exitCode, 0) << made.err;
  EXPECT_EQ(Output("index.html"), "[index.html]%%UPDATED%%\r\n            [folderlink.html]%%UPDATED%%\r\n"
                                  "            [filelink.html]%%UPDATED%%\r\n[footer.html]Note\r\n");
  EXPECT_EQ(Output("site.css"), "css");
  EXPECT_EQ(Stored(), "Interval=7\nShortcutFolders=\nTemplate=Mini\nUpdated=Note\nWHOIS=https://who.example/?q=%q\n");
  // Without options the stored ones are used as they are.
  EXPECT_EQ(Process({"generate", "News"}).exitCode, 0);
  EXPECT_EQ(Output("index.html"), "[index.html]%%UPDATED%%\r\n            [folderlink.html]%%UPDATED%%\r\n[footer.html]Note\r\n");
}

#ifndef _WIN32
// The run reads the options back from the store; a store that keeps the old
// values must not give a site built with them and exit 0.
TEST_F(Cli, GivenOptionsThatCannotBeStoredFailTheRun) {
  ASSERT_TRUE(NativeFileServices().RemoveFile(sandbox_.SettingsFile()));
  sandbox_.ConfigFolder().MakeFolder("vellumark/settings.ini");
  const Result result = Process({"generate", "--all", "--template", "mini", "--interval", "7"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Error saving the Generate options\n");
}
#endif

TEST_F(Cli, StatisticsReportsUnparsableUrlsAndSucceeds) {
  EXPECT_EQ(Run({"settings", "Template", "MINI"}).exitCode, 0);
  favorites_.Write("News/odd.url", "[InternetShortcut]\r\nURL=no scheme\r\n");
  const Result result = Process({"statistics", "--all"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, "Error parsing no%20scheme\n");
  EXPECT_EQ(Output("news.html").substr(0, 13), "[header.html]");
}

TEST_F(Cli, SettingsPrintsAndSetsOneValueAndRefusesBadOnes) {
  const std::pair<const char*, const char*> values[] = {
      {"interval", "12"}, {"WHOIS", "https://x/%q"}, {"ShortcutFolders", "A|B"}, {"Updated", ""}};
  for (const auto& [name, value] : values) EXPECT_EQ(Run({"settings", name, value}).exitCode, 0) << name;
  const std::string stored = "Interval=12\nShortcutFolders=A|B\nTemplate=\nUpdated=\nWHOIS=https://x/%q\n";
  EXPECT_EQ(Stored(), stored);
  const Result badInterval = Run({"settings", "Interval", "-3"});
  EXPECT_EQ(badInterval.exitCode, 2);
  EXPECT_EQ(badInterval.err, "Invalid interval\n");
  EXPECT_EQ(Run({"settings", "Template", "Missing"}).err, "Please select a template\n");
  EXPECT_EQ(Run({"settings", "Colour", "red"}).exitCode, 2);
  EXPECT_EQ(Stored(), stored);
}

}  // namespace
}  // namespace vellumark::cli
