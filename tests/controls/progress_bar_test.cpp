#include "controls/drop_down_button.h"
#include "controls/progress_bar.h"
#include "controls/status_bar.h"
#include "tests/controls/test_form.h"

#include <array>
#include <commctrl.h>
#include <gtest/gtest.h>

namespace vellumark::controls {
namespace {

using testing::TestForm;

// Low, high and position as the window shows them.
std::array<int, 3> Shown(const ProgressBar& bar) {
  PBRANGE range{};
  ::SendMessageW(bar.ControlHwnd(), PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  return {range.iLow, range.iHigh, static_cast<int>(::SendMessageW(bar.ControlHwnd(), PBM_GETPOS, 0, 0))};
}

TEST(ProgressBar, RefusesValuesOutsideTheRangePullsTheValueDownAndGoesBeyondSixteenBits) {
  TestForm form;
  ProgressBar bar({form.get(), {0, 0, 200, 20}});
  std::vector<std::string> changed;
  bar.onPropertyChanged = [&](std::string_view key) { changed.emplace_back(key); };
  bar.SetValue(40);
  bar.SetValue(101);
  bar.SetValue(-1);
  bar.SetMin(100);  // not below Max
  bar.SetMin(-1);
  bar.SetMax(0);  // not above Min
  EXPECT_EQ((std::array{bar.Min(), bar.Max(), bar.Value()}), (std::array{0, 100, 40}));
  EXPECT_EQ(Shown(bar), (std::array{0, 100, 40}));
  EXPECT_EQ(changed, std::vector<std::string>{"Value"});
  bar.SetMax(30);
  EXPECT_EQ(Shown(bar), (std::array{0, 30, 30}));
  bar.SetMax(100000);
  bar.SetValue(75000);
  EXPECT_EQ(Shown(bar), (std::array{0, 100000, 75000}));
}

TEST(ProgressBar, RecreationKeepsRangePositionAndColour) {
  TestForm form;
  ProgressBar bar({form.get(), {0, 0, 200, 20}});
  bar.SetMax(70000);
  bar.SetMin(10);
  bar.SetValue(65537);
  bar.SetForeColor(0x0000FF);
  const HWND before = bar.ControlHwnd();
  bar.SetOrientation(1);
  bar.SetScrolling(1);
  bar.SetOrientation(2);  // ignored
  EXPECT_FALSE(::IsWindow(before));
  EXPECT_EQ(::GetWindowLongPtrW(bar.ControlHwnd(), GWL_STYLE) & (PBS_VERTICAL | PBS_SMOOTH), PBS_VERTICAL | PBS_SMOOTH);
  EXPECT_EQ(Shown(bar), (std::array{10, 70000, 65537}));
  EXPECT_EQ(::SendMessageW(bar.ControlHwnd(), PBM_GETBARCOLOR, 0, 0), 0x0000FF);
}

TEST(StoredProperties, ValuesTheSettersRefuseLeaveTheDefaults) {
  auto stored = FormDescription::Parse(
      "[Bar]\nMax = 200000\nValue = 300000\nForeColor = 0xFF00\n[Button]\nArrowStyle = 7\nCount = -1\n"
      "[Status]\nCount = -3\nStyle = 2\n");
  ASSERT_TRUE(stored);
  TestForm form;
  ProgressBar bar({form.get(), {0, 0, 200, 20}});
  DropDownButton button({form.get(), {0, 30, 80, 24}});
  StatusBar status({form.get(), {0, 60, 200, 20}});
  button.SetCount(2);
  status.SetCount(2);
  bar.ReadProperties(*stored->Find("Bar"));
  button.ReadProperties(*stored->Find("Button"));
  status.ReadProperties(*stored->Find("Status"));
  EXPECT_EQ((std::array{button.ArrowStyle(), button.Count(), status.Count(), status.Style()}), (std::array{0, 0, 0, 0}));
  EXPECT_EQ(Shown(bar), (std::array{0, 200000, 0}));
  bar.WriteProperties(stored->Control("Bar"));
  EXPECT_TRUE(stored->ToText().starts_with("[Bar]\nMax = 200000\nValue = 0\nForeColor = 0xFF00\nAppearance = 0\n"
                                           "BorderStyle = 0\nMin = 0\nOrientation = 0\nScrolling = 0\n\n"))
      << stored->ToText();
}

}  // namespace
}  // namespace vellumark::controls
