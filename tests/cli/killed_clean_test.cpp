// vellumark-cli clean and convert killed while they write the replacement
// of a large shortcut or the bookmark file: the file keeps its old bytes
// and the half-written one goes with the process (Windows build; the
// native reliability tests kill them at random moments on Linux).
#include "support/file_services.h"
#include "support/win32/unique_handle.h"
#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vellumark {
namespace {

using testing::TempFolder;

// Each process runs over shortcuts holding 96 MB of URL in all and is
// killed once the temporary file of `watched` holds a few bytes, long
// before it is whole. The build gives the program's path in the form of the
// machine that built it; under Wine a posix path is reached through drive Z:.
TEST(KilledOnWindows, AFileCutShortLeavesTheEarlierOneAndNoTemporary) {
  std::string cli = VELLUMARK_CLI;
  if (cli.starts_with("/")) cli = "Z:" + cli;
  for (char& c : cli) c = c == '/' ? '\\' : c;
  const struct {
    const char* process;
    int shortcuts;
    const char* watched;  // in the test's folder
  } runs[] = {{"clean", 1, "fav/Folder/s0.url"}, {"convert", 4, "out/bookmarks.html"}};
  for (const auto& run : runs) {
    TempFolder temp;
    for (int i = 0; i < run.shortcuts; ++i) {
      temp.Write("fav/Folder/s" + std::to_string(i) + ".url", "[InternetShortcut]\r\nURL=http://big.example/" +
                                                                  std::string((96 << 20) / run.shortcuts, 'x') +
                                                                  "\r\nIconIndex=1\r\n");
    }
    temp.Write("out/bookmarks.html", "an earlier run's file\r\n");
    const std::string watched = temp / run.watched;
    const std::optional<std::string> earlier = NativeFileServices().ReadFile(watched);

    std::wstring command = L"\"" + win32::Widen(cli) + L"\" --favorites \"" + win32::Widen(temp / "fav") + L"\" " +
                           win32::Widen(run.process) + L" --all --output \"" + win32::Widen(temp / "out") + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &started));
    const win32::UniqueHandle process(started.hProcess);
    const win32::UniqueHandle thread(started.hThread);

    const std::string temporary = watched + ".vellumark-" + std::to_string(started.dwProcessId) + ".tmp";
    const std::wstring wideTemporary = win32::Widen(temporary);
    bool seen = false;
    while (!seen && ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) {
      WIN32_FILE_ATTRIBUTE_DATA data{};
      seen = ::GetFileAttributesExW(wideTemporary.c_str(), GetFileExInfoStandard, &data) &&
             (data.nFileSizeHigh != 0 || data.nFileSizeLow != 0);
    }
    ASSERT_TRUE(seen) << run.process << " ended before its temporary file was seen";
    ::TerminateProcess(process.get(), 9);
    ASSERT_EQ(::WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0);

    EXPECT_EQ(NativeFileServices().GetAttributes(temporary), attribute::kInvalid) << run.process;
    EXPECT_TRUE(NativeFileServices().ReadFile(watched) == earlier) << run.process;
  }
}

}  // namespace
}  // namespace vellumark
