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
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  win32::WindowDc screen(nullptr);
  const COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
  int count = 0;
  for (LONG y = bounds.top; y < bounds.bottom; ++y) {
    for (LONG x = bounds.left; x < bounds.right; ++x) count += ::GetPixel(screen.get(), x, y) == text;
  }
  return count;
}

TEST(FormLoading, ShowsItsTextsPaintedAndCentredOnTheScreenAtOnce) {
  FormLoading loading;
  loading.SetText("Loading...");
  ASSERT_TRUE(loading.Show());
  const HWND window = loading.Hwnd();
  const HWND label = ::GetDlgItem(window, FormLoading::kLabelLoading);
  EXPECT_TRUE(::IsWindowVisible(window));
  EXPECT_EQ(TextOf(window), "");
  EXPECT_EQ(::GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION, WS_DLGFRAME);  // a frame, no caption bar
  EXPECT_EQ(TextOf(label), "Loading...");
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_WAIT));

  // Nothing is left to paint, and the text is on the screen.
  EXPECT_FALSE(::GetUpdateRect(window, nullptr, FALSE));
  EXPECT_FALSE(::GetUpdateRect(label, nullptr, FALSE));
  EXPECT_GT(TextPixelsOnScreen(label), 20);

  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  EXPECT_NEAR(bounds.left + bounds.right, ::GetSystemMetrics(SM_CXSCREEN), 1);
  EXPECT_NEAR(bounds.top + bounds.bottom, ::GetSystemMetrics(SM_CYSCREEN), 1);

  // A longer text shows at once, widens the window, which stays centred, and fits its label.
  const std::string longText = "Reading the favorites of a very large folder tree, please wait a moment...";
  loading.SetText(longText);
  EXPECT_EQ(TextOf(label), longText);
  EXPECT_FALSE(::GetUpdateRect(label, nullptr, FALSE));
  RECT after{};
  ::GetWindowRect(window, &after);
  EXPECT_GT(after.right - after.left, bounds.right - bounds.left);
  EXPECT_NEAR(after.left + after.right, ::GetSystemMetrics(SM_CXSCREEN), 1);
  RECT client{};
  ::GetClientRect(label, &client);
  EXPECT_LE(controls::testing::TextWidth(label, win32::Widen(longText)), client.right);

  loading.Close();
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

TEST(FormLoading, GoingAwayClosesTheWindow) {
  HWND window = nullptr;
  {
    FormLoading loading;
    ASSERT_TRUE(loading.Show());
    window = loading.Hwnd();
    EXPECT_TRUE(::IsWindow(window));
  }
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace
}  // namespace vellumark::testing
