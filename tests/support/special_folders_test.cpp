#include "support/special_folders.h"

#include "support/file_system.h"
#include "support/program_folder.h"
#include "support/time_zone.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
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

// Points HOME at a folder for the life of the object.
class ScopedHome {
 public:
  explicit ScopedHome(const std::string& home) : old_(std::getenv("HOME") ? std::getenv("HOME") : "") {
    setenv("HOME", home.c_str(), 1);
  }
  ~ScopedHome() { setenv("HOME", old_.c_str(), 1); }

 private:
  std::string old_;
};

TEST(SpecialFolders, FavoritesIsTheHomeFolderOnlyWhenItExists) {
  testing::TempFolder home;
  ScopedHome scoped(home.Path());
  EXPECT_EQ(GetSpecialFolder(special_folder::kFavorites), "");
  home.MakeFolder("Favorites");
  EXPECT_EQ(GetSpecialFolder(special_folder::kFavorites), home / "Favorites");
  EXPECT_EQ(GetSpecialFolder(5), "");
}

// Sets TZ for the life of the object.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) old_ = old, had_ = true;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ScopedTimeZone() {
    if (had_) setenv("TZ", old_.c_str(), 1); else unsetenv("TZ");
    tzset();
  }

 private:
  std::string old_;
  bool had_ = false;
};

TEST(TimeZone, OffsetFollowsTz) {
  {
    ScopedTimeZone zone("UTC0");
    EXPECT_EQ(CurrentUtcOffsetMinutes(), 0);
  }
  {
    ScopedTimeZone zone("IST-5:30");
    EXPECT_EQ(CurrentUtcOffsetMinutes(), 330);
  }
  {
    ScopedTimeZone zone("EST5");
    EXPECT_EQ(CurrentUtcOffsetMinutes(), -300);
  }
}

TEST(TimeZone, FileTimesKeepTheirRealUtcUnderEveryZone) {
  testing::TempFolder temp;
  const std::string file = temp.Write("f.txt", "");
  const std::int64_t utc = 1500000000;
  ASSERT_TRUE(NativeFileServices().SetLastWriteUtc(file, utc));
  for (const char* zone : {"UTC0", "CET-1CEST,M3.5.0,M10.5.0/3", "NZST-12NZDT,M9.5.0,M4.1.0/3", "PST8PDT"}) {
    ScopedTimeZone scoped(zone);
    const std::optional<LocalDateTime> local = FileSystem().GetFileDateTime(file);
    ASSERT_TRUE(local) << zone;
    EXPECT_EQ(ToUtc(*local, CurrentUtcOffsetMinutes()), utc) << zone;
  }
}

#endif

}  // namespace
}  // namespace vellumark
