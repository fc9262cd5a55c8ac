#include "controls/host_window.h"
#include "controls/subclassing.h"
#include "support/win32/unique_handle.h"
#include "tests/controls/dialog_driver.h"
#include "tests/controls/test_form.h"

#include <gtest/gtest.h>

#include <vector>

namespace vellumark::controls {
namespace {

using testing::TestForm;

constexpr UINT kProbe = WM_USER + 7;

win32::UniqueWindow MakeStatic(HWND parent) {
  return win32::UniqueWindow(::CreateWindowExW(0, L"Static", L"text", WS_CHILD, 0, 0, 50, 20, parent, nullptr,
                                               ::GetModuleHandleW(nullptr), nullptr));
}

TEST(Subclassing, SeesMessagesFirstOnceUntilDestroyedOrTheWindowIsGone) {
  TestForm form;
  auto window = MakeStatic(form.get());
  Subclassing subclassing;
  std::vector<UINT> seen;
  const auto recording = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    seen.push_back(message);
    return message == kProbe ? 42 : Subclassing::Default(hwnd, message, wParam, lParam);
  };
  subclassing.Destroy();  // nothing to undo
  ASSERT_TRUE(subclassing.Create(window.get(), recording));
  EXPECT_FALSE(subclassing.Create(window.get(), recording));
  EXPECT_EQ(::SendMessageW(window.get(), kProbe, 0, 0), 42);
  EXPECT_EQ(vellumark::testing::TextOf(window.get()), "text");  // the static control's own handling still runs
  EXPECT_EQ(seen, (std::vector<UINT>{kProbe, WM_GETTEXTLENGTH, WM_GETTEXT}));  // installed once, not twice
  subclassing.Destroy();
  EXPECT_FALSE(subclassing.Active());
  EXPECT_EQ(::SendMessageW(window.get(), kProbe, 0, 0), 0);  // no longer seen first

  EXPECT_TRUE(subclassing.Create(window.get(), recording));
  window.reset();
  EXPECT_FALSE(subclassing.Active());
  const auto other = MakeStatic(form.get());
  EXPECT_TRUE(subclassing.Create(other.get(), recording));
}

// A window its object leaves to the base to destroy.
class LeftWindow : public HostWindow<LeftWindow> {
 public:
  static constexpr const wchar_t* kClassName = L"VellumarkTestLeftWindow";
  static constexpr UINT kClassStyle = 0;
  explicit LeftWindow(int& messages) : messages_(messages) { CreateHostWindow(nullptr, {0, 0, 10, 10}, WS_POPUP); }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    ++messages_;
    return DefaultHandling(message, wParam, lParam);
  }

 private:
  int& messages_;
};

TEST(HostWindow, AWindowOutlivingItsObjectNoLongerReachesIt) {
  int messages = 0;
  HWND window = nullptr;
  {
    const LeftWindow left(messages);
    window = left.Hwnd();
    messages = 0;
  }
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(messages, 0);
}

}  // namespace
}  // namespace vellumark::controls
