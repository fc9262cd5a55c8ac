#include "controls/dpi.h"
#include "controls/status_bar.h"
#include "support/win32/wide_string.h"
#include "tests/controls/test_form.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

namespace vellumark::controls {
namespace {

using testing::TestForm;

std::vector<int> Parts(const StatusBar& bar) {
  std::vector<int> rights(300, 0);
  const auto count = ::SendMessageW(bar.ControlHwnd(), SB_GETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
  rights.resize(static_cast<std::size_t>(count));
  return rights;
}

struct PartText {
  std::wstring text;
  int flags;
};

PartText Shown(const StatusBar& bar, int part) {
  const auto length = ::SendMessageW(bar.ControlHwnd(), SB_GETTEXTLENGTHW, part, 0);
  std::wstring text(LOWORD(length) + 1u, L'\0');
  const auto result = ::SendMessageW(bar.ControlHwnd(), SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
  text.resize(LOWORD(result));
  return {text, HIWORD(result)};
}

std::wstring ToolText(const StatusBar& bar, int id) {
  std::wstring text(1024, L'\0');
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = bar.ControlHwnd();
  tool.uId = static_cast<UINT_PTR>(id);
  tool.lpszText = text.data();
  ::SendMessageW(bar.ToolTipHwnd(), TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
  return text.c_str();
}

int ToolCount(const StatusBar& bar) {
  return static_cast<int>(::SendMessageW(bar.ToolTipHwnd(), TTM_GETTOOLCOUNT, 0, 0));
}

TEST(StatusBarLayout, FixedSpringAndContentsPanelsFillTheBar) {
  TestForm form;
  StatusBar bar({form.get(), {0, 0, 400, 22}});
  bar.SetCount(3);
  bar.PanelAt(1)->SetAutoSize(Panel::kSpring);
  bar.PanelAt(2)->SetAutoSize(Panel::kContents);
  bar.PanelAt(2)->SetText("abc");
  // The contents panel is the text's width in the bar's font plus 7.
  SIZE extent{};
  {
    const auto font = CreateFontFromDescription(bar.Font(), DpiForWindow(bar.Hwnd()));
    win32::WindowDc dc(bar.ControlHwnd());
    win32::SelectedObject selected(dc.get(), font.get());
    ::GetTextExtentPoint32W(dc.get(), L"abc", 3, &extent);
  }
  ASSERT_GT(extent.cx, 0);
  const int contents = extent.cx + 7;
  EXPECT_EQ(Parts(bar), (std::vector<int>{98, 400 - contents, 400}));
  EXPECT_EQ(bar.PanelAt(0)->ActualWidth(), 98);
  EXPECT_EQ(bar.PanelAt(1)->ActualWidth(), 400 - contents - 98);
  EXPECT_EQ(bar.PanelAt(2)->ActualWidth(), contents);
}

TEST(StatusBarLayout, TwoSpringsShareTheFreeWidth) {
  TestForm form;
  StatusBar bar({form.get(), {0, 0, 401, 22}});
  bar.SetCount(3);
  bar.PanelAt(0)->SetAutoSize(Panel::kSpring);
  bar.PanelAt(2)->SetAutoSize(Panel::kSpring);
  // widths 98, 100, 100; free = 401 - 300 + 2 = 103, shared 52 + 51.
  EXPECT_EQ(Parts(bar), (std::vector<int>{150, 250, 401}));
}

TEST(StatusBarLayout, EmptyContentsPanelAndInvisiblePanels) {
  TestForm form;
  StatusBar bar({form.get(), {0, 0, 400, 22}});
  bar.SetCount(1);
  bar.PanelAt(0)->SetAutoSize(Panel::kContents);
  EXPECT_EQ(Parts(bar), std::vector<int>{5});
  bar.SetCount(3);
  bar.PanelAt(0)->SetVisible(false);
  // The first visible panel loses the two pixels; the hidden one keeps its part.
  EXPECT_EQ(Parts(bar), (std::vector<int>{0, 98, 198}));
  EXPECT_EQ(bar.PanelAt(0)->ActualWidth(), 0);
}

TEST(StatusBarLayout, SettersIgnoreValuesOutsideTheirRange) {
  TestForm form;
  StatusBar bar({form.get(), {0, 0, 400, 22}});
  bar.SetCount(2);
  bar.SetCount(-1);
  bar.SetStyle(2);
  Panel& panel = *bar.PanelAt(1);
  panel.SetAlignment(3);
  panel.SetAutoSize(-1);
  panel.SetBevel(3);
  panel.SetMinWidth(0);
  EXPECT_EQ(bar.Count(), 2);
  EXPECT_EQ(bar.Style(), 0);
  EXPECT_EQ(panel.Alignment(), Panel::kLeft);
  EXPECT_EQ(panel.AutoSize(), Panel::kNoAutoSize);
  EXPECT_EQ(panel.Bevel(), Panel::kInset);
  EXPECT_EQ(panel.MinWidth(), 100);
  EXPECT_EQ(bar.PanelAt(2), nullptr);
  EXPECT_EQ(bar.PanelAt(-1), nullptr);
}

TEST(StatusBarText, AlignmentBecomesTabsAndBevelBecomesPartFlags) {
  TestForm form;
  StatusBar bar({form.get(), {0, 0, 400, 22}});
  bar.SetCount(3);
  bar.PanelAt(0)->SetText("left");
  bar.PanelAt(1)->SetText("centre");
  bar.PanelAt(1)->SetAlignment(Panel::kCenter);
  bar.PanelAt(1)->SetBevel(Panel::kRaised);
  bar.PanelAt(2)->SetText("right");
  bar.PanelAt(2)->SetAlignment(Panel::kRight);
  bar.PanelAt(2)->SetBevel(Panel::kNoBevel);
  EXPECT_EQ(Shown(bar, 0).text, L"left");
  EXPECT_EQ(Shown(bar, 0).flags, 0);
  EXPECT_EQ(Shown(bar, 1).text, L"\tcentre");
  EXPECT_EQ(Shown(bar, 1).flags, SBT_POPOUT);
  EXPECT_EQ(Shown(bar, 2).text, L"\t\tright");
  EXPECT_EQ(Shown(bar, 2).flags, SBT_NOBORDERS);
}

TEST(StatusBarText, TextsOfAnyLengthAndCharacterAreShownWhole) {
  TestForm form;
  StatusBar bar({form.get(), {0, 0, 400, 22}});
  bar.SetCount(1);
  std::string text;
  while (text.size() < 60000) text += "Favorites \xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80 \"%s\" ";
  bar.PanelAt(0)->SetText(text);
  bar.PanelAt(0)->SetToolTipText(text.substr(0, 500));
  ASSERT_LT(win32::Widen(text).size(), 65536u);  // what SB_GETTEXTLENGTHW can report
  EXPECT_EQ(win32::Narrow(Shown(bar, 0).text), text);
  EXPECT_EQ(ToolText(bar, 0).substr(0, 40), win32::Widen(text.substr(0, 500)).substr(0, 40));
}

TEST(StatusBarText, PreventUpdateBatchesPanelChanges) {
  TestForm form;
  StatusBar bar({form.get(), {0, 0, 400, 22}});
  bar.SetCount(2);
  bar.SetPreventUpdate(true);
  bar.PanelAt(0)->SetText("one");
  bar.PanelAt(1)->SetMinWidth(50);
  EXPECT_EQ(Shown(bar, 0).text, L"");
  EXPECT_EQ(Parts(bar), (std::vector<int>{98, 198}));
  bar.SetPreventUpdate(false);
  bar.UpdatePanels(-1);
  EXPECT_EQ(Shown(bar, 0).text, L"one");
  EXPECT_EQ(Parts(bar), (std::vector<int>{98, 148}));
}

TEST(StatusBarText, SimpleStyleShowsSimpleTextAndKeepsPanelTexts) {
  TestForm form;
  StatusBar bar({form.get(), {0, 0, 400, 22}});
  bar.SetCount(1);
  bar.PanelAt(0)->SetText("panel");
  bar.SetSimpleText("simple");
  bar.SetStyle(1);
  EXPECT_TRUE(::SendMessageW(bar.ControlHwnd(), SB_ISSIMPLE, 0, 0));
  EXPECT_EQ(Shown(bar, 0).text, L"simple");  // a simple bar answers for any part
  bar.PanelAt(0)->SetText("changed while simple");
  bar.SetStyle(0);
  EXPECT_FALSE(::SendMessageW(bar.ControlHwnd(), SB_ISSIMPLE, 0, 0));
  EXPECT_EQ(Shown(bar, 0).text, L"changed while simple");
}

TEST(StatusBarToolTips, OneToolPerPanelWithItsText) {
  TestForm form;
  StatusBar bar({form.get(), {0, 0, 400, 22}});
  bar.SetCount(3);
  bar.PanelAt(0)->SetToolTipText("Folders");
  bar.PanelAt(2)->SetToolTipText("Status");
  EXPECT_EQ(ToolCount(bar), 3);
  EXPECT_EQ(ToolText(bar, 0), L"Folders");
  EXPECT_EQ(ToolText(bar, 2), L"Status");
  bar.SetCount(1);
  EXPECT_EQ(ToolCount(bar), 1);
  EXPECT_EQ(ToolText(bar, 0), L"Folders");
  EXPECT_EQ(Parts(bar), std::vector<int>{98});
}

TEST(StatusBarEvents, ClicksOnPartsRaisePanelEventsWithTheButton) {
  TestForm form;
  StatusBar bar({form.get(), {0, 0, 400, 22}});
  bar.SetCount(3);
  bar.PanelAt(1)->SetVisible(false);
  std::vector<std::string> events;
  bar.onPanelClick = [&](Panel& panel, int button) {
    events.push_back("click " + std::to_string(panel.Index()) + " " + std::to_string(button));
  };
  bar.onPanelDblClick = [&](Panel& panel, int button) {
    events.push_back("dbl " + std::to_string(panel.Index()) + " " + std::to_string(button));
  };
  const HWND window = bar.ControlHwnd();
  const auto at = [](int x) { return MAKELPARAM(x, 5); };
  ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at(10));
  ::SendMessageW(window, WM_LBUTTONUP, 0, at(10));
  ::SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, at(150));
  ::SendMessageW(window, WM_RBUTTONUP, 0, at(150));
  ::SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at(150));
  ::SendMessageW(window, WM_RBUTTONDBLCLK, MK_RBUTTON, at(20));
  ::SendMessageW(window, WM_LBUTTONUP, 0, at(390));  // beyond the last part
  EXPECT_EQ(events, (std::vector<std::string>{"click 0 1", "click 2 2", "dbl 2 1", "dbl 0 2"}));
}

TEST(StatusBarProperties, WriteThenReadRestoresPanelsAndTexts) {
  TestForm form;
  StatusBar first({form.get(), {0, 0, 400, 22}});
  first.SetCount(2);
  first.PanelAt(0)->SetText("Folders: 12");
  first.PanelAt(1)->SetAutoSize(Panel::kSpring);
  first.PanelAt(1)->SetToolTipText("tip");
  first.PanelAt(1)->SetTag("tag");
  PropertyStore store;
  first.WriteProperties(store);
  EXPECT_EQ(store.Entries().size(), 6u + 2 * 8);
  EXPECT_EQ(store.Entries()[6].key, "PanelAlignment(0)");
  EXPECT_EQ(store.ReadText("PanelText(0)", ""), "Folders: 12");

  StatusBar second({form.get(), {0, 0, 400, 22}});
  std::vector<std::string> changed;
  second.onPropertyChanged = [&](std::string_view key) { changed.emplace_back(key); };
  second.ReadProperties(store);
  EXPECT_EQ(Shown(second, 0).text, L"Folders: 12");
  EXPECT_EQ(Parts(second), (std::vector<int>{98, 400}));
  EXPECT_EQ(ToolText(second, 1), L"tip");
  EXPECT_EQ(second.PanelAt(1)->Tag(), "tag");
  changed.clear();
  second.PanelAt(1)->SetText("x");
  EXPECT_EQ(changed, std::vector<std::string>{"PanelText(1)"});
}

}  // namespace
}  // namespace vellumark::controls
