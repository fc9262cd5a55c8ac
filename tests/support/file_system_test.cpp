#include "support/file_system.h"

#include "support/path.h"
#include "support/special_folders.h"
#include "support/time_zone.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

#ifdef _WIN32
#include <process.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vellumark {
namespace {

using testing::TempFolder;
constexpr char kSep = path::kSeparator;

int ProcessId() {
#ifdef _WIN32
  return _getpid();
#else
  return getpid();
#endif
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

TEST(FileSystemEnumeration, FoldersLeaveOutDotNamesAndFiles) {
  TempFolder temp;
  temp.MakeFolder("visible");
  temp.MakeFolder(".git");
  temp.Write("file.txt", "x");
  const std::vector<std::string> folders = FileSystem().EnumerateFolders(temp.Path(), 0);
  EXPECT_EQ(folders, std::vector<std::string>{temp / "visible"});
}

TEST(FileSystemEnumeration, RecursiveFilesListSubfoldersFirst) {
  TempFolder temp;
  temp.Write("a.txt", "a");
  temp.Write("sub/b.txt", "b");
  temp.Write("sub/deeper/c.txt", "c");
  std::vector<std::string> files;
  FileSystem().EnumerateRecursiveFiles(temp.Path() + kSep, 0, files, "*.txt");
  EXPECT_EQ(files, (std::vector<std::string>{temp / "sub/deeper/c.txt", temp / "sub/b.txt", temp / "a.txt"}));
}

TEST(FileSystemEnumeration, PatternIgnoresLetterCaseAndFoldersNeverMatch) {
  TempFolder temp;
  temp.Write("one.url", "");
  temp.Write("TWO.URL", "");
  temp.Write("three.urlx", "");
  temp.MakeFolder("folder.url");
  EXPECT_EQ(Sorted(FileSystem().EnumerateFiles(temp.Path(), 0, "*.url")),
            Sorted({temp / "one.url", temp / "TWO.URL"}));
}

TEST(FileSystemEnumeration, MissingFolderGivesNothing) {
  TempFolder temp;
  EXPECT_TRUE(FileSystem().EnumerateFiles(temp / "missing", 0).empty());
  std::vector<std::string> kept{"earlier"};
  FileSystem().EnumerateRecursiveFolders(temp / "missing", 0, kept);
  EXPECT_EQ(kept, std::vector<std::string>{"earlier"});
}

TEST(FileSystemEnumeration, ReadOnlyFilesAreExcludedByTheMask) {
  TempFolder temp;
  const std::string locked = temp.Write("locked.url", "");
  temp.Write("open.url", "");
  ASSERT_TRUE(FileSystem().SetFileAttributes(locked, attribute::kReadOnly));
  EXPECT_NE(FileSystem().GetFileAttributes(locked) & attribute::kReadOnly, 0u);
  EXPECT_EQ(FileSystem().EnumerateFiles(temp.Path(), attribute::kReadOnly, "*.url"),
            std::vector<std::string>{temp / "open.url"});
  EXPECT_EQ(FileSystem().EnumerateFiles(temp.Path(), attribute::kHidden, "*.url").size(), 2u);
}

TEST(FileSystemQueries, FilesAndFoldersAreTellApart) {
  TempFolder temp;
  const std::string file = temp.Write("f.txt", "12345");
  EXPECT_TRUE(FileSystem().IsFile(file));
  EXPECT_FALSE(FileSystem().IsFolder(file));
  EXPECT_TRUE(FileSystem().IsFolder(temp.Path()));
  EXPECT_TRUE(FileSystem().IsFolder(temp.Path() + kSep));
  EXPECT_FALSE(FileSystem().IsFile(temp.Path()));
  EXPECT_EQ(FileSystem().GetFileSize(file), 5);
  EXPECT_EQ(FileSystem().GetFileSize(temp / "missing"), -1);
  EXPECT_EQ(FileSystem().GetFileAttributes(temp / "missing"), attribute::kInvalid);
}

TEST(FileSystemChanges, CreateFolderIsFalseForAnExistingOne) {
  TempFolder temp;
  const std::string folder = temp / "made";
  EXPECT_TRUE(FileSystem().CreateFolder(folder));
  temp.Write("made/keep.txt", "k");
  EXPECT_FALSE(FileSystem().CreateFolder(folder + kSep));
  EXPECT_TRUE(FileSystem().IsFile(temp / "made/keep.txt"));
  EXPECT_FALSE(FileSystem().CreateFolder(temp / "no/parent"));
}

TEST(FileSystemChanges, CopyOverwritesAndRemoveClearsReadOnly) {
  TempFolder temp;
  const std::string source = temp.Write("s.txt", "new bytes");
  const std::string target = temp.Write("t.txt", "old");
  ASSERT_TRUE(FileSystem().CopyFile(source, target));
  EXPECT_EQ(NativeFileServices().ReadFile(target), "new bytes");
  EXPECT_FALSE(FileSystem().CopyFile(temp / "missing", target));
  FileSystem().SetFileAttributes(target, attribute::kReadOnly);
  EXPECT_TRUE(FileSystem().RemoveFile(target, true));
  EXPECT_FALSE(FileSystem().IsFile(target));
}

TEST(FileSystemChanges, ReplaceFileLeavesNoTemporaryBehind) {
  TempFolder temp;
  const std::string file = temp.Write("x.url", "old");
  ASSERT_TRUE(NativeFileServices().ReplaceFile(file, "new"));
  EXPECT_EQ(NativeFileServices().ReadFile(file), "new");
  EXPECT_EQ(FileSystem().EnumerateFiles(temp.Path(), 0), std::vector<std::string>{file});
  EXPECT_FALSE(NativeFileServices().ReplaceFile(temp / "missing/x.url", "new"));
}

TEST(FileSystemChanges, ReplaceFileKeepsTheOldFileWholeWhenItFails) {
  TempFolder temp;
  const std::string file = temp.Write("x.url", "old bytes");
  // A folder where the temporary file would go makes the write fail.
  temp.MakeFolder("x.url.vellumark-" + std::to_string(ProcessId()) + ".tmp");
  EXPECT_FALSE(NativeFileServices().ReplaceFile(file, "new"));
  EXPECT_EQ(NativeFileServices().ReadFile(file), "old bytes");
  EXPECT_FALSE(NativeFileServices().ReplaceFile(temp / "missing.url", "new"));
  EXPECT_FALSE(FileSystem().IsFile(temp / "missing.url"));
}

#ifndef _WIN32
TEST(FileSystemChanges, ReplaceFileKeepsModeAndOwner) {
  TempFolder temp;
  const std::string file = temp.Write("x.url", "old");
  ASSERT_EQ(chmod(file.c_str(), 0640), 0);
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown(file.c_str(), 1234, 4321), 0);
  }
  ASSERT_TRUE(NativeFileServices().ReplaceFile(file, "new"));
  struct stat info {};
  ASSERT_EQ(stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(info.st_uid, 1234u);
    EXPECT_EQ(info.st_gid, 4321u);
  }
  EXPECT_EQ(NativeFileServices().ReadFile(file), "new");
}
#endif

TEST(FileSystemTimes, LocalTimeRoundTripsToTheSecond) {
  TempFolder temp;
  const std::string file = temp.Write("t.txt", "");
  const LocalDateTime when{2019, 11, 3, 14, 7, 33};
  ASSERT_TRUE(FileSystem().SetFileDateTime(file, when));
  EXPECT_EQ(FileSystem().GetFileDateTime(file), when);
  EXPECT_EQ(NativeFileServices().GetLastWriteUtc(file), ToUtc(when, CurrentUtcOffsetMinutes()));
  EXPECT_FALSE(FileSystem().GetFolderDateTime(temp / "missing"));
}

TEST(FileSystemNames, UnicodeNamesSurvive) {
  TempFolder temp;
  const std::string name = "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80.url";
  temp.Write(name, "bytes");
  const std::vector<std::string> files = FileSystem().EnumerateFiles(temp.Path(), 0, "*.url");
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(FileSystem::ExtractFileTitle(files[0]), name);
  EXPECT_EQ(NativeFileServices().ReadFile(files[0]), "bytes");
}

TEST(FileSystemNames, PathPartsFollowTheSeparatorRules) {
  const std::string s(1, kSep);
  EXPECT_EQ(FileSystem::ExtractFolderTitle("a" + s + "b" + s), "b" + s);
  EXPECT_EQ(FileSystem::ExtractFileExtension("a" + s + "b.tar.gz"), ".gz");
  EXPECT_EQ(FileSystem::ExtractFileExtension("a.d" + s + "b"), "");
  EXPECT_EQ(FileSystem::AddFileExtension("b", ".txt"), "b.txt");
  EXPECT_EQ(FileSystem::AddFileExtension("b.md", ".txt"), "b.md");
  EXPECT_EQ(FileSystem::RemoveFileExtension("b.md"), "b");
  EXPECT_TRUE(FileSystem::IsFileExtension("index.HTML", "html"));
  EXPECT_FALSE(FileSystem::IsFileExtension("index.htm", "html"));
  EXPECT_EQ(FileSystem::AddFileQuotes("a b"), "\"a b\"");
  EXPECT_EQ(FileSystem::AddFileQuotes("ab"), "ab");
  EXPECT_EQ(FileSystem::RemoveFileQuotes("\"a b\""), "a b");
  EXPECT_EQ(FileSystem::ExpandFolder("%VELLUMARK_UNSET%" + s + "%PATH%"), "%VELLUMARK_UNSET%" + s + std::getenv("PATH"));
}

TEST(FileSystemSearch, FindsFilesInTheTree) {
  TempFolder temp;
  temp.Write("one/two/Target.txt", "");
  EXPECT_EQ(FileSystem().SearchFile(temp.Path(), "target.txt"), temp / "one/two/Target.txt");
  EXPECT_EQ(FileSystem().SearchFolder(temp.Path(), "TWO"), temp / "one/two");
  EXPECT_EQ(FileSystem().SearchFile(temp.Path(), "none.txt"), "");
}

}  // namespace
}  // namespace vellumark

namespace vellumark {
namespace {

TEST(OutputFiles, WritesReachTheFileInOrderAcrossBufferFlushes) {
  testing::TempFolder temp;
  const std::string path = temp.Write("out.txt", "earlier");
  std::string expected;
  {
    std::unique_ptr<OutputFile> file = NativeFileServices().CreateOutputFile(path);
    ASSERT_TRUE(file);
    for (int i = 0; i < 20000; ++i) {
      const std::string line = "line " + std::to_string(i) + "\r\n";
      expected += line;
      ASSERT_TRUE(file->Write(line));
    }
    EXPECT_EQ(NativeFileServices().ReadFile(path), "earlier");
    EXPECT_TRUE(file->Close());
    EXPECT_FALSE(file->Write("after close"));
  }
  EXPECT_EQ(NativeFileServices().ReadFile(path), expected);
  // One dropped unclosed leaves the file as it was and no temporary file.
  EXPECT_TRUE(NativeFileServices().CreateOutputFile(path)->Write(std::string(70 * 1024, 'x')));
  EXPECT_EQ(NativeFileServices().ReadFile(path), expected);
  EXPECT_EQ(FileSystem().EnumerateFiles(temp.Path(), 0), std::vector<std::string>{path});
  EXPECT_FALSE(NativeFileServices().CreateOutputFile(temp / "missing/out.txt"));
}

TEST(OutputFiles, AFailedWriteMakesCloseFail) {
  int sunk = 0;
  struct Sink : OutputFile {
    int& sunk;
    explicit Sink(int& count) : sunk(count) {}
    bool Write(std::string_view) override { return ++sunk == 1; }
    bool Close() override { return ++sunk > 0; }
  };
  BufferedOutputFile file(std::make_unique<Sink>(sunk));
  EXPECT_TRUE(file.Write(std::string(70 * 1024, 'a')));
  EXPECT_FALSE(file.Write(std::string(70 * 1024, 'b')));
  EXPECT_FALSE(file.Write("c"));
  EXPECT_FALSE(file.Close());
  EXPECT_EQ(sunk, 2) << "a file with a failed write is not put in place";
}

}  // namespace
}  // namespace vellumark
