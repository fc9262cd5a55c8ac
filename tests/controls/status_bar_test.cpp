#include "controls/dpi.h"
#include "controls/status_bar.h"
#include "support/win32/wide_string.h"
#include "tests/controls/test_form.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

namespace vellumark::controls {
namespace {

using testing::TestForm;

std::vector<int> Parts(const StatusBar& bar) { return testing::StatusParts(bar.ControlHwnd()); }
std::wstring Shown(const StatusBar& bar, int part, int* flags = nullptr) {
  return testing::StatusText(bar.ControlHwnd(), part, flags);
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

TEST(StatusBarLayout, PanelsShareTheBarByTheirAutoSize) {
  // Panels are 100 wide by default, the first one gives up two pixels.
  const struct {
    int width, count;
    std::function<void(StatusBar&)> setup;
    std::vector<int> parts;
  } cases[] = {
      {401, 3, [](StatusBar& bar) { bar.PanelAt(0)->SetAutoSize(Panel::kSpring), bar.PanelAt(2)->SetAutoSize(Panel::kSpring); },
       {150, 250, 401}},  // free 401 - 300 + 2 = 103, shared 52 + 51
      {400, 1, [](StatusBar& bar) { bar.PanelAt(0)->SetAutoSize(Panel::kContents); }, {5}},  // empty text
      {400, 3, [](StatusBar& bar) { bar.PanelAt(0)->SetVisible(false); }, {0, 98, 198}},
  };
  for (const auto& c : cases) {
    TestForm form;
    StatusBar bar({form.get(), {0, 0, c.width, 22}});
    bar.SetCount(c.count);
    c.setup(bar);
    EXPECT_EQ(Parts(bar), c.parts) << c.width << " " << c.count;
  }
}

TEST(StatusBarLayout, AContentsPanelIsItsTextsWidthPlusSevenAndASpringTakesTheRest) {
  TestForm form;
  StatusBar bar({form.get(), {0, 0, 400, 22}});
  bar.SetCount(3);
  bar.PanelAt(1)->SetAutoSize(Panel::kSpring);
  bar.PanelAt(2)->SetAutoSize(Panel::kContents);
  bar.PanelAt(2)->SetText("abc");
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
  EXPECT_EQ((std::array{bar.PanelAt(0)->ActualWidth(), bar.PanelAt(1)->ActualWidth(), bar.PanelAt(2)->ActualWidth()}),
            (std::array{98, 400 - contents - 98, contents}));
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
  EXPECT_EQ((std::array{bar.Count(), bar.Style(), panel.Alignment(), panel.AutoSize(), panel.Bevel(), panel.MinWidth()}),
            (std::array<int, 6>{2, 0, Panel::kLeft, Panel::kNoAutoSize, Panel::kInset, 100}));
  EXPECT_EQ(bar.PanelAt(2), nullptr);
  EXPECT_EQ(bar.PanelAt(-1), nullptr);
}

TEST(StatusBarText, AlignmentBecomesTabsAndBevelBecomesPartFlags) {
  const struct {
    int alignment, bevel;
    const wchar_t* shown;
    int flags;
  } cases[] = {{Panel::kLeft, Panel::kInset, L"text", 0},
               {Panel::kCenter, Panel::kRaised, L"\ttext", SBT_POPOUT},
               {Panel::kRight, Panel::kNoBevel, L"\t\ttext", SBT_NOBORDERS}};
  TestForm form;
  StatusBar bar({form.get(), {0, 0, 400, 22}});
  bar.SetCount(3);
  for (int i = 0; i < 3; ++i) {
    bar.PanelAt(i)->SetText("text");
    bar.PanelAt(i)->SetAlignment(cases[i].alignment);
    bar.PanelAt(i)->SetBevel(cases[i].bevel);
  }
  for (int i = 0; i < 3; ++i) {
    int flags = -1;
    EXPECT_EQ(Shown(bar, i, &flags), cases[i].shown);
    EXPECT_EQ(flags, cases[i].flags) << i;
  }
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
  EXPECT_EQ(win32::Narrow(Shown(bar, 0)), text);
  EXPECT_EQ(ToolText(bar, 0).substr(0, 40), win32::Widen(text.substr(0, 500)).substr(0, 40));
}

TEST(StatusBarText, PreventUpdateBatchesPanelChanges) {
  TestForm form;
  StatusBar bar({form.get(), {0, 0, 400, 22}});
  bar.SetCount(2);
  bar.SetPreventUpdate(true);
  bar.PanelAt(0)->SetText("one");
  bar.PanelAt(1)->SetMinWidth(50);
  EXPECT_EQ(Shown(bar, 0), L"");
  EXPECT_EQ(Parts(bar), (std::vector<int>{98, 198}));
  bar.SetPreventUpdate(false);
  bar.UpdatePanels(-1);
  EXPECT_EQ(Shown(bar, 0), L"one");
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
  EXPECT_EQ(Shown(bar, 0), L"simple");  // a simple bar answers for any part
  bar.PanelAt(0)->SetText("changed while simple");
  bar.SetStyle(0);
  EXPECT_FALSE(::SendMessageW(bar.ControlHwnd(), SB_ISSIMPLE, 0, 0));
  EXPECT_EQ(Shown(bar, 0), L"changed while simple");
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
  const auto record = [&](const char* kind) {
    return [&events, kind](Panel& panel, int button) {
      events.push_back(std::string(kind) + " " + std::to_string(panel.Index()) + " " + std::to_string(button));
    };
  };
  bar.onPanelClick = record("click");
  bar.onPanelDblClick = record("dbl");
  const std::pair<UINT, int> mouse[] = {{WM_LBUTTONDOWN, 10},  {WM_LBUTTONUP, 10},     {WM_RBUTTONDOWN, 150},
                                        {WM_RBUTTONUP, 150},   {WM_LBUTTONDBLCLK, 150}, {WM_RBUTTONDBLCLK, 20},
                                        {WM_LBUTTONUP, 390}};  // the last beyond the last part
  for (const auto& [message, x] : mouse) ::SendMessageW(bar.ControlHwnd(), message, 0, MAKELPARAM(x, 5));
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

  StatusBar second({form.get(), {0, 0, 400, 22}});
  std::vector<std::string> changed;
  second.onPropertyChanged = [&](std::string_view key) { changed.emplace_back(key); };
  second.ReadProperties(store);
  EXPECT_EQ(Shown(second, 0), L"Folders: 12");
  EXPECT_EQ(Parts(second), (std::vector<int>{98, 400}));
  EXPECT_EQ(ToolText(second, 1), L"tip");
  EXPECT_EQ(second.PanelAt(1)->Tag(), "tag");
  changed.clear();
  second.PanelAt(1)->SetText("x");
  EXPECT_EQ(changed, std::vector<std::string>{"PanelText(1)"});
}

}  // namespace
}  // namespace vellumark::controls
