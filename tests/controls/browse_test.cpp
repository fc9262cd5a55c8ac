// The folder browser, in a process and a Wine prefix of its own (see
// CMakeLists.txt), with the cancelled browse below as the first dialog the
// process shows.
#include "support/win32/common_dialogs.h"
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

TEST(ShowBrowse, CancelKeepsTheFolderAndAMissingFolderStillOpens) {
  CommonDialogs dialogs;
  dialogs.FolderName = "C:\\no such folder\\anywhere";
  {
    const DialogDriver driver({testing::Press(IDCANCEL)});
    EXPECT_EQ(dialogs.ShowBrowse(), CommonDialogs::kCancelled);
  }
  EXPECT_EQ(dialogs.FolderName, "C:\\no such folder\\anywhere");
}

TEST(ShowBrowse, OffersTheLastFolderAndReturnsTheChoice) {
  const TempFolder temp;
  const std::string start = temp.MakeFolder("browse start");
  CommonDialogs dialogs;
  dialogs.FolderName = start;
  dialogs.Title = "Choose the output folder";
  {
    const DialogDriver driver({testing::Press(IDOK)},
                              [](HWND dialog) { return SelectedTreeItem(dialog) == "browse start"; });
    EXPECT_EQ(dialogs.ShowBrowse(), CommonDialogs::kChosen);
  }
  EXPECT_TRUE(SameFolder(dialogs.FolderName, start)) << dialogs.FolderName;
}

TEST(ShowBrowse, ADriveThatCannotBeReadGivesMinusTwo) {
  // A drive letter for a folder that is not there, like a drive without a medium.
  ASSERT_TRUE(::DefineDosDeviceW(0, L"Q:", L"C:\\no such folder"));
  CommonDialogs dialogs;
  dialogs.FolderName = "Q:\\";
  {
    const DialogDriver driver({testing::Press(IDOK)},
                              [](HWND dialog) { return SelectedTreeItem(dialog).ends_with("(Q:)"); });
    EXPECT_EQ(dialogs.ShowBrowse(), CommonDialogs::kDriveNotAccessible);
  }
  ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, L"Q:", nullptr);
  EXPECT_EQ(dialogs.FolderName, "Q:\\");
}

}  // namespace
}  // namespace vellumark
