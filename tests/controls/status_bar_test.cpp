#include "controls/status_bar.h"
#include "support/win32/wide_string.h"
#include "tests/controls/test_form.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <tuple>
#include <vector>

namespace vellumark::controls {
namespace {

using Parts = std::vector<int>;

class StatusBarTest : public ::testing::Test {
 protected:
  StatusBar& Bar(int count, int width = 400) {
    bar_.emplace(Placement{form_.get(), {0, 0, width, 22}});
    bar_->SetCount(count);
    return *bar_;
  }
  Parts Shown() const { return testing::StatusParts(bar_->ControlHwnd()); }
  std::wstring Text(int part, int* flags = nullptr) const { return testing::StatusText(bar_->ControlHwnd(), part, flags); }
  std::wstring ToolText(const StatusBar& bar, int id) const {
    std::wstring text(1024, L'\0');
    TTTOOLINFOW tool{};
    std::tie(tool.cbSize, tool.hwnd, tool.uId, tool.lpszText) =
        std::tuple(sizeof tool, bar.ControlHwnd(), static_cast<UINT_PTR>(id), text.data());
    ::SendMessageW(bar.ToolTipHwnd(), TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    return text.c_str();
  }

  testing::TestForm form_;
  std::optional<StatusBar> bar_;
};

TEST_F(StatusBarTest, PanelsShareTheBarByTheirAutoSize) {
  // Panels are 100 wide by default, the first one gives up two pixels.
  const struct {
    int width, count;
    std::function<void(StatusBar&)> setup;
    Parts parts;
  } cases[] = {
      {401, 3, [](StatusBar& bar) { bar.PanelAt(0)->SetAutoSize(Panel::kSpring), bar.PanelAt(2)->SetAutoSize(Panel::kSpring); },
       {150, 250, 401}},  // free 401 - 300 + 2 = 103, shared 52 + 51
      {400, 1, [](StatusBar& bar) { bar.PanelAt(0)->SetAutoSize(Panel::kContents); }, {5}},  // empty text
      {400, 3, [](StatusBar& bar) { bar.PanelAt(0)->SetVisible(false); }, {0, 98, 198}},
  };
  for (const auto& c : cases) {
    c.setup(Bar(c.count, c.width));
    EXPECT_EQ(Shown(), c.parts) << c.width << " " << c.count;
  }
  // A contents panel is its text's width plus seven; a spring takes the rest.
  StatusBar& bar = Bar(3);
  bar.PanelAt(1)->SetAutoSize(Panel::kSpring);
  bar.PanelAt(2)->SetAutoSize(Panel::kContents);
  bar.PanelAt(2)->SetText("abc");
  const int width = testing::TextWidth(bar.ControlHwnd(), L"abc") + 7;
  ASSERT_GT(width, 7);
  EXPECT_EQ(Shown(), (Parts{98, 400 - width, 400}));
  EXPECT_EQ(bar.PanelAt(2)->ActualWidth(), width);
}

TEST_F(StatusBarTest, AlignmentBecomesTabsAndBevelBecomesPartFlags) {
  const struct {
    int alignment, bevel;
    const wchar_t* shown;
    int flags;
  } cases[] = {{Panel::kLeft, Panel::kInset, L"text", 0},
               {Panel::kCenter, Panel::kRaised, L"\ttext", SBT_POPOUT},
               {Panel::kRight, Panel::kNoBevel, L"\t\ttext", SBT_NOBORDERS}};
  StatusBar& bar = Bar(3);
  for (int i = 0; i < 3; ++i) {
    bar.PanelAt(i)->SetText("text");
    bar.PanelAt(i)->SetAlignment(cases[i].alignment);
    bar.PanelAt(i)->SetBevel(cases[i].bevel);
  }
  for (int i = 0; i < 3; ++i) {
    int flags = -1;
    EXPECT_EQ(Text(i, &flags), cases[i].shown);
    EXPECT_EQ(flags, cases[i].flags) << i;
  }
}

TEST_F(StatusBarTest, TextsOfAnyLengthAndCharacterAreShownWhole) {
  StatusBar& bar = Bar(1);
  std::string text;
  while (text.size() < 60000) text += "Favorites \xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80 \"%s\" ";
  bar.PanelAt(0)->SetText(text);
  ASSERT_LT(win32::Widen(text).size(), 65536u);  // what SB_GETTEXTLENGTHW can report
  EXPECT_EQ(win32::Narrow(Text(0)), text);
}

TEST_F(StatusBarTest, PreventUpdateBatchesChangesAndSimpleStyleKeepsPanelTexts) {
  StatusBar& bar = Bar(2);
  bar.SetPreventUpdate(true);
  bar.PanelAt(0)->SetText("one");
  bar.PanelAt(1)->SetMinWidth(50);
  EXPECT_EQ(Text(0), L"");
  EXPECT_EQ(Shown(), (Parts{98, 198}));
  bar.SetPreventUpdate(false);
  bar.UpdatePanels(-1);
  EXPECT_EQ(Text(0), L"one");
  EXPECT_EQ(Shown(), (Parts{98, 148}));

  bar.SetSimpleText("simple");
  bar.SetStyle(1);
  EXPECT_EQ(Text(1), L"simple");  // a simple bar answers for any part
  bar.PanelAt(0)->SetText("changed while simple");
  bar.SetStyle(0);
  EXPECT_EQ(Text(0), L"changed while simple");
}

TEST_F(StatusBarTest, OneToolPerPanelWithItsText) {
  StatusBar& bar = Bar(3);
  bar.PanelAt(0)->SetToolTipText("Folders");
  bar.PanelAt(2)->SetToolTipText("Status \xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(::SendMessageW(bar.ToolTipHwnd(), TTM_GETTOOLCOUNT, 0, 0), 3);
  EXPECT_EQ(ToolText(bar, 2), L"Status \u00E4\u20AC\U0001F600");
  bar.SetCount(1);
  EXPECT_EQ(::SendMessageW(bar.ToolTipHwnd(), TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(ToolText(bar, 0), L"Folders");
}

TEST_F(StatusBarTest, ClicksOnPartsRaisePanelEventsWithTheButton) {
  StatusBar& bar = Bar(3);
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

}  // namespace
}  // namespace vellumark::controls
