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

  static HWND Link(HWND dialog) { return ::GetDlgItem(dialog, FormAbout::kLabelWebsite); }

  static RECT PlaceOf(HWND control) {
    RECT bounds{};
    ::GetWindowRect(control, &bounds);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
  }

  controls::testing::TestForm owner_{500, 400};
  FormAbout about_;
  std::vector<Opened> opened_;
  HCURSOR cursorWhileOpening_ = nullptr;
  HWND dialog_ = nullptr;
};

TEST_F(FormAboutTest, ShowsItsPropertiesCentredOnItsOwnerAndClosesWithOK) {
  ::SetWindowPos(owner_.get(), nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ::ShowWindow(owner_.get(), SW_SHOWNOACTIVATE);
  Run({[this](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "About Vellumark");
    EXPECT_EQ(TextOf(::GetDlgItem(dialog, FormAbout::kLabelApplication)), "Vellumark 1.0");
    EXPECT_EQ(TextOf(::GetDlgItem(dialog, FormAbout::kLabelCopyright)),
              "Copyright \xC2\xA9 2026 Tarnwell. All rights reserved.");
    EXPECT_EQ(TextOf(Link(dialog)), "https://tarnwell.example/vellumark");
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(::GetDlgItem(dialog, FormAbout::kImageIcon), STM_GETICON, 0, 0)),
              about_.Icon2());
    EXPECT_EQ(TextOf(::GetDlgItem(dialog, FormAbout::kCommandOK)), "OK");
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, FormAbout::kCommandOK));
    EXPECT_EQ(LOWORD(::SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDOK);
    EXPECT_FALSE(::IsWindowEnabled(owner_.get()));

    RECT owner{};
    RECT window{};
    ::GetWindowRect(owner_.get(), &owner);
    ::GetWindowRect(dialog, &window);
    EXPECT_NEAR(window.left + window.right, owner.left + owner.right, 1);
    EXPECT_NEAR(window.top + window.bottom, owner.top + owner.bottom, 1);

    // The four lines frame the icon and the texts.
    const RECT top = PlaceOf(::GetDlgItem(dialog, FormAbout::kLineTop));
    const RECT bottom = PlaceOf(::GetDlgItem(dialog, FormAbout::kLineBottom));
    const RECT left = PlaceOf(::GetDlgItem(dialog, FormAbout::kLineLeft));
    const RECT right = PlaceOf(::GetDlgItem(dialog, FormAbout::kLineRight));
    EXPECT_EQ(left.left, top.left);
    EXPECT_EQ(right.right, top.right);
    EXPECT_EQ(left.bottom, bottom.bottom);
    for (const int id : {FormAbout::kImageIcon, FormAbout::kLabelApplication, FormAbout::kLabelCopyright,
                         FormAbout::kLabelWebsite}) {
      const RECT inner = PlaceOf(::GetDlgItem(dialog, id));
      EXPECT_GT(inner.left, left.right) << id;
      EXPECT_LT(inner.right, right.left) << id;
      EXPECT_GT(inner.top, top.bottom) << id;
      EXPECT_LT(inner.bottom, bottom.top) << id;
    }
    EXPECT_GT(PlaceOf(::GetDlgItem(dialog, FormAbout::kCommandOK)).top, bottom.bottom);

    Click(dialog, FormAbout::kCommandOK);
  }});
  EXPECT_TRUE(::IsWindowEnabled(owner_.get()));
  EXPECT_TRUE(opened_.empty());
}

TEST_F(FormAboutTest, OnlyTheAddressTextIsClickableAndAClickOpensIt) {
  for (const char* address : {"https://tarnwell.example/", "https://tarnwell.example/vellumark/downloads/latest"}) {
    about_.SetWebsite(address);
    Run({[&](HWND dialog) {
      const HWND link = Link(dialog);
      const RECT place = PlaceOf(link);
      EXPECT_EQ(place.right - place.left, controls::testing::TextWidth(link, win32::Widen(address)));
      POINT beyond{place.right + 2, (place.top + place.bottom) / 2};
      EXPECT_NE(::ChildWindowFromPoint(dialog, beyond), link);
      Click(dialog, FormAbout::kLabelWebsite);
      EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
      Click(dialog, FormAbout::kCommandOK);
    }});
    EXPECT_EQ(opened_.back(), (Opened{dialog_, address}));
    EXPECT_EQ(cursorWhileOpening_, ::LoadCursorW(nullptr, IDC_WAIT));
  }
  EXPECT_EQ(opened_.size(), 2u);
}

TEST_F(FormAboutTest, SpaceOrEnterOnTheFocusedAddressOpensItAndEnterElsewherePressesOK) {
  Run({[](HWND dialog) {
         EXPECT_EQ(::GetNextDlgTabItem(dialog, ::GetDlgItem(dialog, FormAbout::kCommandOK), FALSE), Link(dialog));
         ::SetFocus(Link(dialog));
         PressKey(Link(dialog), VK_SPACE);
       },
       [](HWND dialog) { PressKey(Link(dialog), VK_RETURN); },
       [](HWND dialog) {
         EXPECT_TRUE(::IsWindowVisible(dialog));
         ::SetFocus(::GetDlgItem(dialog, FormAbout::kCommandOK));
         PressKey(::GetDlgItem(dialog, FormAbout::kCommandOK), VK_RETURN);
       }});
  EXPECT_FALSE(::IsWindow(dialog_));
  EXPECT_EQ(opened_, (std::vector<Opened>{{dialog_, "https://tarnwell.example/vellumark"},
                                          {dialog_, "https://tarnwell.example/vellumark"}}));
}

TEST_F(FormAboutTest, AnEmptyAddressGivesALinkOfWidthZeroThatNothingReaches) {
  about_.SetWebsite("");
  Run({[](HWND dialog) {
    const RECT place = PlaceOf(Link(dialog));
    EXPECT_EQ(place.right - place.left, 0);
    EXPECT_FALSE(::IsWindowEnabled(Link(dialog)));
    const HWND ok = ::GetDlgItem(dialog, FormAbout::kCommandOK);
    EXPECT_EQ(::GetNextDlgTabItem(dialog, ok, FALSE), ok);
    Click(dialog, FormAbout::kLabelWebsite);
    Click(dialog, FormAbout::kCommandOK);
  }});
  EXPECT_TRUE(opened_.empty());
}

TEST_F(FormAboutTest, EscapeAndTheCloseBoxClose) {
  Run({[](HWND dialog) { PressKey(::GetDlgItem(dialog, FormAbout::kCommandOK), VK_ESCAPE); }});
  EXPECT_FALSE(::IsWindow(dialog_));
  Run({[](HWND dialog) { ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }});
  EXPECT_FALSE(::IsWindow(dialog_));
  EXPECT_TRUE(opened_.empty());
}

TEST_F(FormAboutTest, ADpiChangeLaysTheWindowOutAgain) {
  Run({[](HWND dialog) {
    constexpr int kNewDpi = 192;
    RECT suggested{};
    ::GetWindowRect(dialog, &suggested);
    ::SendMessageW(dialog, controls::kDpiChanged, MAKEWPARAM(kNewDpi, kNewDpi), reinterpret_cast<LPARAM>(&suggested));
    const RECT ok = PlaceOf(::GetDlgItem(dialog, FormAbout::kCommandOK));
    EXPECT_EQ(ok.right - ok.left, controls::Scale(75, kNewDpi));
    EXPECT_EQ(ok.bottom - ok.top, controls::Scale(23, kNewDpi));
    const RECT icon = PlaceOf(::GetDlgItem(dialog, FormAbout::kImageIcon));
    EXPECT_EQ(icon.right - icon.left, controls::Scale(32, kNewDpi));
    const RECT link = PlaceOf(Link(dialog));
    EXPECT_EQ(link.right - link.left, controls::testing::TextWidth(Link(dialog), L"https://tarnwell.example/vellumark"));
    RECT client{};
    ::GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, ok.right + controls::Scale(11, kNewDpi));
    EXPECT_EQ(client.bottom, ok.bottom + controls::Scale(11, kNewDpi));
    Click(dialog, FormAbout::kCommandOK);
  }});
}

}  // namespace
}  // namespace vellumark::testing
