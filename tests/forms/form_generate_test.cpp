// The Generate options dialog, shown modally over a hidden owner and driven
// from inside its loop: what it shows on opening, the order of its checks
// and messages, what it stores, its keys and its layout.
#include "app/win32/form_generate.h"

#include "controls/dpi.h"
#include "controls/window_messages.h"
#include "runner/site_settings.h"
#include "tests/controls/test_form.h"
#include "tests/controls/dialog_driver.h"
#include "tests/support/settings_sandbox.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <string>
#include <vector>

namespace vellumark::testing {
namespace {

using Form = FormGenerate;

// A message box as the dialog asked for it.
struct Shown {
  HWND owner;
  std::string text;
  bool operator==(const Shown&) const = default;
};

HWND Item(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }
void SetText(HWND dialog, int id, const wchar_t* text) { ::SetDlgItemTextW(dialog, id, text); }
void Select(HWND dialog, const wchar_t* entry) {
  ::SendMessageW(Item(dialog, Form::kComboTemplate), CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(entry));
}
DWORD Selection(HWND edit) { return static_cast<DWORD>(::SendMessageW(edit, EM_GETSEL, 0, 0)); }
LRESULT Current(HWND dialog) { return ::SendMessageW(Item(dialog, Form::kComboTemplate), CB_GETCURSEL, 0, 0); }
void Cancel(HWND dialog) { Click(dialog, Form::kCommandCancel); }

std::vector<std::string> Entries(HWND dialog) {
  std::vector<std::string> entries;
  for (LRESULT i = 0; i < ::SendMessageW(Item(dialog, Form::kComboTemplate), CB_GETCOUNT, 0, 0); ++i) {
    wchar_t text[64] = {};
    ::SendMessageW(Item(dialog, Form::kComboTemplate), CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
    entries.push_back(win32::Narrow(text));
  }
  return entries;
}

class FormGenerateTest : public ::testing::Test {
 protected:
  FormGenerateTest() {
    for (const std::string set : {"Plain", "Fancy", "Broken"})
      for (std::string_view file : Templates::kFiles)
        if (set != "Broken" || file != "footer.html") temp_.Write("Templates/" + set + "/" + std::string(file), "x");
    settings_.SetInterval(7);
    settings_.SetUpdated("before");
    settings_.SetTemplate("Plain");
  }

  // Shows the dialog, runs `steps` in it and returns OK.
  bool Run(std::vector<DialogDriver::Step> steps, const Templates* templates = nullptr) {
    Form form(settings_, templates != nullptr ? *templates : templates_,
              [this](HWND owner, std::string_view text) { shown_.push_back({owner, std::string(text)}); });
    const DialogDriver driver(std::move(steps));
    const bool ok = form.ShowModal(owner_.get());
    dialog_ = driver.Dialog();
    return ok;
  }

  // Interval, Updated and Template as stored.
  std::tuple<int, std::string, std::string> Stored() const {
    return {settings_.Interval(), settings_.Updated(), settings_.Template()};
  }

  KeptValues kept_{AppEx().RegistryKey(), {"Interval", "Template", "Updated"}};
  TempFolder temp_;
  Templates templates_{temp_ / ""};
  Settings settings_{CompleteSetCheck(templates_)};
  controls::testing::TestForm owner_;
  std::vector<Shown> shown_;
  HWND dialog_ = nullptr;
};

TEST_F(FormGenerateTest, OpensFilledFromTheSettingsWithTheCompleteSetsAndAnIncompleteSetUnselected) {
  settings_.SetTemplate("fANCY");
  EXPECT_FALSE(Run({[this](HWND dialog) {
                      EXPECT_EQ(TextOf(dialog), "Generate");
                      EXPECT_EQ(TextOf(Item(dialog, Form::kTextInterval)), "7");
                      EXPECT_EQ(TextOf(Item(dialog, Form::kTextUpdated)), "before");
                      EXPECT_EQ(Entries(dialog), (std::vector<std::string>{"Fancy", "Plain"}));
                      EXPECT_EQ(Current(dialog), 0);
                      EXPECT_EQ(::GetFocus(), Item(dialog, Form::kTextInterval));
                      EXPECT_EQ(::GetWindow(dialog, GW_OWNER), owner_.get());
                    },
                    Cancel}));
  settings_.SetTemplate("Broken");
  EXPECT_FALSE(Run({[](HWND dialog) {
                      EXPECT_EQ(Current(dialog), CB_ERR);
                      Click(dialog, Form::kCommandOK);
                      EXPECT_EQ(::GetFocus(), Item(dialog, Form::kComboTemplate));
                    },
                    Cancel}));
  EXPECT_EQ(shown_, (std::vector<Shown>{{dialog_, "Please select a template"}}));
}

// No template is chosen either: the interval is the one reported.
TEST_F(FormGenerateTest, TheIntervalIsCheckedFirstAndSelectedForCorrectionThenAllThreeAreStored) {
  settings_.SetTemplate("");
  EXPECT_TRUE(Run({[](HWND dialog) {
                     SetText(dialog, Form::kTextInterval, L"1001");
                     Click(dialog, Form::kCommandOK);
                     EXPECT_EQ(::GetFocus(), Item(dialog, Form::kTextInterval));
                     EXPECT_EQ(Selection(Item(dialog, Form::kTextInterval)), static_cast<DWORD>(MAKELONG(0, 4)));
                   },
                   [](HWND dialog) {
                     SetText(dialog, Form::kTextInterval, L"1000");
                     SetText(dialog, Form::kTextUpdated, L"Mai 2026 \u00e9t\u00e9");
                     Select(dialog, L"Fancy");
                     Click(dialog, Form::kCommandOK);
                   }}));
  EXPECT_EQ(shown_, (std::vector<Shown>{{dialog_, "Invalid interval"}}));
  EXPECT_EQ(Stored(), std::tuple(1000, "Mai 2026 \xC3\xA9t\xC3\xA9", "Fancy"));
}

TEST_F(FormGenerateTest, EnterStoresAndCancelEscapeAndTheCloseBoxStoreNothing) {
  const std::pair<WPARAM, UINT> closers[] = {{0, 0}, {VK_ESCAPE, 0}, {0, SC_CLOSE}};
  for (const auto& [key, command] : closers) {
    EXPECT_FALSE(Run({[&](HWND dialog) {
      SetText(dialog, Form::kTextInterval, L"30");
      SetText(dialog, Form::kTextUpdated, L"changed");
      Select(dialog, L"Fancy");
      if (key != 0) PressKey(Item(dialog, Form::kTextUpdated), key);
      else if (command != 0) ::PostMessageW(dialog, WM_SYSCOMMAND, command, 0);
      else Cancel(dialog);
    }}));
    EXPECT_EQ(Stored(), std::tuple(7, "before", "Plain")) << key << " " << command;
  }
  EXPECT_TRUE(Run({[](HWND dialog) {
    SetText(dialog, Form::kTextInterval, L"0");
    SetText(dialog, Form::kTextUpdated, L"");
    PressKey(Item(dialog, Form::kTextUpdated), VK_RETURN);
  }}));
  EXPECT_TRUE(shown_.empty());
  EXPECT_EQ(Stored(), std::tuple(0, "", "Plain"));
}

TEST_F(FormGenerateTest, TheIntervalTakesDigitsOnlyAndFocusByTabSelectsTheWholeText) {
  EXPECT_FALSE(Run({[](HWND dialog) {
    const HWND interval = Item(dialog, Form::kTextInterval), updated = Item(dialog, Form::kTextUpdated);
    SetText(dialog, Form::kTextInterval, L"");
    for (const wchar_t typed : {L'4', L'x', L'-', L'2', L' '}) ::SendMessageW(interval, WM_CHAR, typed, 1);
    EXPECT_EQ(TextOf(interval), "42");
    ::SendMessageW(updated, WM_CHAR, L'x', 1);
    ::SendMessageW(updated, EM_SETSEL, 2, 2);
    BYTE keys[256] = {};
    keys[VK_TAB] = 0x80;  // Tab held while the focus moves
    ::SetKeyboardState(keys);
    ::SetFocus(updated);
    keys[VK_TAB] = 0;
    ::SetKeyboardState(keys);
    EXPECT_EQ(Selection(updated), static_cast<DWORD>(MAKELONG(0, 7)));
    ::SendMessageW(interval, EM_SETSEL, 1, 1);
    ::SetFocus(interval);
    EXPECT_EQ(Selection(interval), static_cast<DWORD>(MAKELONG(1, 1)));
    Cancel(dialog);
  }}));
}

TEST_F(FormGenerateTest, ATemplatesFolderThatCannotBeListedIsReportedAndTheDialogStillOpens) {
  temp_.Write("program/Templates", "");  // a file where the templates folder should be
  const Templates unlisted(temp_ / "program/");
  EXPECT_FALSE(Run({[](HWND dialog) {
                      EXPECT_TRUE(Entries(dialog).empty());
                      Click(dialog, Form::kCommandOK);
                    },
                    Cancel},
                   &unlisted));
  EXPECT_EQ(shown_, (std::vector<Shown>{{owner_.get(), "Error enumerating templates"},
                                        {dialog_, "Please select a template"}}));
  EXPECT_EQ(Stored(), std::tuple(7, "before", "Plain"));  // a refused OK stores nothing
}

// Where each control stands (twips) and the font, as shown and after a DPI change.
void ExpectLayout(HWND dialog, int dpi, int fontSlack) {
  const auto px = [dpi](int twips) { return ::MulDiv(twips, dpi, 1440); };
  RECT client{};
  ::GetClientRect(dialog, &client);
  EXPECT_EQ((std::array{client.right, client.bottom}), (std::array<LONG, 2>{px(6015), px(1230)})) << dpi;
  const std::array<int, 5> places[] = {{Form::kTextInterval, 1080, 120, 495, 285},
                                       {Form::kTextUpdated, 1080, 480, 3375, 285},
                                       {Form::kComboTemplate, 1080, 825, 2295, 315},
                                       {Form::kCommandOK, 4680, 120, 1215, 375},
                                       {Form::kCommandCancel, 4680, 600, 1215, 375},
                                       {Form::kLabelUpdated, 120, 525, 855, 255}};
  for (const auto& [id, left, top, width, height] : places) {
    RECT r{};
    ::GetWindowRect(Item(dialog, id), &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ((std::array{r.left, r.top, r.right - r.left, r.bottom - r.top}),
              (std::array<LONG, 4>{px(left), px(top), px(width), px(height)}))
        << id << " at " << dpi;
  }
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW used{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(Item(dialog, Form::kLabelInterval), WM_GETFONT, 0, 0)),
               sizeof used, &used);
  EXPECT_EQ(std::wstring(used.lfFaceName), std::wstring(metrics.lfMessageFont.lfFaceName));
  win32::WindowDc screen(nullptr);
  EXPECT_NEAR(used.lfHeight, ::MulDiv(metrics.lfMessageFont.lfHeight, dpi, ::GetDeviceCaps(screen.get(), LOGPIXELSY)),
              fontSlack);
}

TEST_F(FormGenerateTest, ControlsStandInTwipsInTabOrderAndFollowADpiChange) {
  EXPECT_FALSE(Run({[](HWND dialog) {
    ExpectLayout(dialog, controls::DpiForWindow(dialog), 0);
    std::vector<int> order;
    HWND control = Item(dialog, Form::kTextInterval);
    for (int i = 0; i < 5; ++i) order.push_back(::GetDlgCtrlID(control = ::GetNextDlgTabItem(dialog, control, FALSE)));
    EXPECT_EQ(order, (std::vector<int>{Form::kTextUpdated, Form::kComboTemplate, Form::kCommandOK,
                                       Form::kCommandCancel, Form::kTextInterval}));
    EXPECT_EQ(LOWORD(::SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDOK);
    RECT suggested{};
    ::GetWindowRect(dialog, &suggested);
    ::SendMessageW(dialog, controls::kDpiChanged, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    // The system may scale its font from points: a pixel of rounding.
    ExpectLayout(dialog, 192, 1);
    Cancel(dialog);
  }}));
}

}  // namespace
}  // namespace vellumark::testing
