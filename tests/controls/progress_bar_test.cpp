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

TEST(ProgressBarRange, RefusesValuesOutsideTheRangePullsTheValueDownAndGoesBeyondSixteenBits) {
  TestForm form;
  ProgressBar bar({form.get(), {0, 0, 200, 20}});
  EXPECT_EQ(Shown(bar), (std::array{0, 100, 0}));
  bar.SetValue(40);
  bar.SetValue(101);
  bar.SetValue(-1);
  bar.SetMin(100);  // not below Max
  bar.SetMin(-1);
  bar.SetMax(0);    // not above Min
  EXPECT_EQ((std::array{bar.Min(), bar.Max(), bar.Value()}), (std::array{0, 100, 40}));
  EXPECT_EQ(Shown(bar), (std::array{0, 100, 40}));
  bar.SetMax(30);
  EXPECT_EQ(bar.Value(), 30);
  EXPECT_EQ(Shown(bar), (std::array{0, 30, 30}));
  bar.SetMax(100000);
  bar.SetValue(75000);
  EXPECT_EQ(Shown(bar), (std::array{0, 100000, 75000}));
}

TEST(ProgressBarWindow, RecreationKeepsRangePositionAndColour) {
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
  EXPECT_NE(bar.ControlHwnd(), before);
  EXPECT_FALSE(::IsWindow(before));
  const auto style = ::GetWindowLongPtrW(bar.ControlHwnd(), GWL_STYLE);
  EXPECT_EQ(style & (PBS_VERTICAL | PBS_SMOOTH), PBS_VERTICAL | PBS_SMOOTH);
  EXPECT_EQ(Shown(bar), (std::array{10, 70000, 65537}));
  EXPECT_EQ(::SendMessageW(bar.ControlHwnd(), PBM_GETBARCOLOR, 0, 0), 0x0000FF);
}

TEST(ProgressBarProperties, ReadRefusesWhatTheSetterRefusesAndWriteRoundTrips) {
  TestForm form;
  PropertyStore store;
  store.WriteNumber("Max", 200000);
  store.WriteNumber("Value", 300000);
  store.WriteColor("ForeColor", 0x00FF00);
  ProgressBar bar({form.get(), {0, 0, 200, 20}});
  std::vector<std::string> changed;
  bar.onPropertyChanged = [&](std::string_view key) { changed.emplace_back(key); };
  bar.ReadProperties(store);
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_EQ(Shown(bar)[2], 0);
  PropertyStore written;
  bar.WriteProperties(written);
  FormDescription form1;
  form1.Control("ProgressBar") = written;
  EXPECT_EQ(form1.ToText(),
            "[ProgressBar]\nAppearance = 0\nBorderStyle = 0\nForeColor = 0xFF00\nMax = 200000\nMin = 0\n"
            "Orientation = 0\nScrolling = 0\nValue = 0\n");
  bar.SetValue(5);
  bar.SetValue(-5);
  EXPECT_EQ(changed, std::vector<std::string>{"Value"});
}

TEST(StoredProperties, ValuesTheSettersRefuseLeaveTheDefaults) {
  const auto stored = FormDescription::Parse(
      "[Bar]\nMin = 50\nMax = 20\nValue = 70\n[Button]\nArrowStyle = 7\nCount = -1\n[Status]\nCount = -3\nStyle = 2\n");
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
  EXPECT_EQ((std::array{bar.Min(), bar.Max(), bar.Value(), button.ArrowStyle(), button.Count(), status.Count(),
                        status.Style()}),
            (std::array{0, 20, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Shown(bar), (std::array{0, 20, 0}));
}

}  // namespace
}  // namespace vellumark::controls
