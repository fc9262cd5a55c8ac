#include "controls/host_window.h"
#include "controls/subclassing.h"
#include "support/win32/unique_handle.h"
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

TEST(Subclassing, SeesMessagesFirstAndHandsTheRestOn) {
  TestForm form;
  const auto window = MakeStatic(form.get());
  Subclassing subclassing;
  std::vector<UINT> seen;
  ASSERT_TRUE(subclassing.Create(window.get(), [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    seen.push_back(message);
    if (message == kProbe) return 42;
    return Subclassing::Default(hwnd, message, wParam, lParam);
  }));
  EXPECT_TRUE(subclassing.Active());
  EXPECT_EQ(subclassing.OwnerHwnd(), window.get());
  EXPECT_EQ(::SendMessageW(window.get(), kProbe, 0, 0), 42);
  wchar_t text[16] = {};
  ::SendMessageW(window.get(), WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"text");  // the static control's own handling still runs
  EXPECT_EQ(seen, (std::vector<UINT>{kProbe, WM_GETTEXT}));
}

LRESULT PassOn(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Subclassing::Default(hwnd, message, wParam, lParam);
}

TEST(Subclassing, SecondCreateIsRefusedDestroyRestoresAndADestroyedWindowEndsIt) {
  TestForm form;
  auto window = MakeStatic(form.get());
  Subclassing subclassing;
  int calls = 0;
  const auto counting = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ++calls;
    return PassOn(hwnd, message, wParam, lParam);
  };
  subclassing.Destroy();  // nothing to undo
  EXPECT_TRUE(subclassing.Create(window.get(), counting));
  EXPECT_FALSE(subclassing.Create(window.get(), counting));
  ::SendMessageW(window.get(), kProbe, 0, 0);
  EXPECT_EQ(calls, 1);  // installed once, not twice
  subclassing.Destroy();
  EXPECT_FALSE(subclassing.Active());
  ::SendMessageW(window.get(), kProbe, 0, 0);
  EXPECT_EQ(calls, 1);

  EXPECT_TRUE(subclassing.Create(window.get(), PassOn));
  window.reset();
  EXPECT_FALSE(subclassing.Active());
  const auto other = MakeStatic(form.get());
  EXPECT_TRUE(subclassing.Create(other.get(), PassOn));
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
