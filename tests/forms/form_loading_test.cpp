// The loading window: shown without a message loop, it must already be on
// the screen, painted, centred and showing its text, with the busy pointer.
#include "app/win32/form_loading.h"

#include "support/win32/unique_handle.h"
#include "support/win32/wide_string.h"
#include "tests/controls/dialog_driver.h"
#include "tests/controls/test_form.h"

#include <gtest/gtest.h>

namespace vellumark::testing {
namespace {

using gui::FormLoading;

// Pixels of the text colour the screen shows inside `window`.
int TextPixelsOnScreen(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  win32::WindowDc screen(nullptr);
  int count = 0;
  for (LONG y = r.top; y < r.bottom; ++y)
    for (LONG x = r.left; x < r.right; ++x) count += ::GetPixel(screen.get(), x, y) == ::GetSysColor(COLOR_BTNTEXT);
  return count;
}

RECT Bounds(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  EXPECT_NEAR(r.left + r.right, ::GetSystemMetrics(SM_CXSCREEN), 1);  // centred
  EXPECT_NEAR(r.top + r.bottom, ::GetSystemMetrics(SM_CYSCREEN), 1);
  return r;
}

TEST(FormLoading, ShowsItsTextsPaintedAndCentredOnTheScreenAtOnceAndClosesWhenGone) {
  HWND window = nullptr;
  {
    FormLoading loading;
    loading.SetText("Loading...");
    ASSERT_TRUE(loading.Show());
    window = loading.Hwnd();
    const HWND label = ::GetDlgItem(window, FormLoading::kLabelLoading);
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(TextOf(window), "");
    EXPECT_EQ(::GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION, WS_DLGFRAME);  // a frame, no caption bar
    EXPECT_EQ(TextOf(label), "Loading...");
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_WAIT));
    // Nothing is left to paint, and the text is on the screen.
    EXPECT_FALSE(::GetUpdateRect(window, nullptr, FALSE) || ::GetUpdateRect(label, nullptr, FALSE));
    EXPECT_GT(TextPixelsOnScreen(label), 20);
    const RECT before = Bounds(window);
    // A longer text shows at once, widens the window, which stays centred, and fits its label.
    const std::string longText = "Reading the favorites of a very large folder tree, please wait a moment...";
    loading.SetText(longText);
    EXPECT_EQ(TextOf(label), longText);
    EXPECT_FALSE(::GetUpdateRect(label, nullptr, FALSE));
    const RECT after = Bounds(window);
    EXPECT_GT(after.right - after.left, before.right - before.left);
    RECT client{};
    ::GetClientRect(label, &client);
    EXPECT_LE(controls::testing::TextWidth(label, win32::Widen(longText)), client.right);
  }
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
  FormLoading closed;
  ASSERT_TRUE(closed.Show());
  window = closed.Hwnd();
  closed.Close();
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace
}  // namespace vellumark::testing
