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

#include <vector>

namespace vellumark {
namespace {

using testing::DialogDriver;
using testing::TempFolder;

std::string SelectedTreeItem(HWND dialog) {
  const HWND tree = ::FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
  const auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  wchar_t text[MAX_PATH] = {};
  TVITEMW info{TVIF_TEXT, item, 0, 0, text, MAX_PATH, 0, 0, 0, 0};
  if (item == nullptr || !::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info))) return "";
  return win32::Narrow(text);
}

TEST(ShowBrowse, CancelKeepsTheFolderAndAMissingFolderStillOpens) {
  CommonDialogs dialogs;
  dialogs.FolderName = "C:\\no such folder\\anywhere";
  EXPECT_EQ(testing::Answering(IDCANCEL, [&] { return dialogs.ShowBrowse(); }), CommonDialogs::kCancelled);
  EXPECT_EQ(dialogs.FolderName, "C:\\no such folder\\anywhere");
}

TEST(ShowBrowse, OffersTheLastFolderAndReturnsTheChoice) {
  const TempFolder temp;
  const std::string start = temp.MakeFolder("browse start");
  CommonDialogs dialogs;
  dialogs.FolderName = start;
  dialogs.Title = "Choose the output folder";
  std::string offered;  // what the tree showed last, and how many items it had
  EXPECT_EQ(testing::Answering(IDOK, [&] { return dialogs.ShowBrowse(); },
                               [&](HWND dialog) {
                                 offered = SelectedTreeItem(dialog);
                                 if (offered == "browse start") return true;
                                 const HWND tree = ::FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
                                 offered += " (" + std::to_string(TreeView_GetCount(tree)) + " items in the tree)";
                                 return false;
                               }),
            CommonDialogs::kChosen);
  EXPECT_EQ(offered, "browse start");
  EXPECT_TRUE(testing::SamePath(dialogs.FolderName, start)) << dialogs.FolderName;
}

// Clicks the tree's selected item's parent with the mouse, as a person would.
void ClickParentItem(HWND dialog) {
  const HWND tree = ::FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
  const auto selected = reinterpret_cast<LPARAM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  const auto parent = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_PARENT, selected));
  RECT rect{};
  TreeView_GetItemRect(tree, parent, &rect, TRUE);
  POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ::ClientToScreen(tree, &middle);
  ::SetCursorPos(middle.x, middle.y);
  INPUT click[2] = {};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, click, sizeof(INPUT));
}

TEST(ShowBrowse, AFolderTheUserPicksAtOnceIsNotTakenBack) {
  const TempFolder temp;
  CommonDialogs dialogs;
  dialogs.FolderName = temp.MakeFolder("browse start");
  // The click lands while the browser is still asked for its start folder;
  // then 1.5 s pass before OK.
  std::vector<DialogDriver::Step> steps{ClickParentItem};
  steps.resize(76, [](HWND) {});
  steps.push_back(testing::Press(IDOK));
  {
    const DialogDriver driver(steps, [](HWND dialog) { return SelectedTreeItem(dialog) == "browse start"; });
    EXPECT_EQ(dialogs.ShowBrowse(), CommonDialogs::kChosen);
  }
  EXPECT_TRUE(testing::SamePath(dialogs.FolderName, temp.Path())) << dialogs.FolderName;
}

TEST(ShowBrowse, ADriveThatCannotBeReadGivesMinusTwo) {
  // A drive letter for a folder that is not there, like a drive without a medium.
  ASSERT_TRUE(::DefineDosDeviceW(0, L"Q:", L"C:\\no such folder"));
  CommonDialogs dialogs;
  dialogs.FolderName = "Q:\\";
  EXPECT_EQ(testing::Answering(IDOK, [&] { return dialogs.ShowBrowse(); },
                               [](HWND dialog) { return SelectedTreeItem(dialog).ends_with("(Q:)"); }),
            CommonDialogs::kDriveNotAccessible);
  ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, L"Q:", nullptr);
  EXPECT_EQ(dialogs.FolderName, "Q:\\");
}

}  // namespace
}  // namespace vellumark
