#include "support/special_folders.h"

#include "support/file_system.h"
#include "support/program_folder.h"
#include "support/time_zone.h"
#include "tests/support/settings_sandbox.h"

#include <gtest/gtest.h>

#include <ctime>

#ifdef _WIN32
#include "support/ascii.h"
#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"

#include <shlobj.h>
#include <shlwapi.h>
#endif

namespace vellumark {
namespace {

TEST(FirstOutputFolder, ProgramFolderWhenAFileCanBeMadeThereElseDocuments) {
  testing::TempFolder program, documents;
  const std::string writable = program.Path() + path::kSeparator;
  EXPECT_EQ(FirstOutputFolder(writable, documents.Path()), writable);
  EXPECT_TRUE(NativeFileServices().ListFolder(program.Path())->empty());
  const std::string unwritable = program / "missing";
  EXPECT_EQ(FirstOutputFolder(unwritable, documents.Path()), documents.Path() + path::kSeparator);
  EXPECT_EQ(FirstOutputFolder(unwritable, ""), unwritable);
}

#ifdef _WIN32

TEST(SpecialFolders, FavoritesIsAnExistingFolderWithoutTrailingSeparator) {
  const std::string favorites = GetSpecialFolder(special_folder::kFavorites);
  ASSERT_FALSE(favorites.empty());
  EXPECT_NE(favorites.back(), '\\');
  EXPECT_TRUE(FileSystem().IsFolder(favorites));
  EXPECT_EQ(GetTempFolder().back(), '\\');
  EXPECT_TRUE(FileSystem().IsFolder(GetWindowsFolder()));
}

// A shell browser window that shows the Windows folder: it answers the
// question for its folder with that folder's item list in shared memory.
LRESULT CALLBACK BrowserShowingWindowsFolder(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_USER + 12) return DefWindowProcW(window, message, wParam, lParam);
  const PIDLIST_ABSOLUTE items = ILCreateFromPathW(win32::Widen(GetWindowsFolder()).c_str());
  const HANDLE shared = SHAllocShared(items, ILGetSize(items), static_cast<DWORD>(wParam));
  ILFree(items);
  return reinterpret_cast<LRESULT>(shared);
}

TEST(SpecialFolders, ExplorerFolderIsTheOneAnOpenBrowserWindowShows) {
  EXPECT_EQ(GetExplorerFolder(), "");
  WNDCLASSW type{};
  type.lpfnWndProc = BrowserShowingWindowsFolder;
  type.lpszClassName = L"ExploreWClass";
  ASSERT_NE(RegisterClassW(&type), 0);
  const HWND browser = CreateWindowW(type.lpszClassName, L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(GetExplorerFolder(), GetWindowsFolder());
  DestroyWindow(browser);
}

TEST(SpecialFolders, SpoolerFoldersLieInTheSystemFolder) {
  const std::string spool = GetSystemFolder() + "\\spool\\";
  EXPECT_TRUE(ascii::EqualsIgnoringCase(GetPrinterDriverFolder(), spool + "drivers\\x64")) << GetPrinterDriverFolder();
  EXPECT_TRUE(ascii::EqualsIgnoringCase(GetPrintProcessorFolder(), spool + "prtprocs\\x64")) << GetPrintProcessorFolder();
}

#else

TEST(SpecialFolders, FavoritesIsTheHomeFolderOnlyWhenItExists) {
  testing::TempFolder home;
  const testing::ScopedVariable scoped("HOME", home.Path());
  EXPECT_EQ(GetSpecialFolder(special_folder::kFavorites), "");
  home.MakeFolder("Favorites");
  EXPECT_EQ(GetSpecialFolder(special_folder::kFavorites), home / "Favorites");
  EXPECT_EQ(GetSpecialFolder(5), "");
}

// File times under fixed-offset zones: the local time shown is the UTC
// time moved by the zone's offset, and a local time set is stored as UTC.
TEST(TimeZone, FileTimesFollowTz) {
  testing::TempFolder temp;
  const std::string file = temp.Write("f.txt", "");
  const std::tuple<const char*, int, LocalDateTime> zones[] = {
      {"UTC0", 0, {2017, 7, 14, 2, 40, 0}}, {"IST-5:30", 330, {2017, 7, 14, 8, 10, 0}}, {"EST5", -300, {2017, 7, 13, 21, 40, 0}}};
  for (const auto& [zone, offset, local] : zones) {
    const testing::ScopedVariable tz("TZ", zone);
    tzset();
    EXPECT_EQ(CurrentUtcOffsetMinutes(), offset) << zone;
    ASSERT_TRUE(NativeFileServices().SetLastWriteUtc(file, 1500000000));
    EXPECT_EQ(FileSystem().GetFileDateTime(file), local) << zone;
    ASSERT_TRUE(FileSystem().SetFileDateTime(file, {2019, 11, 3, 14, 7, 33}));
    EXPECT_EQ(NativeFileServices().GetLastWriteUtc(file), 1572790053 - offset * 60) << zone;
  }
  tzset();
}

#endif

}  // namespace
}  // namespace vellumark
