// The About window, shown modally and driven from inside its loop: what it
// shows, where, the address link's width and clicks, and the ways to close.
#include "app/win32/form_about.h"

#include "controls/dpi.h"
#include "controls/window_messages.h"
#include "support/win32/unique_handle.h"
#include "support/win32/wide_string.h"
#include "tests/controls/test_form.h"
#include "tests/controls/dialog_driver.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace vellumark::testing {
namespace {

using gui::FormAbout;

struct Opened {
  HWND owner;
  std::string address;
  bool operator==(const Opened&) const = default;
};

HWND Item(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }
HWND Link(HWND dialog) { return Item(dialog, FormAbout::kLabelWebsite); }
RECT PlaceOf(HWND control) {
  RECT bounds{};
  ::GetWindowRect(control, &bounds);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}
LONG Width(HWND control) { return PlaceOf(control).right - PlaceOf(control).left; }

class FormAboutTest : public ::testing::Test {
 protected:
  FormAboutTest() {
    about_.SetCaption("About Vellumark");
    about_.SetApplication("Vellumark 1.0");
    about_.SetCopyright("Copyright \xC2\xA9 2026 Tarnwell. All rights reserved.");
    about_.SetIcon2(::LoadIconW(nullptr, IDI_APPLICATION));
    about_.SetWebsite("https://tarnwell.example/vellumark");
    about_.openAddress = [this](HWND owner, std::string_view address) {
      opened_.push_back({owner, std::string(address)});
      cursorWhileOpening_ = ::GetCursor();
    };
  }

  void Run(std::vector<DialogDriver::Step> steps) {
    const DialogDriver driver(std::move(steps));
    about_.ShowModal(owner_.get());
    dialog_ = driver.Dialog();
  }

  controls::testing::TestForm owner_{500, 400};
  FormAbout about_;
  std::vector<Opened> opened_;
  HCURSOR cursorWhileOpening_ = nullptr;
  HWND dialog_ = nullptr;
};

TEST_F(FormAboutTest, ShowsItsPropertiesCentredOnItsOwnerFollowsADpiChangeAndClosesWithOK) {
  ::SetWindowPos(owner_.get(), nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ::ShowWindow(owner_.get(), SW_SHOWNOACTIVATE);
  Run({[this](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "About Vellumark");
    EXPECT_EQ(TextOf(Item(dialog, FormAbout::kLabelApplication)), "Vellumark 1.0");
    EXPECT_EQ(TextOf(Item(dialog, FormAbout::kLabelCopyright)), "Copyright \xC2\xA9 2026 Tarnwell. All rights reserved.");
    EXPECT_EQ(TextOf(Link(dialog)), "https://tarnwell.example/vellumark");
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(Item(dialog, FormAbout::kImageIcon), STM_GETICON, 0, 0)),
              about_.Icon2());
    EXPECT_EQ(::GetFocus(), Item(dialog, FormAbout::kCommandOK));
    EXPECT_EQ(LOWORD(::SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDOK);
    EXPECT_FALSE(::IsWindowEnabled(owner_.get()));
    RECT owner{}, window{};
    ::GetWindowRect(owner_.get(), &owner);
    ::GetWindowRect(dialog, &window);
    EXPECT_NEAR(window.left + window.right, owner.left + owner.right, 1);
    EXPECT_NEAR(window.top + window.bottom, owner.top + owner.bottom, 1);
    // OK stands below the frame of lines around the icon and the texts.
    EXPECT_GT(PlaceOf(Item(dialog, FormAbout::kCommandOK)).top, PlaceOf(Item(dialog, FormAbout::kLineBottom)).bottom);
    // A DPI change lays the window out again.
    constexpr int kDpi = 192;
    RECT suggested{};
    ::GetWindowRect(dialog, &suggested);
    ::SendMessageW(dialog, controls::kDpiChanged, MAKEWPARAM(kDpi, kDpi), reinterpret_cast<LPARAM>(&suggested));
    const RECT ok = PlaceOf(Item(dialog, FormAbout::kCommandOK));
    RECT client{};
    ::GetClientRect(dialog, &client);
    EXPECT_EQ((std::array{ok.right - ok.left, ok.bottom - ok.top, Width(Item(dialog, FormAbout::kImageIcon)),
                          client.right - ok.right, client.bottom - ok.bottom}),
              (std::array<LONG, 5>{controls::Scale(75, kDpi), controls::Scale(23, kDpi), controls::Scale(32, kDpi),
                                   controls::Scale(11, kDpi), controls::Scale(11, kDpi)}));
    EXPECT_EQ(Width(Link(dialog)), controls::testing::TextWidth(Link(dialog), L"https://tarnwell.example/vellumark"));
    Click(dialog, FormAbout::kCommandOK);
  }});
  EXPECT_TRUE(::IsWindowEnabled(owner_.get()));
  EXPECT_TRUE(opened_.empty());
}

TEST_F(FormAboutTest, OnlyTheAddressTextIsClickableAndAClickOpensIt) {
  const std::string address = "https://tarnwell.example/vellumark/downloads/latest";
  about_.SetWebsite(address);
  Run({[&](HWND dialog) {
    const RECT place = PlaceOf(Link(dialog));
    EXPECT_EQ(place.right - place.left, controls::testing::TextWidth(Link(dialog), win32::Widen(address)));
    EXPECT_NE(::ChildWindowFromPoint(dialog, POINT{place.right + 2, (place.top + place.bottom) / 2}), Link(dialog));
    Click(dialog, FormAbout::kLabelWebsite);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
    Click(dialog, FormAbout::kCommandOK);
  }});
  EXPECT_EQ(opened_, (std::vector<Opened>{{dialog_, address}}));
  EXPECT_EQ(cursorWhileOpening_, ::LoadCursorW(nullptr, IDC_WAIT));
}

TEST_F(FormAboutTest, SpaceOrEnterOnTheFocusedAddressOpensItAndEnterElsewhereEscapeOrTheCloseBoxClose) {
  Run({[](HWND dialog) {
         EXPECT_EQ(::GetNextDlgTabItem(dialog, Item(dialog, FormAbout::kCommandOK), FALSE), Link(dialog));
         ::SetFocus(Link(dialog));
         PressKey(Link(dialog), VK_SPACE);
       },
       [](HWND dialog) { PressKey(Link(dialog), VK_RETURN); },
       [](HWND dialog) {  // runs only while the dialog is still open
         ::SetFocus(Item(dialog, FormAbout::kCommandOK));
         PressKey(Item(dialog, FormAbout::kCommandOK), VK_RETURN);
       }});
  EXPECT_EQ(opened_, (std::vector<Opened>{{dialog_, "https://tarnwell.example/vellumark"},
                                          {dialog_, "https://tarnwell.example/vellumark"}}));
  // The driver fails a dialog still open after the last step.
  Run({[](HWND dialog) { PressKey(Item(dialog, FormAbout::kCommandOK), VK_ESCAPE); }});
  Run({[](HWND dialog) { ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }});
  EXPECT_EQ(opened_.size(), 2u);
}

TEST_F(FormAboutTest, AnEmptyAddressGivesALinkOfWidthZeroThatNothingReaches) {
  about_.SetWebsite("");
  Run({[](HWND dialog) {
    EXPECT_EQ(Width(Link(dialog)), 0);
    EXPECT_FALSE(::IsWindowEnabled(Link(dialog)));
    const HWND ok = Item(dialog, FormAbout::kCommandOK);
    EXPECT_EQ(::GetNextDlgTabItem(dialog, ok, FALSE), ok);
    Click(dialog, FormAbout::kLabelWebsite);
    Click(dialog, FormAbout::kCommandOK);
  }});
  EXPECT_TRUE(opened_.empty());
}

}  // namespace
}  // namespace vellumark::testing
