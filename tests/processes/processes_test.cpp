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

// The error a call ends with ("" when none).
template <typename Call>
std::string ErrorOf(Call call) {
  try {
    call();
  } catch (const std::exception& error) {
    return error.what();
  }
  return "";
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

// Convert on its own: the lines written for favorites and folders.
class ConvertLines : public ::testing::Test {
 protected:
  ConvertLines() : convert_(services_, html_), state_(StateFor(temp_)) { convert_.Prepare(state_); }

  // The lines after the head, the closing line included.
  std::string Body() {
    convert_.Finish();
    convert_.Close();
    const std::string file = services_.ReadFile(temp_ / "bookmarks.html").value_or("");
    return file.substr(file.find("<DL><P>\r\n") + 9);
  }

  static LocalDateTime At(std::int64_t utc) { return ToLocal(utc, CurrentUtcOffsetMinutes()); }

  TempFolder temp_;
  FileServices& services_ = NativeFileServices();
  HTML html_;
  ConvertProcess convert_;
  RunState state_;
};

TEST_F(ConvertLines, TimesOutsideThirtyTwoBitsOrNotAboveZeroOrUnknownAreZero) {
  for (const std::int64_t time : {-5LL, 0LL, 1LL, 2147483647LL, 2147483648LL, 253402300799LL}) {
    FavoriteItem favorite{std::to_string(time), "http://t/", At(time)};
    convert_.FavoriteChange(0, favorite, "");
  }
  FolderItem unset{1, {}, "unset"};
  convert_.BeforeFolderChange(0, unset);
  convert_.AfterFolderChange(0, unset);
  // A checked folder whose time cannot be read.
  convert_.BeginEntry({0, "Gone", 0, 0});
  convert_.EndEntry({0, "Gone", 0, 0});
  const auto line = [](const char* name, const char* t) {
    return "    <DT><A HREF=\"http://t/\" ADD_DATE=\""s + t + "\" LAST_MODIFIED=\"" + t + "\">" + name + "</A>\r\n";
  };
  EXPECT_EQ(Body(), line("-5", "0") + line("0", "0") + line("1", "1") + line("2147483647", "2147483647") +
                        line("2147483648", "0") + line("253402300799", "0") +
                        "    <DT><H3 ADD_DATE=\"0\" LAST_MODIFIED=\"0\">unset</H3>\r\n    <DL><P>\r\n    </DL><P>\r\n"
                        "    <DT><H3 ADD_DATE=\"0\" LAST_MODIFIED=\"0\">Gone</H3>\r\n    <DL><P>\r\n    </DL><P>\r\n"
                        "</DL><P>\r\n");
}

TEST_F(ConvertLines, LineBreaksAndOtherBytesNeverBreakALine) {
  FavoriteItem favorite{"a\r\nb\"<x>\t\x01\xFF", "http://h/\r\n\"<x>\xC3\xA9", At(1000000000)};
  convert_.FavoriteChange(1, favorite, "");
  FolderItem folder{1, At(1000000000), "f\nx"};
  convert_.BeforeFolderChange(1, folder);
  convert_.AfterFolderChange(1, folder);
  // The item carries the encoded forms for the rest of the event.
  EXPECT_EQ(favorite.Name, "a&#13;&#10;b&quot;&lt;x&gt;\t\x01?");
  EXPECT_EQ(folder.Name, "f&#10;x");
  EXPECT_EQ(Body(),
            "        <DT><A HREF=\"http://h/&#13;&#10;&quot;&lt;x&gt;%C3%A9\" ADD_DATE=\"1000000000\" "
            "LAST_MODIFIED=\"1000000000\">a&#13;&#10;b&quot;&lt;x&gt;\t\x01?</A>\r\n"
            "        <DT><H3 ADD_DATE=\"1000000000\" LAST_MODIFIED=\"1000000000\">f&#10;x</H3>\r\n"
            "        <DL><P>\r\n        </DL><P>\r\n</DL><P>\r\n");
}

TEST(OutputFailures, NameTheFile) {
  TempFolder temp;
  RunState state = StateFor(temp);
  HTML html;
  // A folder in the way of the file.
  temp.MakeFolder("bookmarks.html");
  ConvertProcess blocked(NativeFileServices(), html);
  EXPECT_EQ(ErrorOf([&] { blocked.Prepare(state); }), "Error creating \r\n" + temp / "bookmarks.html");

  // A full disk, met while the head is written or when the rest is flushed.
  FailingFileServices full;
  full.outputLimit = 100;
  state.outputfolder = temp.MakeFolder("full") + path::kSeparator;
  ConvertProcess convert(full, html);
  EXPECT_EQ(ErrorOf([&] { convert.Prepare(state); }), "Error writing to \r\n" + temp / "full/bookmarks.html");
  CheckProcess check(full);
  check.Prepare(state);
  for (int i = 0; i < 20; ++i) {
    FavoriteItem favorite{"n", "http://same/", {}};
    check.FavoriteChange(1, favorite, "file " + std::to_string(i));
  }
  EXPECT_EQ(ErrorOf([&] {
              check.Finish();
              check.Close();
            }),
            "Error writing to \r\n" + temp / "full/Check.txt");
}

// Clean over real files, with failures injected by the file services.
class CleanFiles : public ::testing::Test {
 protected:
  std::string Add(std::string_view name, std::string_view bytes) { return temp_.Write(name, bytes); }

  void Clean(const std::vector<std::string>& files) {
    CleanProcess clean(services_);
    RunState state = StateFor(temp_);
    clean.Prepare(state);
    for (const std::string& file : files) {
      FavoriteItem favorite;
      clean.FavoriteChange(1, favorite, file);
    }
    unwritten_ = clean.Unwritten();
  }

  std::string Bytes(const std::string& file) { return services_.ReadFile(file).value_or("<missing>"); }

  TempFolder temp_;
  FailingFileServices services_;
  std::vector<std::string> unwritten_;
};

TEST_F(CleanFiles, AttributesAreKeptAndAnUnwritableShortcutIsReportedKeptWholeAndSkipped) {
  const std::string messy = "[InternetShortcut]\r\nURL=http://a/\r\nIconIndex=0\r\n";
  const std::string locked = Add("locked.url", messy);
  const std::string kept = Add("kept.url", messy);
#ifdef _WIN32
  const std::uint32_t attributes = attribute::kReadOnly | attribute::kHidden | attribute::kSystem;
#else
  const std::uint32_t attributes = attribute::kReadOnly;
#endif
  ASSERT_TRUE(services_.SetAttributes(kept, attributes));
  services_.SetAttributes(locked, attribute::kReadOnly);
  services_.unreplaceable.insert(locked);
  Clean({locked, kept});
  EXPECT_EQ(unwritten_, std::vector<std::string>{locked});
  EXPECT_EQ(Bytes(locked), messy);
  EXPECT_NE(services_.GetAttributes(locked) & attribute::kReadOnly, 0u);
  EXPECT_EQ(Bytes(kept), "[InternetShortcut]\r\nURL=http://a/\r\n");
  EXPECT_EQ(services_.GetAttributes(kept) & attributes, attributes);
  services_.SetAttributes(locked, 0);
  services_.SetAttributes(kept, 0);
}

// Each file's bytes before and after, and whether it is reported unwritten:
// clean files are not written again, the encoding and URL bytes are kept,
// and text that would not survive a rewrite is left alone.
TEST_F(CleanFiles, RewritesOnlyWhatNeedsItInTheFilesOwnEncoding) {
  const std::string longUrl = "http://long/" + std::string(5000, 'x');
  const std::string utf16 = "\xFF\xFE[\0I\0n\0t\0e\0r\0n\0e\0t\0S\0h\0o\0r\0t\0c\0u\0t\0]\0\r\0\n\0U\0R\0L\0=\0h\0:\0\xE5\x65\r\0\n\0"s;
  const std::string broken = "\xEF\xBB\xBF[InternetShortcut]\nURL=http://a/\nX=\xFF\n";
  const std::tuple<std::string, std::string, bool> files[] = {
      {"[Other]\nA=1\n[InternetShortcut]\nURL=http://a/\n[X]\n", "[Other]\nA=1\n[InternetShortcut]\nURL=http://a/\n[X]\n", false},
      {utf16, utf16, false},
      {utf16 + "X\0=\0\r\0\n\0"s, utf16, false},
      {"[InternetShortcut]\r\nURL=http://caf\xE9/\x80\r\nX=\xFC\r\n", "[InternetShortcut]\r\nURL=http://caf\xE9/\x80\r\n", false},
      {"[InternetShortcut]\r\nURL=" + longUrl + "\r\nX=1\r\n", "[InternetShortcut]\r\nURL=" + longUrl + "\r\n", false},
      {broken, broken, true}};
  std::vector<std::string> paths, expectedUnwritten;
  for (const auto& [before, after, unwritten] : files) {
    paths.push_back(Add(std::to_string(paths.size()) + ".url", before));
    if (unwritten) expectedUnwritten.push_back(paths.back());
  }
  paths.push_back(temp_ / "gone.url");
  expectedUnwritten.push_back(paths.back());
  Clean(paths);
  EXPECT_EQ(unwritten_, expectedUnwritten);
  EXPECT_EQ(services_.replaced, (std::vector<std::string>{paths[2], paths[3], paths[4]}));
  for (std::size_t i = 0; i < std::size(files); ++i) EXPECT_EQ(Bytes(paths[i]), std::get<1>(files[i])) << i;
}

}  // namespace
}  // namespace vellumark
