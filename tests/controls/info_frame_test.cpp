#include "controls/gradient.h"
#include "controls/info_frame.h"
#include "tests/controls/test_form.h"

#include <gtest/gtest.h>

namespace vellumark::controls {
namespace {

using testing::PrintedPixel;
using testing::TestForm;

TEST(InfoFrame, GradientBlendsExactlyFromBackColorToGradientColorAboveTheEtchedLine) {
  for (int p = 0; p <= 255; ++p) EXPECT_EQ(GradientChannel(0, 255, p, 255), p);
  EXPECT_EQ(GradientChannel(10, 100, 0, 0), 10);
  EXPECT_EQ(GradientChannel(200, -200, 1, 2), 100);
  EXPECT_EQ(GradientChannel(0, 1, 1, 2), 0);  // 0.5 rounds to even
  EXPECT_EQ(GradientChannel(0, 3, 1, 2), 2);  // 1.5 rounds to even
  TestForm form(255, 200);
  InfoFrame frame({form.get(), {0, 0, 50, 10}});
  RECT client{};
  ::GetClientRect(frame.Hwnd(), &client);
  EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(255L, LONG{InfoFrame::kHeight})) << "fills the form";
  frame.SetBackColor(0x000000);
  frame.SetGradientColor(0x0000FF);
  for (int x : {0, 1, 128, 254}) EXPECT_EQ(PrintedPixel(frame.Hwnd(), x, 5), RGB(x, 0, 0)) << x;  // column p has red p
  EXPECT_EQ(PrintedPixel(frame.Hwnd(), 10, 61), RGB(0x80, 0x80, 0x80));
  EXPECT_EQ(PrintedPixel(frame.Hwnd(), 10, 62), RGB(0xFF, 0xFF, 0xFF));
  frame.SetBackColor(0x123456);
  frame.SetGradientColor(0x123456);
  EXPECT_EQ(PrintedPixel(frame.Hwnd(), 254, 5), 0x123456u) << "equal colours paint the plain background";
}

TEST(InfoFrame, ClickOnTheReleaseAndDoubleClick) {
  TestForm form;
  InfoFrame frame({form.get(), {0, 0, 400, 63}});
  std::vector<std::string> events;
  frame.onClick = [&] { events.push_back("click"); };
  frame.onDblClick = [&] { events.push_back("dbl"); };
  // A double click, then a press released outside the band.
  const std::pair<UINT, LPARAM> mouse[] = {{WM_LBUTTONDOWN, MAKELPARAM(20, 20)}, {WM_LBUTTONUP, MAKELPARAM(20, 20)},
                                           {WM_LBUTTONDBLCLK, MAKELPARAM(20, 20)}, {WM_LBUTTONUP, MAKELPARAM(20, 20)},
                                           {WM_LBUTTONDOWN, MAKELPARAM(20, 20)}, {WM_LBUTTONUP, MAKELPARAM(20, 90)}};
  for (const auto& [message, point] : mouse) {
    events.push_back(message == WM_LBUTTONUP ? "up" : "down");
    ::SendMessageW(frame.Hwnd(), message, MK_LBUTTON, point);
  }
  EXPECT_EQ(events, (std::vector<std::string>{"down", "up", "click", "down", "dbl", "up", "down", "up"}));
}

}  // namespace
}  // namespace vellumark::controls
