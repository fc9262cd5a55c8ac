#include "controls/gradient.h"
#include "controls/info_frame.h"
#include "tests/controls/test_form.h"

#include <gtest/gtest.h>

namespace vellumark::controls {
namespace {

using testing::PrintedClient;
using testing::TestForm;

TEST(GradientChannel, BlendsExactlyFromStartToEnd) {
  for (int p = 0; p <= 255; ++p) EXPECT_EQ(GradientChannel(0, 255, p, 255), p);
  EXPECT_EQ(GradientChannel(10, 100, 0, 0), 10);
  EXPECT_EQ(GradientChannel(200, -200, 1, 2), 100);
  EXPECT_EQ(GradientChannel(0, 1, 1, 2), 0);   // 0.5 rounds to even
  EXPECT_EQ(GradientChannel(0, 3, 1, 2), 2);   // 1.5 rounds to even
}

TEST(InfoFrameLayout, FillsTheFormWidthAtTheFixedHeightWhoeverSizesIt) {
  TestForm form(320, 200);
  InfoFrame frame({form.get(), {0, 0, 50, 10}});
  for (const bool resized : {false, true}) {
    if (resized) ::MoveWindow(frame.Hwnd(), 0, 0, 90, 20, TRUE);
    RECT client{};
    ::GetClientRect(frame.Hwnd(), &client);
    EXPECT_EQ(client.right, 320) << resized;
    EXPECT_EQ(client.bottom, InfoFrame::kHeight) << resized;
  }
}

TEST(InfoFramePainting, GradientFromBackColorToGradientColorAndTheEtchedLine) {
  TestForm form(255, 200);
  InfoFrame frame({form.get(), {0, 0, 255, 63}});
  frame.SetBackColor(0x000000);
  frame.SetGradientColor(0x0000FF);
  const PrintedClient printed(frame.Hwnd());
  // Column p of 255 has red p.
  for (int x : {0, 1, 100, 128, 254}) EXPECT_EQ(printed.Pixel(x, 5), RGB(x, 0, 0)) << x;
  EXPECT_EQ(printed.Pixel(10, 61), RGB(0x80, 0x80, 0x80));
  EXPECT_EQ(printed.Pixel(10, 62), RGB(0xFF, 0xFF, 0xFF));
}

TEST(InfoFramePainting, EqualColoursPaintThePlainBackground) {
  TestForm form(200, 200);
  InfoFrame frame({form.get(), {0, 0, 200, 63}});
  frame.SetBackColor(0x123456);
  frame.SetGradientColor(0x123456);
  frame.SetText("Vellumark");
  frame.SetForeColor(0xFFFFFF);
  const PrintedClient printed(frame.Hwnd());
  EXPECT_EQ(printed.Pixel(0, 5), 0x123456u);
  EXPECT_EQ(printed.Pixel(199, 5), 0x123456u);
  // The caption is drawn in ForeColor somewhere in its box.
  int captionPixels = 0;
  for (int y = 21; y < 42; ++y)
    for (int x = 56; x < 140; ++x) captionPixels += printed.Pixel(x, y) == 0xFFFFFFu;
  EXPECT_GT(captionPixels, 20);
}

TEST(InfoFrameEvents, ClickOnTheReleaseAndDoubleClick) {
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

TEST(InfoFrameProperties, WriteThenReadKeepsEverySetting) {
  TestForm form;
  InfoFrame first({form.get(), {0, 0, 400, 63}});
  first.SetText("Vellumark");
  first.SetGradientColor(0xFFFFFF);
  first.SetEnabled(false);
  PropertyStore store;
  first.WriteProperties(store);
  InfoFrame second({form.get(), {0, 70, 400, 133}});
  second.ReadProperties(store);
  PropertyStore again;
  second.WriteProperties(again);
  FormDescription a, b;
  a.Control("x") = store;
  b.Control("x") = again;
  EXPECT_EQ(a.ToText(), b.ToText());
  EXPECT_EQ(a.ToText(), "[x]\nBackColor = 0x796150\nEnabled = False\nForeColor = 0x0\nGradientColor = 0xFFFFFF\n"
                        "Icon = \"\"\nText = \"Vellumark\"\n");
  EXPECT_FALSE(::IsWindowEnabled(second.Hwnd()));
}

}  // namespace
}  // namespace vellumark::controls
