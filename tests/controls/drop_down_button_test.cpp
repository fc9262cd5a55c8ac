#include "controls/drop_down_button.h"
#include "controls/message_loop.h"
#include "tests/controls/test_form.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

namespace vellumark::controls {
namespace {

using testing::PrintedPixel;
using testing::PumpMessages;
using testing::TestForm;

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

class DropDownButtonTest : public ::testing::Test {
 protected:
  TestForm form_;
  DropDownButton button_{{form_.get(), {0, 0, 100, 24}}};
  HWND window_ = button_.ControlHwnd();
};

// Entries 0 to 2 of the "Process" kind; a very long entry 3 when asked.
void WithEntries(DropDownButton& button, bool longEntry = true) {
  button.SetText("&Process");
  button.SetCount(4);
  button.PopupMenuItemAt(0)->SetText("Check");
  button.PopupMenuItemAt(0)->SetChecked(true);
  button.PopupMenuItemAt(1)->SetStyle(PopupMenuItem::kSeparator);
  button.PopupMenuItemAt(2)->SetText("Clean");
  button.PopupMenuItemAt(2)->SetEnabled(false);
  button.PopupMenuItemAt(3)->SetText(longEntry ? std::string(20000, 'x') + "\xE2\x82\xAC" : "Convert");
}

TEST_F(DropDownButtonTest, EntriesBecomeMenuItemsWithIndexAsIdentifierAndOnlyTextEntriesRaiseItemClick) {
  WithEntries(button_);
  const auto entries = testing::MenuEntries(button_.BuildPopupMenu().get());
  ASSERT_EQ(entries.size(), 4u);
  const UINT marks = MF_CHECKED | MF_GRAYED;
  EXPECT_EQ((std::array<UINT, 6>{entries[0].id, entries[1].id, entries[2].id, entries[0].state & marks,
                        entries[1].type & MFT_SEPARATOR, entries[2].state & marks}),
            (std::array<UINT, 6>{0, 1, 2, MF_CHECKED, MFT_SEPARATOR, MF_GRAYED}));
  EXPECT_EQ(entries[0].text, L"Check");
  EXPECT_EQ(entries[3].text, std::wstring(20000, L'x') + L"\u20AC");
  std::vector<int> chosen;
  button_.onItemClick = [&](PopupMenuItem& item) { chosen.push_back(item.Index()); };
  for (const WPARAM id : {WPARAM{3}, WPARAM{1}, WPARAM{0}, WPARAM{4}, WPARAM{0xFFFF}})
    ::SendMessageW(button_.ControlHwnd(), WM_COMMAND, id, 0);
  EXPECT_EQ(chosen, (std::vector<int>{3, 0}));
  // A smaller count keeps only the first entries.
  button_.SetCount(1);
  button_.SetCount(2);
  EXPECT_EQ(std::tuple(button_.PopupMenuItemAt(0)->Text(), button_.PopupMenuItemAt(1)->Style()), std::tuple("Check", 0));
}

TEST_F(DropDownButtonTest, EnterSpaceAndAltDownOpenTheMenuBelowTheButton) {
  WithEntries(button_, false);  // a menu wider than the screen would be moved
  ClickRecorder recorder(button_);
  RECT bounds{};
  ::GetWindowRect(window_, &bounds);
  ::SendMessageW(window_, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(lastOpened.items, 4);
  EXPECT_EQ(lastOpened.topLeft, std::pair(bounds.left, bounds.bottom));
  ::SendMessageW(window_, WM_KEYDOWN, VK_SPACE, 0);
  ::SendMessageW(window_, WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
  ::SendMessageW(window_, WM_KEYDOWN, 'A', 0);
  ::SendMessageW(window_, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(recorder.clicks, 3);
  button_.SetArrowStyle(1);
  ::SendMessageW(window_, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(lastOpened.topLeft, std::pair(bounds.right, bounds.top));
  PumpMessages();
}

TEST_F(DropDownButtonTest, ReleasingTheMouseOpensTheMenuOnlyInside) {
  ClickRecorder recorder(button_);
  const LPARAM arrow = MAKELPARAM(89, 13), outside = MAKELPARAM(150, 13);
  const std::pair<std::vector<std::pair<UINT, LPARAM>>, int> presses[] = {
      {{{WM_LBUTTONDOWN, arrow}, {WM_LBUTTONUP, arrow}}, 1},
      {{{WM_LBUTTONDOWN, arrow}, {WM_MOUSEMOVE, outside}, {WM_LBUTTONUP, outside}}, 1},
      {{{WM_LBUTTONDOWN, arrow}, {WM_MOUSEMOVE, outside}, {WM_MOUSEMOVE, arrow}, {WM_LBUTTONUP, arrow}}, 2}};
  for (const auto& [messages, clicks] : presses) {
    for (const auto& [message, point] : messages)
      ::SendMessageW(window_, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, point);
    EXPECT_EQ(recorder.clicks, clicks);
  }
  PumpMessages();
}

TEST_F(DropDownButtonTest, MessageLoopGivesEnterToTheFocusedButtonTabToNavigationAndMnemonicsToTheirButton) {
  ::ShowWindow(form_.get(), SW_SHOW);
  DropDownButton second({form_.get(), {0, 30, 100, 54}});
  ClickRecorder recorder(button_);
  button_.SetText("&Process");
  ::SetFocus(window_);
  ASSERT_EQ(::GetFocus(), window_);
  const struct {
    UINT message;
    WPARAM key;
    LPARAM flags;
    int clicks;
  } keys[] = {{WM_KEYDOWN, VK_RETURN, 0, 1}, {WM_KEYDOWN, VK_ESCAPE, 0, 1}, {WM_KEYDOWN, VK_TAB, 0, 1},
              {WM_SYSCHAR, 'p', 1 << 29, 2}};  // the last arrives at the second button, which has the focus now
  for (const auto& key : keys) {
    MSG message{::GetFocus(), key.message, key.key, key.flags, 0, {}};
    EXPECT_TRUE(PreTranslateMessage(form_.get(), message) || key.key == VK_ESCAPE) << key.key;
    EXPECT_EQ(recorder.clicks, key.clicks) << key.key;
  }
  EXPECT_EQ(::GetFocus(), second.ControlHwnd());
  PumpMessages();
}

TEST_F(DropDownButtonTest, FaceColourAndArrowWhereTheyBelong) {
  button_.SetBackColor(0x00FF00);
  const COLORREF face = 0x00FF00, text = ::GetSysColor(COLOR_WINDOWTEXT), gray = ::GetSysColor(COLOR_GRAYTEXT);
  // Face inside the frame; arrow rows of 5, 3 and 1 pixels, tip at (89, 13);
  // disabled, the arrow is gray and a pixel lower.
  const struct {
    bool enabled;
    int x, y;
    COLORREF color;
  } pixels[] = {{true, 5, 5, face}, {true, 89, 13, text}, {true, 89, 14, face}, {false, 89, 14, gray}};
  for (const auto& pixel : pixels) {
    button_.SetEnabled(pixel.enabled);
    EXPECT_EQ(PrintedPixel(button_.ControlHwnd(), pixel.x, pixel.y), pixel.color) << pixel.x << "," << pixel.y;
  }
}

}  // namespace
}  // namespace vellumark::controls
