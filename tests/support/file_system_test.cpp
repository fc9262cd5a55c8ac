#include "support/file_system.h"

#include "support/path.h"
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
using Names = std::vector<std::string>;
constexpr char kSep = path::kSeparator;

Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FileSystem, EnumerationFiltersByNameCaseAttributesAndKind) {
  TempFolder temp;
  temp.MakeFolder(".git");
  temp.MakeFolder("folder.url");
  temp.Write("sub/deeper/c.txt", "c");
  temp.Write("sub/b.txt", "b");
  temp.Write("a.txt", "a");
  const std::string utf8 = "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80.url";
  for (const char* name : {"one.url", "TWO.URL", "three.urlx", utf8.c_str()}) temp.Write(name, "");
  const std::string locked = temp.Write("locked.url", "");
  ASSERT_TRUE(FileSystem().SetFileAttributes(locked, attribute::kReadOnly));

  EXPECT_EQ(Sorted(FileSystem().EnumerateFolders(temp.Path(), 0)), (Names{temp / "folder.url", temp / "sub"}));
  EXPECT_EQ(Sorted(FileSystem().EnumerateFiles(temp.Path(), attribute::kReadOnly, "*.url")),
            Sorted({temp / "one.url", temp / "TWO.URL", temp / utf8}));
  EXPECT_EQ(FileSystem().EnumerateFiles(temp.Path(), attribute::kHidden, "*.url").size(), 4u);
  Names files;
  FileSystem().EnumerateRecursiveFiles(temp.Path() + kSep, 0, files, "*.txt");
  EXPECT_EQ(files, (Names{temp / "sub/deeper/c.txt", temp / "sub/b.txt", temp / "a.txt"}));
  EXPECT_TRUE(FileSystem().EnumerateFiles(temp / "missing", 0).empty());
  Names kept{"earlier"};
  FileSystem().EnumerateRecursiveFolders(temp / "missing", 0, kept);
  EXPECT_EQ(kept, Names{"earlier"});
  EXPECT_EQ(FileSystem().SearchFile(temp.Path(), "C.TXT"), temp / "sub/deeper/c.txt");
  EXPECT_EQ(FileSystem().SearchFolder(temp.Path(), "DEEPER"), temp / "sub/deeper");
  EXPECT_EQ(FileSystem().SearchFile(temp.Path(), "none.txt"), "");
}

TEST(FileSystem, QueriesAndChangesOfFilesAndFolders) {
  TempFolder temp;
  const std::string file = temp.Write("f.txt", "12345");
  EXPECT_TRUE(FileSystem().IsFile(file));
  EXPECT_FALSE(FileSystem().IsFolder(file));
  EXPECT_TRUE(FileSystem().IsFolder(temp.Path() + kSep));
  EXPECT_FALSE(FileSystem().IsFile(temp.Path()));
  EXPECT_EQ(FileSystem().GetFileSize(file), 5);
  EXPECT_EQ(FileSystem().GetFileSize(temp / "missing"), -1);
  EXPECT_EQ(FileSystem().GetFileAttributes(temp / "missing"), attribute::kInvalid);
  EXPECT_FALSE(FileSystem().GetFolderDateTime(temp / "missing"));

  EXPECT_TRUE(FileSystem().CreateFolder(temp / "made"));
  EXPECT_FALSE(FileSystem().CreateFolder(temp / "made" + kSep));
  EXPECT_FALSE(FileSystem().CreateFolder(temp / "no/parent"));
  const std::string target = temp.Write("made/t.txt", "old");
  ASSERT_TRUE(FileSystem().CopyFile(file, target));
  EXPECT_EQ(NativeFileServices().ReadFile(target), "12345");
  EXPECT_FALSE(FileSystem().CopyFile(temp / "missing", target));
  FileSystem().SetFileAttributes(target, attribute::kReadOnly);
  EXPECT_TRUE(FileSystem().RemoveFile(target, true));
  EXPECT_FALSE(FileSystem().IsFile(target));
  EXPECT_TRUE(FileSystem().RenameFolder(temp / "made" + kSep, temp / "moved"));
  EXPECT_FALSE(FileSystem().RenameFolder(temp / "made", temp / "again"));
  EXPECT_TRUE(FileSystem().RemoveFolder(temp / "moved" + kSep, true));
}

TEST(FileSystem, ReplaceFileIsAllOrNothingAndLeavesNoTemporary) {
  TempFolder temp;
  const std::string file = temp.Write("x.url", "old");
#ifndef _WIN32
  ASSERT_EQ(chmod(file.c_str(), 0640), 0);
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown(file.c_str(), 1234, 4321), 0);
  }
#endif
  ASSERT_TRUE(NativeFileServices().ReplaceFile(file, "new"));
  EXPECT_EQ(NativeFileServices().ReadFile(file), "new");
  EXPECT_EQ(FileSystem().EnumerateFiles(temp.Path(), 0), Names{file});
#ifndef _WIN32
  struct stat info {};
  ASSERT_EQ(stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(std::pair(info.st_uid, info.st_gid), std::pair(1234u, 4321u));
  }
  const int process = getpid();
#else
  const int process = _getpid();
#endif
  // A folder where the temporary file would go makes the write fail.
  temp.MakeFolder("x.url.vellumark-" + std::to_string(process) + ".tmp");
  EXPECT_FALSE(NativeFileServices().ReplaceFile(file, "newer"));
  EXPECT_EQ(NativeFileServices().ReadFile(file), "new");
  EXPECT_FALSE(NativeFileServices().ReplaceFile(temp / "missing.url", "new"));
  EXPECT_FALSE(NativeFileServices().ReplaceFile(temp / "missing/x.url", "new"));
  EXPECT_FALSE(FileSystem().IsFile(temp / "missing.url"));
}

TEST(FileSystem, NamesAndPathPartsFollowTheSeparatorRules) {
  const std::string s(1, kSep);
  EXPECT_EQ(FileSystem::ExtractFileTitle("a" + s + "b.url"), "b.url");
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

TEST(OutputFiles, ReachTheFileInOrderOnlyWhenClosedAndAFailedWriteFailsTheClose) {
  TempFolder temp;
  const std::string path = temp.Write("out.txt", "earlier");
  std::string expected;
  {
    std::unique_ptr<OutputFile> file = NativeFileServices().CreateOutputFile(path);
    ASSERT_TRUE(file);
    for (int i = 0; i < 20000; ++i) {
      expected += "line " + std::to_string(i) + "\r\n";
      ASSERT_TRUE(file->Write("line " + std::to_string(i) + "\r\n"));
    }
    EXPECT_EQ(NativeFileServices().ReadFile(path), "earlier");
    EXPECT_TRUE(file->Close());
    EXPECT_FALSE(file->Write("after close"));
  }
  EXPECT_EQ(NativeFileServices().ReadFile(path), expected);
  // One dropped unclosed leaves the file as it was and no temporary file.
  EXPECT_TRUE(NativeFileServices().CreateOutputFile(path)->Write(std::string(70 * 1024, 'x')));
  EXPECT_EQ(NativeFileServices().ReadFile(path), expected);
  EXPECT_EQ(FileSystem().EnumerateFiles(temp.Path(), 0), Names{path});
  EXPECT_FALSE(NativeFileServices().CreateOutputFile(temp / "missing/out.txt"));

  int sunk = 0;
  struct Sink : OutputFile {
    int& sunk;
    explicit Sink(int& count) : sunk(count) {}
    bool Write(std::string_view) override { return ++sunk == 1; }
    bool Close() override { return ++sunk > 0; }
  };
  BufferedOutputFile buffered(std::make_unique<Sink>(sunk));
  EXPECT_TRUE(buffered.Write(std::string(70 * 1024, 'a')));
  EXPECT_FALSE(buffered.Write(std::string(70 * 1024, 'b')));
  EXPECT_FALSE(buffered.Write("c"));
  EXPECT_FALSE(buffered.Close());
  EXPECT_EQ(sunk, 2) << "a file with a failed write is not put in place";
}

}  // namespace
}  // namespace vellumark
