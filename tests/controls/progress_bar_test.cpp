#include "controls/progress_bar.h"
#include "tests/controls/test_form.h"

#include <array>
#include <commctrl.h>
#include <gtest/gtest.h>

namespace vellumark::controls {
namespace {

using testing::TestForm;

std::array<int, 3> Shown(const ProgressBar& bar) { return testing::ProgressShown(bar.ControlHwnd()); }

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

}  // namespace
}  // namespace vellumark::controls
