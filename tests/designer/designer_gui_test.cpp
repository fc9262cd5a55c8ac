// The designer under Wine: the item pages driven through the messages
// their inputs receive, the controls shown, and the file saved and read
// back.
#include "controls/dpi.h"
#include "designer/designer_window.h"
#include "support/file_services.h"
#include "support/win32/wide_string.h"
#include "tests/controls/dialog_driver.h"
#include "tests/controls/test_form.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace vellumark::designer {
namespace {

using controls::pages::PropertyPage;

using controls::testing::MenuEntries;
using controls::testing::PumpMessages;
using Parts = std::vector<int>;

std::string MainForm() {
  const auto text = NativeFileServices().ReadFile(VELLUMARK_SOURCE_DIR "/app/forms/vellumark.form");
  EXPECT_TRUE(text.has_value());
  return text.value_or("");
}

// What a person does in the page's inputs: replaces an edit's text,
// chooses a combo entry with the keyboard, clicks a check box.
void TypeInto(HWND edit, std::wstring_view text) {
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(std::wstring(text).c_str()));
}

void Choose(HWND combo, int position) {
  const int current = static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
  const WPARAM key = position > current ? VK_DOWN : VK_UP;
  for (int i = current; i != position; i += position > current ? 1 : -1) {
    ::SendMessageW(combo, WM_KEYDOWN, key, 0);
    ::SendMessageW(combo, WM_KEYUP, key, 0);
  }
  ASSERT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), position);
}

void Click(HWND button) {
  ::SendMessageW(button, BM_CLICK, 0, 0);
  PumpMessages();
}

void ScrollRight(PropertyPage& page) {
  ::SendMessageW(page.Hwnd(), WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(page.Input("HScrollIndex")));
}

std::wstring TextOf(HWND window) { return win32::Widen(vellumark::testing::TextOf(window)); }
std::wstring PartText(HWND bar, int part) { return controls::testing::StatusText(bar, part); }
Parts PartsOf(HWND bar) { return controls::testing::StatusParts(bar); }

class Designer : public ::testing::Test {
 protected:
  void OpenCopy(std::string_view text) {
    path_ = temp_.Write("vellumark.form", text);
    std::string error;
    ASSERT_TRUE(designer_.Open(path_, error)) << error;
  }
  PropertyPage& SelectPage(std::string_view name) {
    EXPECT_TRUE(designer_.Select(name));
    PropertyPage* page = designer_.Page();
    EXPECT_NE(page, nullptr);
    return *page;
  }

  vellumark::testing::TempFolder temp_;
  DesignerWindow designer_{false};
  std::string path_;
};

TEST_F(Designer, PanelEditsShowAtOnceAndAreSavedUnderTheirKeys) {
  OpenCopy(MainForm());
  PropertyPage& page = SelectPage("StatusBarVellumark");
  EXPECT_EQ(page.Kind(), controls::pages::PageKind::kPanels);
  EXPECT_EQ(TextOf(page.Input("TextIndex")), L"0");
  EXPECT_EQ(TextOf(page.Input("TextMinwidth")), L"120");
  EXPECT_FALSE(::IsWindowEnabled(designer_.CommandButton(DesignerWindow::kApply)));
  int low = -1;
  int high = -1;
  ::GetScrollRange(page.Input("HScrollIndex"), SB_CTL, &low, &high);
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 2);
  wchar_t entry[64] = {};
  ::SendMessageW(page.Input("ComboBevel"), CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(entry));
  EXPECT_STREQ(entry, L"2 - sbrRaised");

  TypeInto(page.Input("TextText"), L"Ready");
  EXPECT_TRUE(page.Changed());
  EXPECT_TRUE(::IsWindowEnabled(designer_.CommandButton(DesignerWindow::kApply)));
  TypeInto(page.Input("TextMinwidth"), L"80");
  Choose(page.Input("ComboAlignment"), 1);
  Choose(page.Input("ComboAutosize"), 0);
  Click(designer_.CommandButton(DesignerWindow::kApply));
  EXPECT_FALSE(page.Changed());

  ScrollRight(page);
  EXPECT_EQ(TextOf(page.Input("TextIndex")), L"1");
  EXPECT_EQ(::SendMessageW(page.Input("CheckVisible"), BM_GETCHECK, 0, 0), BST_CHECKED);
  Click(page.Input("CheckVisible"));
  EXPECT_TRUE(page.Changed());
  Click(designer_.CommandButton(DesignerWindow::kApply));

  const HWND bar = designer_.Preview()->StatusBarOf("StatusBarVellumark")->ControlHwnd();
  EXPECT_EQ(PartText(bar, 0), L"\tReady");
  RECT client{};
  ::GetClientRect(bar, &client);
  // 80 less the 2 the first panel gives up; panel 1 hidden; the spring fills the rest.
  const int first = ::MulDiv(80, controls::DpiForWindow(bar), 96) - 2;
  EXPECT_EQ(PartsOf(bar), (Parts{first, first, static_cast<int>(client.right)}));
  EXPECT_TRUE(designer_.Modified());

  Click(designer_.CommandButton(DesignerWindow::kSave));
  EXPECT_FALSE(designer_.Modified());
  const auto saved = NativeFileServices().ReadFile(path_);
  ASSERT_TRUE(saved.has_value());
  EXPECT_TRUE(saved->starts_with("# The main window")) << "comments are kept";
  // The saved file (its keys are pinned where items are stored) shows the
  // same bar when it is opened again.
  DesignerWindow reopened(false);
  std::string error;
  ASSERT_TRUE(reopened.Open(path_, error)) << error;
  const HWND again = reopened.Preview()->StatusBarOf("StatusBarVellumark")->ControlHwnd();
  EXPECT_EQ(PartText(again, 0), L"\tReady");
  EXPECT_EQ(PartsOf(again), PartsOf(bar));
}

TEST_F(Designer, PopupAndSystemMenuEntriesReachTheMenus) {
  OpenCopy(MainForm());
  PropertyPage& popup = SelectPage("DropDownButtonProcess");
  EXPECT_EQ(popup.Kind(), controls::pages::PageKind::kPopupMenuItems);
  EXPECT_EQ(::SendMessageW(popup.Input("ComboStyle"), CB_GETCOUNT, 0, 0), 2);
  TypeInto(popup.Input("TextText"), L"Check links");
  Click(designer_.CommandButton(DesignerWindow::kApply));
  ScrollRight(popup);
  EXPECT_EQ(TextOf(popup.Input("TextText")), L"Clean");
  Choose(popup.Input("ComboStyle"), 1);
  Click(popup.Input("CheckChecked"));
  Click(designer_.CommandButton(DesignerWindow::kApply));

  const auto menu = MenuEntries(designer_.Preview()->DropDownButtonOf("DropDownButtonProcess")->BuildPopupMenu().get());
  ASSERT_EQ(menu.size(), 6u);
  EXPECT_EQ(menu[0].text, L"Check links");
  EXPECT_NE(menu[1].type & MFT_SEPARATOR, 0u);
  EXPECT_EQ(menu[2].text, L"Convert");

  PropertyPage& system = SelectPage("SystemMenuVellumark");
  EXPECT_EQ(system.Kind(), controls::pages::PageKind::kSystemMenuItems);
  EXPECT_EQ(TextOf(system.Input("TextText")), L"");
  EXPECT_EQ(::SendMessageW(system.Input("ComboStyle"), CB_GETCURSEL, 0, 0), 1);
  ScrollRight(system);
  EXPECT_EQ(TextOf(system.Input("TextText")), L"&About Vellumark...");
  TypeInto(system.Input("TextText"), L"&About...");
  Click(designer_.CommandButton(DesignerWindow::kApply));
  const auto systemMenu = MenuEntries(::GetSystemMenu(designer_.Preview()->Hwnd(), FALSE));
  ASSERT_GE(systemMenu.size(), 2u);
  EXPECT_EQ(systemMenu.back().text, L"&About...");
  EXPECT_NE(systemMenu[systemMenu.size() - 2].type & MFT_SEPARATOR, 0u);

  std::string error;
  ASSERT_TRUE(designer_.Save(error)) << error;
  const auto form = controls::FormDescription::Parse(NativeFileServices().ReadFile(path_).value_or(""));
  ASSERT_TRUE(form.has_value());
  const controls::PropertyStore& button = *form->Find("DropDownButtonProcess");
  EXPECT_EQ(button.ReadText("PopupMenuItemText(0)", ""), "Check links");
  EXPECT_EQ(button.ReadNumber("PopupMenuItemStyle(1)", 0), 1);
  EXPECT_TRUE(button.ReadBool("PopupMenuItemChecked(1)", false));
  EXPECT_EQ(button.ReadText("PopupMenuItemText(4)", ""), "Statistics");
  EXPECT_EQ(form->Find("SystemMenuVellumark")->ReadText("SystemMenuItemText(1)", ""), "&About...");
}

constexpr std::string_view kEmptyForm =
    "[FormEmpty]\nCaption = \"Empty\"\nClientWidth = 300\nClientHeight = 120\n"
    "[DropDownButtonEmpty]\nLeft = 8\nTop = 8\nWidth = 100\nHeight = 26\nText = \"&Nothing\"\n"
    "[StatusBarEmpty]\nLeft = 0\nTop = 98\nWidth = 300\nHeight = 22\n"
    "[SystemMenuEmpty]\n";

TEST_F(Designer, ControlWithoutItemsDisablesEveryInput) {
  OpenCopy(kEmptyForm);
  for (const char* name : {"StatusBarEmpty", "SystemMenuEmpty", "DropDownButtonEmpty"}) {
    PropertyPage& page = SelectPage(name);
    const auto inputs = controls::pages::PageInputs(page.Kind());
    std::vector<HWND> windows{page.Input("TextIndex")};
    for (const auto& input : inputs) windows.push_back(page.Input(input.name));
    const COLORREF expected = ::GetSysColor(COLOR_SCROLLBAR);
    for (HWND window : windows) {
      EXPECT_FALSE(::IsWindowEnabled(window)) << name;
      const HDC dc = ::GetDC(window);
      const auto brush = reinterpret_cast<HBRUSH>(
          ::SendMessageW(page.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
      LOGBRUSH description{};
      ASSERT_NE(::GetObjectW(brush, sizeof description, &description), 0) << name;
      EXPECT_EQ(description.lbColor, expected) << name;
      EXPECT_EQ(::GetBkColor(dc), expected) << name;
      ::ReleaseDC(window, dc);
    }
    EXPECT_FALSE(::IsWindowEnabled(designer_.CommandButton(DesignerWindow::kRemove)));
    EXPECT_TRUE(::IsWindowEnabled(designer_.CommandButton(DesignerWindow::kAdd)));
  }
}

TEST_F(Designer, ItemsAreAddedAndRemoved) {
  OpenCopy(kEmptyForm);
  PropertyPage& page = SelectPage("StatusBarEmpty");
  Click(designer_.CommandButton(DesignerWindow::kAdd));
  EXPECT_TRUE(::IsWindowEnabled(page.Input("TextText")));
  TypeInto(page.Input("TextText"), L"one");
  Click(designer_.CommandButton(DesignerWindow::kAdd));  // applies "one" first
  TypeInto(page.Input("TextText"), L"two");
  Click(designer_.CommandButton(DesignerWindow::kApply));
  const HWND bar = designer_.Preview()->StatusBarOf("StatusBarEmpty")->ControlHwnd();
  EXPECT_EQ(PartsOf(bar).size(), 2u);
  EXPECT_EQ(PartText(bar, 0), L"one");
  EXPECT_EQ(PartText(bar, 1), L"two");

  ::SendMessageW(page.Hwnd(), WM_HSCROLL, SB_LEFT, reinterpret_cast<LPARAM>(page.Input("HScrollIndex")));
  Click(designer_.CommandButton(DesignerWindow::kRemove));
  EXPECT_EQ(TextOf(page.Input("TextText")), L"two");
  EXPECT_EQ(PartText(bar, 0), L"two");
  std::string error;
  ASSERT_TRUE(designer_.Save(error)) << error;
  const auto saved = NativeFileServices().ReadFile(path_).value_or("");
  EXPECT_NE(saved.find("[StatusBarEmpty]\nLeft = 0\nTop = 98\nWidth = 300\nHeight = 22\nCount = 1\n"
                       "PanelText(0) = \"two\"\n"),
            std::string::npos)
      << saved;
  EXPECT_EQ(saved.find("PanelText(1)"), std::string::npos);

  Click(designer_.CommandButton(DesignerWindow::kRemove));
  EXPECT_FALSE(::IsWindowEnabled(page.Input("TextText")));
  EXPECT_FALSE(::IsWindowEnabled(designer_.CommandButton(DesignerWindow::kRemove)));
}

TEST_F(Designer, AReadOnlyFormDescriptionIsNotOverwritten) {
  OpenCopy(kEmptyForm);
  SelectPage("StatusBarEmpty");
  Click(designer_.CommandButton(DesignerWindow::kAdd));
  ASSERT_TRUE(NativeFileServices().SetAttributes(path_, attribute::kReadOnly));
  std::string error;
  EXPECT_FALSE(designer_.Save(error));
  EXPECT_EQ(error, "The file " + path_ + " cannot be written.");
  EXPECT_EQ(NativeFileServices().ReadFile(path_).value_or(""), kEmptyForm);
  ASSERT_TRUE(NativeFileServices().SetAttributes(path_, 0));
  ASSERT_TRUE(designer_.Save(error)) << error;
  EXPECT_NE(NativeFileServices().ReadFile(path_).value_or("").find("Count = 1"), std::string::npos);
}

TEST_F(Designer, RefusedMinWidthKeepsThePanelAndTheEdits) {
  OpenCopy(MainForm());
  PropertyPage& page = SelectPage("StatusBarVellumark");
  std::vector<std::string> refusals;
  page.onRefused = [&](const std::string& error) { refusals.push_back(error); };
  TypeInto(page.Input("TextMinwidth"), L"0");
  std::string error;
  EXPECT_FALSE(page.Apply(error));
  EXPECT_EQ(error, "MinWidth must be a whole number from 1 to 32767.");
  EXPECT_TRUE(page.Changed());
  ScrollRight(page);
  EXPECT_EQ(TextOf(page.Input("TextIndex")), L"0") << "stays on the item with the refused edit";
  EXPECT_EQ(refusals, std::vector<std::string>{"MinWidth must be a whole number from 1 to 32767."});
  EXPECT_EQ(designer_.Preview()->StatusBarOf("StatusBarVellumark")->PanelAt(0)->MinWidth(), 120);

  TypeInto(page.Input("TextMinwidth"), L"90");
  ScrollRight(page);  // pending edits go to panel 0 before panel 1 is shown
  EXPECT_EQ(TextOf(page.Input("TextIndex")), L"1");
  EXPECT_EQ(designer_.Preview()->StatusBarOf("StatusBarVellumark")->PanelAt(0)->MinWidth(), 90);
}

TEST_F(Designer, ClickingAControlSelectsTheSmallestUnderThePointer) {
  OpenCopy(MainForm());
  const HWND preview = designer_.Preview()->Hwnd();
  const auto clickOn = [&](std::string_view name) {
    RECT rect{};
    ::GetWindowRect(designer_.Preview()->WindowOf(name), &rect);
    ::MapWindowPoints(nullptr, preview, reinterpret_cast<POINT*>(&rect), 2);
    ::SendMessageW(preview, WM_PARENTNOTIFY, WM_LBUTTONDOWN,
                   MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
  };
  clickOn("StatusBarVellumark");
  EXPECT_EQ(designer_.Selection(), "StatusBarVellumark");
  ASSERT_NE(designer_.Page(), nullptr);
  EXPECT_EQ(designer_.Page()->Kind(), controls::pages::PageKind::kPanels);
  clickOn("ListFoldersFolders");  // inside the Folders frame
  EXPECT_EQ(designer_.Selection(), "ListFoldersFolders");
  EXPECT_EQ(designer_.Page(), nullptr);
  EXPECT_EQ(::SendMessageW(designer_.ControlList(), LB_GETCURSEL, 0, 0), 3);
}

TEST_F(Designer, PreviewStaysWhenItsCloseCommandIsChosen) {
  OpenCopy(MainForm());
  const HWND preview = designer_.Preview()->Hwnd();
  ::SendMessageW(preview, WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpMessages();
  EXPECT_TRUE(::IsWindow(preview));
  EXPECT_TRUE(::IsWindow(designer_.Preview()->WindowOf("StatusBarVellumark")));
}

TEST_F(Designer, UnreadableOrMalformedFilesAreRefused) {
  std::string error;
  EXPECT_FALSE(designer_.Open("Z:\\no\\such\\file.form", error));
  EXPECT_NE(error.find("cannot be read"), std::string::npos);
  const std::string broken = temp_.Write("broken.form", "[FormX]\nCaption \"no equals\"\n");
  EXPECT_FALSE(designer_.Open(broken, error));
  EXPECT_NE(error.find("line 2: missing '='"), std::string::npos) << error;
}

}  // namespace
}  // namespace vellumark::designer
