#include "support/win32/common_dialogs.h"
#include "support/win32/unique_handle.h"
#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"
#include "tests/controls/dialog_driver.h"
#include "tests/support/temp_folder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace vellumark {
namespace {

using testing::DialogDriver;
using testing::TempFolder;

std::string SelectedTreeItem(HWND dialog) {
  const HWND tree = ::FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
  const auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  wchar_t text[MAX_PATH] = {};
  TVITEMW info{};
  info.mask = TVIF_TEXT;
  info.hItem = item;
  info.pszText = text;
  info.cchTextMax = MAX_PATH;
  if (item == nullptr || !::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info))) return "";
  return win32::Narrow(text);
}

bool SameFolder(const std::string& a, const std::string& b) {
  return ::CompareStringOrdinal(win32::Widen(a).c_str(), -1, win32::Widen(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

TEST(ShowBrowse, OffersTheLastFolderAndReturnsTheChoice) {
  const TempFolder temp;
  const std::string start = temp.MakeFolder("browse start");
  CommonDialogs dialogs;
  dialogs.FolderName = start;
  dialogs.Title = "Choose the output folder";
  std::string offered;
  {
    const DialogDriver driver(IDOK, [&](HWND dialog) { offered = SelectedTreeItem(dialog); });
    EXPECT_EQ(dialogs.ShowBrowse(), CommonDialogs::kChosen);
    EXPECT_TRUE(driver.Pressed());
  }
  EXPECT_EQ(offered, "browse start");
  EXPECT_TRUE(SameFolder(dialogs.FolderName, start)) << dialogs.FolderName;
}

TEST(ShowBrowse, CancelKeepsTheFolderAndAMissingFolderStillOpens) {
  CommonDialogs dialogs;
  dialogs.FolderName = "C:\\no such folder\\anywhere";
  {
    const DialogDriver driver(IDCANCEL);
    EXPECT_EQ(dialogs.ShowBrowse(), CommonDialogs::kCancelled);
    EXPECT_TRUE(driver.Pressed());
  }
  EXPECT_EQ(dialogs.FolderName, "C:\\no such folder\\anywhere");
}

TEST(ShowOpen, ReturnsThePresetExistingFileWithItsTitle) {
  const TempFolder temp;
  const std::string file = temp.Write("report.txt", "x");
  CommonDialogs dialogs;
  dialogs.FileName = file;
  dialogs.Filter = "Text files (*.txt)|*.txt|All files|*.*";
  dialogs.FilterIndex = 2;
  {
    const DialogDriver driver(IDOK);
    ASSERT_TRUE(dialogs.ShowOpen());
  }
  EXPECT_TRUE(SameFolder(dialogs.FileName, file)) << dialogs.FileName;
  EXPECT_EQ(dialogs.FileTitle(), "report.txt");
  EXPECT_EQ(dialogs.FilterIndex, 2);
  ASSERT_EQ(dialogs.FileNames().size(), 1u);
  EXPECT_TRUE(SameFolder(dialogs.FileNames()[0], file));
}

TEST(ShowSave, AddsTheDefaultExtensionAndCancelChangesNothing) {
  const TempFolder temp;
  CommonDialogs dialogs;
  dialogs.FolderName = temp.Path();
  dialogs.FileName = "bookmarks";
  dialogs.FileExtension = "html";
  {
    const DialogDriver driver(IDOK);
    ASSERT_TRUE(dialogs.ShowSave());
  }
  EXPECT_TRUE(SameFolder(dialogs.FileName, temp / "bookmarks.html")) << dialogs.FileName;
  EXPECT_EQ(dialogs.FileTitle(), "bookmarks.html");
  const std::string chosen = dialogs.FileName;
  {
    const DialogDriver driver(IDCANCEL);
    EXPECT_FALSE(dialogs.ShowSave());
  }
  EXPECT_EQ(dialogs.FileName, chosen);
}

TEST(ShowColor, PresetColourAndCustomColoursComeBack) {
  CommonDialogs dialogs;
  dialogs.Color = 0x123456;
  dialogs.CustomColors[3] = 0x00FF00;
  {
    const DialogDriver driver(IDOK);
    ASSERT_TRUE(dialogs.ShowColor());
  }
  EXPECT_EQ(dialogs.Color, 0x123456u);
  EXPECT_EQ(dialogs.CustomColors[3], 0x00FF00u);
  dialogs.Color = 0x654321;
  {
    const DialogDriver driver(IDCANCEL);
    EXPECT_FALSE(dialogs.ShowColor());
  }
  EXPECT_EQ(dialogs.Color, 0x654321u);
}

// The last scalable screen font the system lists (so not the one a dialog
// would show first when its preset were ignored).
std::string LastScalableFont() {
  std::string name;
  LOGFONTW filter{};
  filter.lfCharSet = DEFAULT_CHARSET;
  win32::WindowDc screen(nullptr);
  ::EnumFontFamiliesExW(
      screen.get(), &filter,
      [](const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM found) -> int {
        if ((type & TRUETYPE_FONTTYPE) != 0 && font->lfFaceName[0] != L'@')
          *reinterpret_cast<std::string*>(found) = win32::Narrow(font->lfFaceName);
        return 1;
      },
      reinterpret_cast<LPARAM>(&name), 0);
  return name;
}

TEST(ShowFont, PresetFontComesBackWhole) {
  const std::string face = LastScalableFont();
  ASSERT_FALSE(face.empty());
  CommonDialogs dialogs;
  dialogs.FontName = face;
  dialogs.FontSize = 12;
  dialogs.FontBold = true;
  dialogs.FontUnderline = true;
  dialogs.Color = 0x0000FF;
  {
    const DialogDriver driver(IDOK);
    ASSERT_TRUE(dialogs.ShowFont());
  }
  EXPECT_EQ(dialogs.FontName, face);
  EXPECT_EQ(dialogs.FontSize, 12);
  EXPECT_TRUE(dialogs.FontBold);
  EXPECT_FALSE(dialogs.FontItalic);
  EXPECT_TRUE(dialogs.FontUnderline);
  EXPECT_FALSE(dialogs.FontStrikeout);
  EXPECT_EQ(dialogs.Color, 0x0000FFu);
}

}  // namespace
}  // namespace vellumark
