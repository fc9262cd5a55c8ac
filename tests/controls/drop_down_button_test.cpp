#include "controls/drop_down_button.h"
#include "controls/message_loop.h"
#include "support/win32/wide_string.h"
#include "tests/controls/dialog_driver.h"
#include "tests/controls/test_form.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace vellumark::controls {
namespace {

using testing::PrintedClient;
using testing::PumpMessages;
using testing::TestForm;

const auto Entries = testing::MenuEntries;

// What an open popup menu looked like; filled from a timer inside the
// menu's own loop, which then closes the menu.
struct OpenedMenu {
  int items = -1;
  std::pair<LONG, LONG> topLeft{-1, -1};
};
OpenedMenu lastOpened;

void CALLBACK InspectAndCloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  if (const HWND menu = ::FindWindowW(L"#32768", nullptr); menu != nullptr && ::IsWindowVisible(menu)) {
    RECT bounds{};
    ::GetWindowRect(menu, &bounds);
    lastOpened.topLeft = {bounds.left, bounds.top};
    lastOpened.items = ::GetMenuItemCount(reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0)));
  }
  ::EndMenu();
}

// Counts Click events; each opened menu is inspected and closed at once.
struct ClickRecorder {
  explicit ClickRecorder(DropDownButton& button) {
    button.onClick = [this] {
      ++clicks;
      lastOpened = {};
      ::SetTimer(nullptr, 0, 50, InspectAndCloseMenu);
    };
  }
  int clicks = 0;
};

// Entries 0 to 2 of the "Process" kind; a very long entry 3 when asked.
DropDownButton& WithEntries(DropDownButton& button, bool longEntry = true) {
  button.SetText("&Process");
  button.SetCount(4);
  button.PopupMenuItemAt(0)->SetText("Check");
  button.PopupMenuItemAt(0)->SetChecked(true);
  button.PopupMenuItemAt(1)->SetStyle(PopupMenuItem::kSeparator);
  button.PopupMenuItemAt(2)->SetText("Clean");
  button.PopupMenuItemAt(2)->SetEnabled(false);
  button.PopupMenuItemAt(3)->SetText(longEntry ? std::string(20000, 'x') + "\xE2\x82\xAC" : "Convert");
  return button;
}

TEST(DropDownButtonMenu, EntriesBecomeMenuItemsWithIndexAsIdentifierAndCountKeepsThem) {
  TestForm form;
  DropDownButton button({form.get(), {0, 0, 100, 24}});
  WithEntries(button);
  const auto entries = Entries(button.BuildPopupMenu().get());
  ASSERT_EQ(entries.size(), 4u);
  const UINT marks = MF_CHECKED | MF_GRAYED;
  EXPECT_EQ((std::array<UINT, 6>{entries[0].id, entries[1].id, entries[2].id, entries[0].state & marks,
                        entries[1].type & MFT_SEPARATOR, entries[2].state & marks}),
            (std::array<UINT, 6>{0, 1, 2, MF_CHECKED, MFT_SEPARATOR, MF_GRAYED}));
  EXPECT_EQ(entries[0].text, L"Check");
  EXPECT_EQ(entries[3].text, std::wstring(20000, L'x') + L"\u20AC");
  button.SetCount(2);
  button.SetCount(3);
  EXPECT_EQ(button.PopupMenuItemAt(0)->Text(), "Check");
  EXPECT_EQ(button.PopupMenuItemAt(2)->Text(), "");
  EXPECT_EQ(button.PopupMenuItemAt(3), nullptr);
}

TEST(DropDownButtonEvents, MenuCommandsRaiseItemClickForTextEntriesOnly) {
  TestForm form;
  DropDownButton button({form.get(), {0, 0, 100, 24}});
  WithEntries(button);
  std::vector<int> chosen;
  button.onItemClick = [&](PopupMenuItem& item) { chosen.push_back(item.Index()); };
  for (const WPARAM id : {WPARAM{3}, WPARAM{1}, WPARAM{0}, WPARAM{4}, WPARAM{0xFFFF}})
    ::SendMessageW(button.ControlHwnd(), WM_COMMAND, id, 0);
  EXPECT_EQ(chosen, (std::vector<int>{3, 0}));
}

TEST(DropDownButtonEvents, EnterSpaceAndAltDownOpenTheMenuBelowTheButton) {
  TestForm form;
  DropDownButton button({form.get(), {0, 0, 100, 24}});
  WithEntries(button, false);  // a menu wider than the screen would be moved
  ClickRecorder recorder(button);
  const HWND window = button.ControlHwnd();
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  ::SendMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(lastOpened.items, 4);
  EXPECT_EQ(lastOpened.topLeft, std::pair(bounds.left, bounds.bottom));
  ::SendMessageW(window, WM_KEYDOWN, VK_SPACE, 0);
  ::SendMessageW(window, WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
  ::SendMessageW(window, WM_KEYDOWN, 'A', 0);
  ::SendMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(recorder.clicks, 3);
  button.SetArrowStyle(1);
  ::SendMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(lastOpened.topLeft, std::pair(bounds.right, bounds.top));
  PumpMessages();
}

TEST(DropDownButtonEvents, ReleasingTheMouseOpensTheMenuOnlyInside) {
  TestForm form;
  DropDownButton button({form.get(), {0, 0, 100, 24}});
  button.SetCount(1);
  ClickRecorder recorder(button);
  const HWND window = button.ControlHwnd();
  const LPARAM arrow = MAKELPARAM(89, 13), outside = MAKELPARAM(150, 13);
  ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
  ::SendMessageW(window, WM_LBUTTONUP, 0, arrow);
  EXPECT_EQ(recorder.clicks, 1);
  EXPECT_EQ(lastOpened.items, 1);
  ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
  ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, outside);
  ::SendMessageW(window, WM_LBUTTONUP, 0, outside);
  EXPECT_EQ(recorder.clicks, 1);
  ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
  ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, outside);
  ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, arrow);
  ::SendMessageW(window, WM_LBUTTONUP, 0, arrow);
  EXPECT_EQ(recorder.clicks, 2);
  PumpMessages();
}

TEST(DropDownButtonKeys, MessageLoopGivesEnterToTheFocusedButtonAndTabToNavigation) {
  TestForm form;
  ::ShowWindow(form.get(), SW_SHOW);
  DropDownButton first({form.get(), {0, 0, 100, 24}});
  DropDownButton second({form.get(), {0, 30, 100, 54}});
  ClickRecorder recorder(first);
  ::SetFocus(first.ControlHwnd());
  ASSERT_EQ(::GetFocus(), first.ControlHwnd());
  MSG enter{first.ControlHwnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(PreTranslateMessage(form.get(), enter));
  EXPECT_EQ(recorder.clicks, 1);
  MSG escape{first.ControlHwnd(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  PreTranslateMessage(form.get(), escape);
  EXPECT_EQ(recorder.clicks, 1);
  MSG tab{first.ControlHwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(PreTranslateMessage(form.get(), tab));
  EXPECT_EQ(::GetFocus(), second.ControlHwnd());
  // The mnemonic of the first button's caption opens its menu from anywhere on the form.
  first.SetText("&Process");
  MSG mnemonic{second.ControlHwnd(), WM_SYSCHAR, 'p', 1 << 29, 0, {}};
  EXPECT_TRUE(PreTranslateMessage(form.get(), mnemonic));
  EXPECT_EQ(recorder.clicks, 2);
  PumpMessages();
}

TEST(DropDownButtonDrawing, FaceColourAndArrowWhereTheyBelong) {
  TestForm form;
  DropDownButton button({form.get(), {0, 0, 100, 24}});
  button.SetBackColor(0x00FF00);
  const COLORREF face = 0x00FF00, text = ::GetSysColor(COLOR_WINDOWTEXT), gray = ::GetSysColor(COLOR_GRAYTEXT);
  // Face inside the frame; arrow rows of 5, 3 and 1 pixels, tip at (89, 13);
  // disabled, the arrow is gray and a pixel lower.
  const struct {
    bool enabled;
    int x, y;
    COLORREF color;
  } pixels[] = {{true, 5, 5, face},   {true, 89, 13, text},  {true, 87, 11, text},
                {true, 89, 14, face}, {false, 89, 14, gray}, {false, 89, 15, face}};
  for (const auto& pixel : pixels) {
    button.SetEnabled(pixel.enabled);
    EXPECT_EQ(PrintedClient(button.ControlHwnd()).Pixel(pixel.x, pixel.y), pixel.color) << pixel.x << "," << pixel.y;
  }
  EXPECT_FALSE(::IsWindowEnabled(button.ControlHwnd()));
}

TEST(DropDownButtonProperties, WriteThenReadRestoresEntriesInKeyOrder) {
  TestForm form;
  DropDownButton first({form.get(), {0, 0, 100, 24}});
  WithEntries(first).PopupMenuItemAt(0)->SetTag("first");
  PropertyStore store;
  first.WriteProperties(store);
  std::string keys;
  for (const auto& entry : store.Entries()) keys += entry.key + " ";
  EXPECT_TRUE(keys.starts_with("ArrowStyle BackColor Count Enabled Font ForeColor Text PopupMenuItemChecked(0) "
                               "PopupMenuItemEnabled(0) PopupMenuItemStyle(0) PopupMenuItemTag(0) PopupMenuItemText(0) "
                               "PopupMenuItemChecked(1) "))
      << keys;
  EXPECT_EQ(store.Entries().size(), 7u + 4 * 5);
  DropDownButton second({form.get(), {0, 30, 100, 54}});
  second.ReadProperties(store);
  EXPECT_EQ(second.PopupMenuItemAt(0)->Tag(), "first");
  EXPECT_EQ(Entries(first.BuildPopupMenu().get()), Entries(second.BuildPopupMenu().get()));
  EXPECT_EQ(vellumark::testing::TextOf(second.ControlHwnd()), "&Process");  // the mnemonic reaches dialog navigation
}

}  // namespace
}  // namespace vellumark::controls
