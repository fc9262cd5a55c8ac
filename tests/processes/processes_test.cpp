// Check, Clean and Convert driven directly: the report beyond 16-bit counts
// and its grouping order, the dates and line breaks of bookmarks.html,
// output files that cannot be written, and Clean's handling of files it
// cannot or need not rewrite.
#include "processes/check_process.h"
#include "processes/clean_process.h"
#include "processes/convert_process.h"
#include "support/path.h"
#include "support/time_zone.h"
#include "tests/support/failing_file_services.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vellumark {
namespace {

using namespace std::string_literals;
using testing::FailingFileServices;
using testing::TempFolder;

RunState StateFor(const TempFolder& temp) {
  RunState state;
  state.outputfolder = temp.Path() + path::kSeparator;
  state.favoritesfolder = temp.Path() + path::kSeparator;
  return state;
}

std::string CheckReport(const TempFolder& temp, const std::vector<std::pair<std::string, std::string>>& entries) {
  CheckProcess check(NativeFileServices());
  RunState state = StateFor(temp);
  check.Prepare(state);
  for (const auto& [url, file] : entries) {
    FavoriteItem favorite{"name", url, {}};
    check.FavoriteChange(1, favorite, file);
  }
  check.Finish();
  check.Close();
  return NativeFileServices().ReadFile(temp / "Check.txt").value_or("<missing>");
}

// Groups in the order of their first member, members in list order; URLs
// differ by any byte (case, trailing slash or blank); single URLs are left
// out; text outside Windows-1252 makes the report UTF-8.
TEST(CheckReport, GroupsRepeatedUrlsInTheOrderTheyCome) {
  TempFolder temp;
  EXPECT_EQ(CheckReport(temp, {{"http://b/", "1"}, {"http://a/", "2"}, {"http://A/", "3"}, {"http://b/", "4"},
                               {"http://a", "5"}, {"http://a/", "6"}, {"http://a/ ", "7"}, {"http://b/", "8"}}),
            "http://b/\r\n  1\r\n  4\r\n  8\r\n\r\nhttp://a/\r\n  2\r\n  6\r\n\r\n");
  EXPECT_EQ(CheckReport(temp, {{"http://caf\xC3\xA9/", "a"}, {"http://caf\xC3\xA9/", "b"}}),
            "http://caf\xE9/\r\n  a\r\n  b\r\n\r\n");
  EXPECT_EQ(CheckReport(temp, {{"http://x/", "\xE6\x97\xA5"}, {"http://x/", "b"}}),
            "\xEF\xBB\xBFhttp://x/\r\n  \xE6\x97\xA5\r\n  b\r\n\r\n");
  // 50,000 favorites: the last 5,000 repeat the URLs of the first 5,000.
  std::vector<std::pair<std::string, std::string>> entries;
  for (int i = 0; i < 50000; ++i) entries.emplace_back("http://u/" + std::to_string(i % 45000), "f" + std::to_string(i));
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    expected += "http://u/" + std::to_string(i) + "\r\n  f" + std::to_string(i) + "\r\n  f" + std::to_string(i + 45000) +
                "\r\n\r\n";
  }
  EXPECT_EQ(CheckReport(temp, entries), expected);
}

// Convert on its own: the lines written for favorites and folders. Times
// outside 32 bits, not above zero or unknown are 0; line breaks and other
// bytes never break a line, and the item carries the encoded forms.
TEST(ConvertLines, DatesAndOddBytesStayInTheirLine) {
  TempFolder temp;
  HTML html;
  ConvertProcess convert(NativeFileServices(), html);
  RunState state = StateFor(temp);
  convert.Prepare(state);
  const auto at = [](std::int64_t utc) { return ToLocal(utc, CurrentUtcOffsetMinutes()); };
  for (const std::int64_t time : {-5LL, 0LL, 1LL, 2147483647LL, 2147483648LL, 253402300799LL}) {
    FavoriteItem favorite{std::to_string(time), "http://t/", at(time)};
    convert.FavoriteChange(0, favorite, "");
  }
  FavoriteItem odd{"a\r\nb\"<x>\t\x01\xFF", "http://h/\r\n\"<x>\xC3\xA9", at(1000000000)};
  convert.FavoriteChange(1, odd, "");
  FolderItem folders[] = {{1, {}, "unset"}, {1, at(1000000000), "f\nx"}};
  for (FolderItem& folder : folders) {
    convert.BeforeFolderChange(0, folder);
    convert.AfterFolderChange(0, folder);
  }
  // A checked folder whose time cannot be read.
  convert.BeginEntry({0, "Gone", 0, 0});
  convert.EndEntry({0, "Gone", 0, 0});
  convert.Finish();
  convert.Close();
  EXPECT_EQ(odd.Name, "a&#13;&#10;b&quot;&lt;x&gt;\t\x01?");
  EXPECT_EQ(folders[1].Name, "f&#10;x");
  const auto line = [](const char* name, const char* t) {
    return "    <DT><A HREF=\"http://t/\" ADD_DATE=\""s + t + "\" LAST_MODIFIED=\"" + t + "\">" + name + "</A>\r\n";
  };
  const auto folder = [](const char* name, const char* t) {
    return "    <DT><H3 ADD_DATE=\""s + t + "\" LAST_MODIFIED=\"" + t + "\">" + name + "</H3>\r\n    <DL><P>\r\n    </DL><P>\r\n";
  };
  const std::string file = NativeFileServices().ReadFile(temp / "bookmarks.html").value_or("");
  EXPECT_EQ(file.substr(file.find("<DL><P>\r\n") + 9),
            line("-5", "0") + line("0", "0") + line("1", "1") + line("2147483647", "2147483647") +
                line("2147483648", "0") + line("253402300799", "0") +
                "        <DT><A HREF=\"http://h/&#13;&#10;&quot;&lt;x&gt;%C3%A9\" ADD_DATE=\"1000000000\" "
                "LAST_MODIFIED=\"1000000000\">a&#13;&#10;b&quot;&lt;x&gt;\t\x01?</A>\r\n" +
                folder("unset", "0") + folder("f&#10;x", "1000000000") + folder("Gone", "0") + "</DL><P>\r\n");
}

// A full disk, met while the head is written. Failures to create the file
// and to write or flush later are named by whole runs in the runner's and
// the fault-injection tests.
TEST(OutputFailures, NameTheFile) {
  TempFolder temp;
  RunState state = StateFor(temp);
  HTML html;
  FailingFileServices full;
  full.outputLimit = 100;
  ConvertProcess convert(full, html);
  try {
    convert.Prepare(state);
    ADD_FAILURE() << "no error";
  } catch (const std::exception& error) {
    EXPECT_EQ(error.what(), "Error writing to \r\n" + temp / "bookmarks.html");
  }
}

// Clean over real files, with failures injected: each file's bytes before
// and after, and whether it is reported unwritten. Clean files are not
// written again, the encoding, URL bytes and attributes are kept, text that
// would not survive a rewrite is left alone, and a shortcut that cannot be
// replaced is reported, kept whole and keeps its attributes.
TEST(CleanFiles, RewritesOnlyWhatNeedsItInTheFilesOwnEncoding) {
  TempFolder temp;
  FailingFileServices services;
  const std::string messy = "[InternetShortcut]\r\nURL=http://a/\r\nIconIndex=0\r\n";
  const std::string longUrl = "http://long/" + std::string(5000, 'x');
  const std::string utf16 = "\xFF\xFE[\0I\0n\0t\0e\0r\0n\0e\0t\0S\0h\0o\0r\0t\0c\0u\0t\0]\0\r\0\n\0U\0R\0L\0=\0h\0:\0\xE5\x65\r\0\n\0"s;
  const std::string broken = "\xEF\xBB\xBF[InternetShortcut]\nURL=http://a/\nX=\xFF\n";
#ifdef _WIN32
  const std::uint32_t kept = attribute::kReadOnly | attribute::kHidden | attribute::kSystem;
#else
  const std::uint32_t kept = attribute::kReadOnly;
#endif
  const struct {
    std::string before, after;
    bool unwritten, locked;
    std::uint32_t attributes;
  } files[] = {
      {messy, messy, true, true, attribute::kReadOnly},
      {messy, "[InternetShortcut]\r\nURL=http://a/\r\n", false, false, kept},
      {"[Other]\nA=1\n[InternetShortcut]\nURL=http://a/\n[X]\n", "[Other]\nA=1\n[InternetShortcut]\nURL=http://a/\n[X]\n", false, false, 0},
      {utf16, utf16, false, false, 0},
      {utf16 + "X\0=\0\r\0\n\0"s, utf16, false, false, 0},
      {"[InternetShortcut]\r\nURL=http://caf\xE9/\x80\r\nX=\xFC\r\n", "[InternetShortcut]\r\nURL=http://caf\xE9/\x80\r\n", false, false, 0},
      {"[InternetShortcut]\r\nURL=" + longUrl + "\r\nX=1\r\n", "[InternetShortcut]\r\nURL=" + longUrl + "\r\n", false, false, 0},
      {broken, broken, true, false, 0}};
  std::vector<std::string> paths, expectedUnwritten, expectedReplaced;
  for (const auto& file : files) {
    paths.push_back(temp.Write(std::to_string(paths.size()) + ".url", file.before));
    ASSERT_TRUE(services.SetAttributes(paths.back(), file.attributes));
    if (file.locked) services.unreplaceable.insert(paths.back());
    if (file.unwritten) expectedUnwritten.push_back(paths.back());
    if (file.after != file.before && !file.unwritten) expectedReplaced.push_back(paths.back());
  }
  paths.push_back(temp / "gone.url");
  expectedUnwritten.push_back(paths.back());
  CleanProcess clean(services);
  RunState state = StateFor(temp);
  clean.Prepare(state);
  for (const std::string& file : paths) {
    FavoriteItem favorite;
    clean.FavoriteChange(1, favorite, file);
  }
  EXPECT_EQ(clean.Unwritten(), expectedUnwritten);
  EXPECT_EQ(services.replaced, expectedReplaced);
  for (std::size_t i = 0; i < std::size(files); ++i) {
    EXPECT_EQ(services.ReadFile(paths[i]).value_or("<missing>"), files[i].after) << i;
    EXPECT_EQ(services.GetAttributes(paths[i]) & kept, files[i].attributes) << i;
    services.SetAttributes(paths[i], 0);
  }
}

}  // namespace
}  // namespace vellumark
