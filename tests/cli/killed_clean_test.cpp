// vellumark-cli clean killed while it writes the replacement of a large
// shortcut: the shortcut keeps its old bytes and the half-written
// replacement goes with the process (Windows build; the native reliability
// tests kill it at random moments on Linux).
#include "support/file_services.h"
#include "support/win32/unique_handle.h"
#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace vellumark {
namespace {

using testing::TempFolder;

// The build gives the program's path in the form of the machine that
// built it; under Wine a posix path is reached through drive Z:.
std::wstring CliPath() {
  std::string path = VELLUMARK_CLI;
  if (path.starts_with("/")) {
    for (char& c : path) c = c == '/' ? '\\' : c;
    path = "Z:" + path;
  }
  return win32::Widen(path);
}

TEST(KilledCleanOnWindows, AReplacementCutShortLeavesNothing) {
  TempFolder favorites;
  TempFolder output;
  const std::string original =
      "[InternetShortcut]\r\nURL=http://big.example/\r\nIconIndex=1\r\n[Big]\r\nData=" + std::string(96 << 20, 'x') +
      "\r\n";
  const std::string shortcut = favorites.Write("Folder/big.url", original);

  std::wstring command = L"\"" + CliPath() + L"\" --favorites \"" + win32::Widen(favorites.Path()) +
                         L"\" clean --all --output \"" + win32::Widen(output.Path()) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &started));
  const win32::UniqueHandle process(started.hProcess);
  const win32::UniqueHandle thread(started.hThread);

  // Killed once its replacement file holds a few bytes, long before 96 MB
  // are written and flushed.
  const std::string temporary = shortcut + ".vellumark-" + std::to_string(started.dwProcessId) + ".tmp";
  const std::wstring wideTemporary = win32::Widen(temporary);
  bool seen = false;
  while (!seen && ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    seen = ::GetFileAttributesExW(wideTemporary.c_str(), GetFileExInfoStandard, &data) &&
           (data.nFileSizeHigh != 0 || data.nFileSizeLow != 0);
  }
  ASSERT_TRUE(seen) << "the run ended before its replacement file was seen";
  ::TerminateProcess(process.get(), 9);
  ASSERT_EQ(::WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0);

  EXPECT_EQ(NativeFileServices().GetAttributes(temporary), attribute::kInvalid);
  EXPECT_TRUE(NativeFileServices().ReadFile(shortcut) == original);
}

}  // namespace
}  // namespace vellumark
