#include "controls/system_menu.h"
#include "tests/controls/test_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellumark::controls {
namespace {

using testing::TestForm;

struct ShownEntry {
  UINT id;
  bool separator;
  bool checked;
  bool grayed;
  std::wstring text;
  bool operator==(const ShownEntry&) const = default;
};

// The entries after the system's own ones (which all have identifiers at
// 0xF000 and above, or are separators between them).
std::vector<ShownEntry> OurEntries(HWND form) {
  const HMENU menu = ::GetSystemMenu(form, FALSE);
  std::vector<ShownEntry> entries;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 256;
    ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    if (info.wID == 0 || info.wID >= 0xF000) continue;
    const bool separator = (info.fType & MFT_SEPARATOR) != 0;
    entries.push_back({info.wID, separator, !separator && (info.fState & MFS_CHECKED) != 0,
                       !separator && (info.fState & MF_GRAYED) != 0, text});
  }
  return entries;
}

void AboutEntries(SystemMenu& menu) {
  menu.SetCount(2);
  menu.SystemMenuItemAt(0)->SetStyle(SystemMenuItem::kSeparator);
  menu.SystemMenuItemAt(1)->SetText("&About Vellumark...");
}

TEST(SystemMenuEntries, AppendedAfterTheSystemEntriesInIndexOrder) {
  TestForm form;
  SystemMenu menu(form.get());
  const int systemEntries = ::GetMenuItemCount(::GetSystemMenu(form.get(), FALSE));
  AboutEntries(menu);
  const HMENU shown = ::GetSystemMenu(form.get(), FALSE);
  ASSERT_EQ(::GetMenuItemCount(shown), systemEntries + 2);
  EXPECT_EQ(::GetMenuItemID(shown, systemEntries + 1), SystemMenu::CommandId(1));
  EXPECT_EQ(OurEntries(form.get()), (std::vector<ShownEntry>{{0x10, true, false, false, L""},
                                                             {0x20, false, false, false, L"&About Vellumark..."}}));
}

TEST(SystemMenuEntries, RebuildsWithoutDuplicatesAndDropsRemovedEntries) {
  TestForm form;
  SystemMenu menu(form.get());
  AboutEntries(menu);
  menu.UpdateSystemMenuItems(-1);
  menu.UpdateSystemMenuItems(-1);
  EXPECT_EQ(OurEntries(form.get()).size(), 2u);
  menu.SetCount(1);
  EXPECT_EQ(OurEntries(form.get()), (std::vector<ShownEntry>{{0x10, true, false, false, L""}}));
  menu.SetCount(-1);
  menu.SetCount(SystemMenu::kMaxCount + 1);
  EXPECT_EQ(menu.Count(), 1);
}

TEST(SystemMenuEntries, DisabledControlGraysAndCheckedChangesInPlace) {
  TestForm form;
  SystemMenu menu(form.get());
  AboutEntries(menu);
  menu.SystemMenuItemAt(1)->SetChecked(true);
  EXPECT_TRUE(OurEntries(form.get())[1].checked);
  EXPECT_FALSE(OurEntries(form.get())[1].grayed);
  menu.SetEnabled(false);
  EXPECT_TRUE(OurEntries(form.get())[1].checked);
  EXPECT_TRUE(OurEntries(form.get())[1].grayed);
  menu.SetEnabled(true);
  menu.SystemMenuItemAt(1)->SetEnabled(false);
  menu.SystemMenuItemAt(1)->SetText(std::string(100, 'y'));
  EXPECT_EQ(OurEntries(form.get())[1], (ShownEntry{0x20, false, true, true, std::wstring(100, L'y')}));
}

TEST(SystemMenuEvents, ChoosingATextEntryRaisesItemClickWithItsIndex) {
  TestForm form;
  std::vector<int> chosen;
  {
    SystemMenu menu(form.get());
    AboutEntries(menu);
    menu.onItemClick = [&](SystemMenuItem& item) { chosen.push_back(item.Index()); };
    ::SendMessageW(form.get(), WM_SYSCOMMAND, SystemMenu::CommandId(1), 0);
    ::SendMessageW(form.get(), WM_SYSCOMMAND, SystemMenu::CommandId(0), 0);  // separator
    ::SendMessageW(form.get(), WM_SYSCOMMAND, SystemMenu::CommandId(2), 0);  // not ours
    ::SendMessageW(form.get(), WM_SYSCOMMAND, SystemMenu::CommandId(1) | 0x3, 0);
    EXPECT_EQ(chosen, (std::vector<int>{1, 1}));
  }
  // Gone with the control: its entries and its hold on the form's window.
  EXPECT_TRUE(OurEntries(form.get()).empty());
  ::SendMessageW(form.get(), WM_SYSCOMMAND, SystemMenu::CommandId(1), 0);
  EXPECT_EQ(chosen.size(), 2u);
}

TEST(SystemMenuProperties, ReadBuildsTheEntriesOnce) {
  TestForm form;
  PropertyStore store;
  store.WriteNumber("Count", 2);
  store.WriteNumber("SystemMenuItemStyle(0)", 1);
  store.WriteText("SystemMenuItemText(1)", "&About Vellumark...");
  store.WriteText("SystemMenuItemTag(1)", "about");
  SystemMenu menu(form.get());
  menu.ReadProperties(store);
  EXPECT_EQ(OurEntries(form.get()), (std::vector<ShownEntry>{{0x10, true, false, false, L""},
                                                             {0x20, false, false, false, L"&About Vellumark..."}}));
  PropertyStore written;
  menu.WriteProperties(written);
  EXPECT_EQ(written.Entries().size(), 2u + 2 * 5);
  EXPECT_EQ(written.ReadText("SystemMenuItemTag(1)", ""), "about");
  EXPECT_EQ(written.ReadNumber("SystemMenuItemStyle(0)", 0), 1);
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
