// The designer under Wine: the item pages driven through the messages
// their inputs receive, the controls shown, and the file saved and read
// back.
#include "controls/dpi.h"
#include "designer/designer_window.h"
#include "support/file_services.h"
#include "tests/controls/dialog_driver.h"
#include "tests/controls/test_form.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <tuple>
#include <vector>

namespace vellumark::designer {
namespace {

using controls::pages::PropertyPage;
using controls::testing::StatusParts;
using controls::testing::StatusText;

void TypeInto(HWND edit, std::wstring_view text) {
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(std::wstring(text).c_str()));
}

// Moves a combo box's choice with the arrow keys, as a person would.
void Choose(HWND combo, int position) {
  const int current = static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
  for (int i = current; i != position; i += position > current ? 1 : -1)
    ::SendMessageW(combo, WM_KEYDOWN, position > current ? VK_DOWN : VK_UP, 0);
  ASSERT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), position);
}

class Designer : public ::testing::Test {
 protected:
  void OpenCopy(std::string_view text) {
    path_ = temp_.Write("vellumark.form", text);
    std::string error;
    ASSERT_TRUE(designer_.Open(path_, error)) << error;
  }
  PropertyPage& SelectPage(std::string_view name) {
    EXPECT_TRUE(designer_.Select(name));
    EXPECT_NE(designer_.Page(), nullptr);
    return *designer_.Page();
  }
  void Press(DesignerWindow::Command command) {
    ::SendMessageW(designer_.CommandButton(command), BM_CLICK, 0, 0);
    controls::testing::PumpMessages();
  }
  void ScrollRight(PropertyPage& page) {
    ::SendMessageW(page.Hwnd(), WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(page.Input("HScrollIndex")));
  }
  std::string Saved() const { return NativeFileServices().ReadFile(path_).value_or(""); }

  vellumark::testing::TempFolder temp_;
  DesignerWindow designer_{false};
  std::string path_;
};

TEST_F(Designer, PanelEditsShowAtOnceAreRefusedOutOfRangeAndAreSavedUnderTheirKeys) {
  OpenCopy(NativeFileServices().ReadFile(VELLUMARK_SOURCE_DIR "/app/forms/vellumark.form").value_or(""));
  PropertyPage& page = SelectPage("StatusBarVellumark");
  std::vector<std::string> refusals;
  page.onRefused = [&](const std::string& error) { refusals.push_back(error); };
  EXPECT_FALSE(::IsWindowEnabled(designer_.CommandButton(DesignerWindow::kApply)));
  TypeInto(page.Input("TextMinwidth"), L"0");
  ScrollRight(page);
  // It stays on the item with the refused edit, which is kept to be corrected.
  EXPECT_EQ(std::tuple(testing::TextOf(page.Input("TextIndex")), testing::TextOf(page.Input("TextMinwidth")),
                       ::GetScrollPos(page.Input("HScrollIndex"), SB_CTL)),
            std::tuple("0", "0", 0));
  EXPECT_EQ(refusals, std::vector<std::string>{"MinWidth must be a whole number from 1 to 32767."});
  EXPECT_EQ(designer_.Preview()->StatusBarOf("StatusBarVellumark")->PanelAt(0)->MinWidth(), 120);
  EXPECT_TRUE(::IsWindowEnabled(designer_.CommandButton(DesignerWindow::kApply)));
  TypeInto(page.Input("TextText"), L"Ready");
  TypeInto(page.Input("TextMinwidth"), L"80");
  Choose(page.Input("ComboAlignment"), 1);
  Choose(page.Input("ComboAutosize"), 0);
  ScrollRight(page);  // pending edits go to panel 0 before panel 1 is shown
  EXPECT_EQ(testing::TextOf(page.Input("TextIndex")), "1");
  ::SendMessageW(page.Input("CheckVisible"), BM_CLICK, 0, 0);
  Press(DesignerWindow::kApply);
  EXPECT_FALSE(page.Changed());

  const HWND bar = designer_.Preview()->StatusBarOf("StatusBarVellumark")->ControlHwnd();
  EXPECT_EQ(StatusText(bar, 0), L"\tReady");
  RECT client{};
  ::GetClientRect(bar, &client);
  // 80 less the 2 the first panel gives up; panel 1 hidden; the spring fills the rest.
  const int first = ::MulDiv(80, controls::DpiForWindow(bar), 96) - 2;
  EXPECT_EQ(StatusParts(bar), (std::vector<int>{first, first, static_cast<int>(client.right)}));
  EXPECT_TRUE(designer_.Modified());
  Press(DesignerWindow::kSave);
  EXPECT_FALSE(designer_.Modified());
  EXPECT_TRUE(Saved().starts_with("# The main window")) << "comments are kept";
  for (const char* saved : {"PanelAutoSize(0) = 0\n", "PanelMinWidth(0) = 80\n", "PanelAlignment(0) = 1\n",
                            "PanelText(0) = \"Ready\"\n", "PanelVisible(1) = False\n"})
    EXPECT_NE(Saved().find(saved), std::string::npos) << saved;
}

constexpr std::string_view kEmptyForm =
    "[FormEmpty]\nCaption = \"Empty\"\nClientWidth = 300\nClientHeight = 120\n"
    "[StatusBarEmpty]\nLeft = 0\nTop = 98\nWidth = 300\nHeight = 22\n";

TEST_F(Designer, ItemsAreAddedRemovedAndSavedUnlessTheFileIsReadOnly) {
  OpenCopy(kEmptyForm);
  PropertyPage& page = SelectPage("StatusBarEmpty");
  EXPECT_FALSE(::IsWindowEnabled(page.Input("TextText")));
  EXPECT_FALSE(::IsWindowEnabled(designer_.CommandButton(DesignerWindow::kRemove)));
  Press(DesignerWindow::kAdd);
  TypeInto(page.Input("TextText"), L"one");
  Press(DesignerWindow::kAdd);  // applies "one" first
  TypeInto(page.Input("TextText"), L"two");
  Press(DesignerWindow::kApply);
  const HWND bar = designer_.Preview()->StatusBarOf("StatusBarEmpty")->ControlHwnd();
  EXPECT_EQ(StatusParts(bar).size(), 2u);
  EXPECT_EQ(StatusText(bar, 1), L"two");
  ::SendMessageW(page.Hwnd(), WM_HSCROLL, SB_LEFT, reinterpret_cast<LPARAM>(page.Input("HScrollIndex")));
  Press(DesignerWindow::kRemove);
  EXPECT_EQ(testing::TextOf(page.Input("TextText")), "two");
  EXPECT_EQ(StatusText(bar, 0), L"two");

  ASSERT_TRUE(NativeFileServices().SetAttributes(path_, attribute::kReadOnly));
  std::string error;
  EXPECT_FALSE(designer_.Save(error));
  EXPECT_EQ(error, "The file " + path_ + " cannot be written.");
  EXPECT_EQ(Saved(), kEmptyForm);
  ASSERT_TRUE(NativeFileServices().SetAttributes(path_, 0));
  ASSERT_TRUE(designer_.Save(error)) << error;
  EXPECT_TRUE(Saved().ends_with("[StatusBarEmpty]\nLeft = 0\nTop = 98\nWidth = 300\nHeight = 22\nCount = 1\n"
                                "PanelText(0) = \"two\"\n"))
      << Saved();
}

TEST_F(Designer, UnreadableOrMalformedFilesAreRefused) {
  const std::pair<std::string, std::string> cases[] = {
      {"Z:\\no\\such\\file.form", "cannot be read"},
      {temp_.Write("broken.form", "[FormX]\nCaption \"no equals\"\n"), "line 2: missing '='"}};
  for (const auto& [path, expected] : cases) {
    std::string error;
    EXPECT_FALSE(designer_.Open(path, error));
    EXPECT_NE(error.find(expected), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace vellumark::designer
