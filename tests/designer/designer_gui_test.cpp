// The designer under Wine: the item pages driven through the messages
// their inputs receive, the controls shown, and the file saved and read
// back.
#include "controls/dpi.h"
#include "designer/designer_window.h"
#include "support/file_services.h"
#include "support/win32/wide_string.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace vellumark::designer {
namespace {

using controls::pages::PropertyPage;

void Pump() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

// A file in a fresh folder under the temporary folder.
std::string ScratchFile(const std::string& name, std::string_view bytes) {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  static int counter = 0;
  const std::wstring dir = std::wstring(folder) + L"vellumark-designer-" + std::to_wstring(::GetCurrentProcessId()) +
                           L"-" + std::to_wstring(++counter);
  ::CreateDirectoryW(dir.c_str(), nullptr);
  const std::string path = win32::Narrow(dir) + "\\" + name;
  EXPECT_TRUE(NativeFileServices().WriteFile(path, bytes));
  return path;
}

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
  Pump();
}

void ScrollRight(PropertyPage& page) {
  ::SendMessageW(page.Hwnd(), WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(page.Input("HScrollIndex")));
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring PartText(HWND bar, int part) {
  const auto length = LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0));
  std::wstring text(length + 1u, L'\0');
  ::SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return text;
}

std::vector<int> Parts(HWND bar) {
  std::vector<int> rights(16);
  const auto count = ::SendMessageW(bar, SB_GETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
  rights.resize(static_cast<std::size_t>(count));
  return rights;
}

std::wstring MenuText(HMENU menu, UINT position) {
  wchar_t text[128] = {};
  ::GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
  return text;
}

UINT MenuType(HMENU menu, UINT position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  ::GetMenuItemInfoW(menu, position, TRUE, &info);
  return info.fType;
}

class Designer : public ::testing::Test {
 protected:
  void OpenCopy(std::string_view text) {
    path_ = ScratchFile("vellumark.form", text);
    std::string error;
    ASSERT_TRUE(designer_.Open(path_, error)) << error;
  }
  PropertyPage& SelectPage(std::string_view name) {
    EXPECT_TRUE(designer_.Select(name));
    PropertyPage* page = designer_.Page();
    EXPECT_NE(page, nullptr);
    return *page;
  }

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
  EXPECT_EQ(Parts(bar), (std::vector<int>{first, first, static_cast<int>(client.right)}));
  EXPECT_TRUE(designer_.Modified());

  Click(designer_.CommandButton(DesignerWindow::kSave));
  EXPECT_FALSE(designer_.Modified());
  const auto saved = NativeFileServices().ReadFile(path_);
  ASSERT_TRUE(saved.has_value());
  EXPECT_TRUE(saved->starts_with("# The main window")) << "comments are kept";
  const auto form = controls::FormDescription::Parse(*saved);
  ASSERT_TRUE(form.has_value());
  const controls::PropertyStore& store = *form->Find("StatusBarVellumark");
  EXPECT_EQ(store.ReadText("PanelText(0)", "?"), "Ready");
  EXPECT_EQ(store.ReadNumber("PanelMinWidth(0)", 0), 80);
  EXPECT_EQ(store.ReadNumber("PanelAlignment(0)", -1), 1);
  EXPECT_EQ(store.ReadNumber("PanelAutoSize(0)", -1), 0);
  EXPECT_FALSE(store.ReadBool("PanelVisible(1)", true));
  EXPECT_EQ(store.ReadNumber("PanelMinWidth(2)", 0), 60);
  EXPECT_FALSE(store.Contains("PanelText(1)"));

  // The saved file shows the same bar when it is opened again.
  DesignerWindow reopened(false);
  std::string error;
  ASSERT_TRUE(reopened.Open(path_, error)) << error;
  const HWND again = reopened.Preview()->StatusBarOf("StatusBarVellumark")->ControlHwnd();
  EXPECT_EQ(PartText(again, 0), L"\tReady");
  EXPECT_EQ(Parts(again), Parts(bar));
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

  const win32::UniqueMenu menu = designer_.Preview()->DropDownButtonOf("DropDownButtonProcess")->BuildPopupMenu();
  ASSERT_EQ(::GetMenuItemCount(menu.get()), 6);
  EXPECT_EQ(MenuText(menu.get(), 0), L"Check links");
  EXPECT_NE(MenuType(menu.get(), 1) & MFT_SEPARATOR, 0u);
  EXPECT_EQ(MenuText(menu.get(), 2), L"Convert");

  PropertyPage& system = SelectPage("SystemMenuVellumark");
  EXPECT_EQ(system.Kind(), controls::pages::PageKind::kSystemMenuItems);
  EXPECT_EQ(TextOf(system.Input("TextText")), L"");
  EXPECT_EQ(::SendMessageW(system.Input("ComboStyle"), CB_GETCURSEL, 0, 0), 1);
  ScrollRight(system);
  EXPECT_EQ(TextOf(system.Input("TextText")), L"&About Vellumark...");
  TypeInto(system.Input("TextText"), L"&About...");
  Click(designer_.CommandButton(DesignerWindow::kApply));
  const HMENU systemMenu = ::GetSystemMenu(designer_.Preview()->Hwnd(), FALSE);
  ASSERT_NE(systemMenu, nullptr);
  const int count = ::GetMenuItemCount(systemMenu);
  EXPECT_EQ(MenuText(systemMenu, static_cast<UINT>(count - 1)), L"&About...");
  EXPECT_NE(MenuType(systemMenu, static_cast<UINT>(count - 2)) & MFT_SEPARATOR, 0u);

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
  EXPECT_EQ(Parts(bar).size(), 2u);
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
  Pump();
  EXPECT_TRUE(::IsWindow(preview));
  EXPECT_TRUE(::IsWindow(designer_.Preview()->WindowOf("StatusBarVellumark")));
}

TEST_F(Designer, UnreadableOrMalformedFilesAreRefused) {
  std::string error;
  EXPECT_FALSE(designer_.Open("Z:\\no\\such\\file.form", error));
  EXPECT_NE(error.find("cannot be read"), std::string::npos);
  const std::string broken = ScratchFile("broken.form", "[FormX]\nCaption \"no equals\"\n");
  EXPECT_FALSE(designer_.Open(broken, error));
  EXPECT_NE(error.find("line 2: missing '='"), std::string::npos) << error;
}

}  // namespace
}  // namespace vellumark::designer
