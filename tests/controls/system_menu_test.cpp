#include "controls/system_menu.h"
#include "tests/controls/test_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellumark::controls {
namespace {

using testing::TestForm;

// What an entry of ours shows: "-" for a separator, else its text; then
// "[x]" when checked and "(grey)" when grayed.
std::vector<std::wstring> OurEntries(HWND form) {
  std::vector<std::wstring> shown;
  for (const testing::MenuEntry& entry : testing::MenuEntries(::GetSystemMenu(form, FALSE))) {
    // The system's own entries have identifiers from 0xF000 (or are separators with 0).
    if (entry.id == 0 || entry.id >= 0xF000) continue;
    shown.push_back(std::to_wstring(entry.id) + ((entry.type & MFT_SEPARATOR) ? L" -" : L" " + entry.text) +
                    ((entry.state & MFS_CHECKED) ? L" [x]" : L"") + ((entry.state & MF_GRAYED) ? L" (grey)" : L""));
  }
  return shown;
}

using Shown = std::vector<std::wstring>;

void AboutEntries(SystemMenu& menu) {
  menu.SetCount(2);
  menu.SystemMenuItemAt(0)->SetStyle(SystemMenuItem::kSeparator);
  menu.SystemMenuItemAt(1)->SetText("&About Vellumark...");
}

TEST(SystemMenuEntries, AppendedAfterTheSystemEntriesOnceAndRebuiltOnChange) {
  TestForm form;
  SystemMenu menu(form.get());
  const int systemEntries = ::GetMenuItemCount(::GetSystemMenu(form.get(), FALSE));
  AboutEntries(menu);
  menu.UpdateSystemMenuItems(-1);
  menu.UpdateSystemMenuItems(-1);
  const HMENU shown = ::GetSystemMenu(form.get(), FALSE);
  ASSERT_EQ(::GetMenuItemCount(shown), systemEntries + 2);
  EXPECT_EQ(::GetMenuItemID(shown, systemEntries + 1), SystemMenu::CommandId(1));
  menu.SystemMenuItemAt(1)->SetChecked(true);
  menu.SetEnabled(false);
  EXPECT_EQ(OurEntries(form.get()), (Shown{L"16 - (grey)", L"32 &About Vellumark... [x] (grey)"}));
  menu.SetEnabled(true);
  menu.SystemMenuItemAt(1)->SetText(std::string(100, 'y'));
  EXPECT_EQ(OurEntries(form.get()), (Shown{L"16 - (grey)", L"32 " + std::wstring(100, L'y') + L" [x]"}));
  menu.SetCount(1);
  menu.SetCount(-1);
  menu.SetCount(SystemMenu::kMaxCount + 1);
  EXPECT_EQ(OurEntries(form.get()), (Shown{L"16 - (grey)"}));
}

TEST(SystemMenuEvents, ChoosingATextEntryRaisesItemClickWithItsIndex) {
  TestForm form;
  std::vector<int> chosen;
  {
    SystemMenu menu(form.get());
    AboutEntries(menu);
    menu.onItemClick = [&](SystemMenuItem& item) { chosen.push_back(item.Index()); };
    // Entry 1, the separator, one that is not ours, entry 1 with the low bits the system may set.
    for (const UINT command : {SystemMenu::CommandId(1), SystemMenu::CommandId(0), SystemMenu::CommandId(2),
                               SystemMenu::CommandId(1) | 0x3})
      ::SendMessageW(form.get(), WM_SYSCOMMAND, command, 0);
    EXPECT_EQ(chosen, (std::vector<int>{1, 1}));
  }
  // Gone with the control: its entries and its hold on the form's window.
  EXPECT_TRUE(OurEntries(form.get()).empty());
  ::SendMessageW(form.get(), WM_SYSCOMMAND, SystemMenu::CommandId(1), 0);
  EXPECT_EQ(chosen.size(), 2u);
}

TEST(SystemMenuEntries, FormWithoutSystemMenuLeavesTheControlInert) {
  TestForm form(200, 100, WS_POPUP);
  SystemMenu menu(form.get());
  AboutEntries(menu);
  EXPECT_EQ(menu.Count(), 2);
  EXPECT_EQ(::GetSystemMenu(form.get(), FALSE), nullptr);
}

}  // namespace
}  // namespace vellumark::controls
