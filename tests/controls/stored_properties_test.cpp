// What the custom controls read from a stored form description and write
// back, and the text form of a font.
#include "controls/drop_down_button.h"
#include "controls/font_description.h"
#include "controls/info_frame.h"
#include "controls/progress_bar.h"
#include "controls/status_bar.h"
#include "controls/system_menu.h"
#include "tests/controls/dialog_driver.h"
#include "tests/controls/test_form.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vellumark::controls {
namespace {

using testing::TestForm;

// Every control read from a stored description and written out again: a
// value its setter refuses leaves the default, every key comes back in the
// control's order, and the windows show what was read.
TEST(StoredProperties, ReadRefusesWhatTheSettersRefuseAndWriteGivesEveryKeyInOrder) {
  const auto stored = FormDescription::Parse(
      "[Bar]\nMax = 200000\nValue = 300000\nForeColor = 0xFF00\n"
      "[Button]\nArrowStyle = 7\nCount = 1\nFont = \"Tahoma, 9, bold\"\nText = \"&Process\"\n"
      "PopupMenuItemStyle(0) = 1\nPopupMenuItemTag(0) = \"first\"\n"
      "[Status]\nCount = 1\nStyle = 2\nPanelAutoSize(0) = 1\nPanelText(0) = \"Folders: 12\"\nPanelToolTipText(0) = \"tip\"\n"
      "[Frame]\nEnabled = False\nGradientColor = 0xFFFFFF\nText = \"Vellumark\"\n"
      "[Menu]\nCount = 1\nSystemMenuItemChecked(0) = True\nSystemMenuItemText(0) = \"&About\"\n"
      "[Empty]\nCount = -3\n");
  ASSERT_TRUE(stored);
  TestForm form;
  ProgressBar bar({form.get(), {0, 0, 200, 20}});
  DropDownButton button({form.get(), {0, 30, 80, 24}});
  StatusBar status({form.get(), {0, 60, 400, 22}}), empty({form.get(), {0, 90, 400, 22}});
  InfoFrame frame({form.get(), {0, 120, 400, 183}});
  SystemMenu menu(form.get());
  button.SetCount(3);
  empty.SetCount(2);
  empty.ReadProperties(*stored->Find("Empty"));
  FormDescription written;
  const auto readAndWrite = [&](auto& control, const char* name) {
    control.ReadProperties(*stored->Find(name));
    control.WriteProperties(written.Control(name));
  };
  readAndWrite(bar, "Bar");
  readAndWrite(button, "Button");
  readAndWrite(status, "Status");
  readAndWrite(frame, "Frame");
  readAndWrite(menu, "Menu");
  EXPECT_EQ(written.ToText(),
            "[Bar]\nAppearance = 0\nBorderStyle = 0\nForeColor = 0xFF00\nMax = 200000\nMin = 0\nOrientation = 0\n"
            "Scrolling = 0\nValue = 0\n\n"
            "[Button]\nArrowStyle = 0\nBackColor = 0x8000000F\nCount = 1\nEnabled = True\nFont = \"Tahoma, 9, bold\"\n"
            "ForeColor = 0x80000012\nText = \"&Process\"\nPopupMenuItemChecked(0) = False\nPopupMenuItemEnabled(0) = True\n"
            "PopupMenuItemStyle(0) = 1\nPopupMenuItemTag(0) = \"first\"\nPopupMenuItemText(0) = \"\"\n\n"
            "[Status]\nCount = 1\nEnabled = True\nFont = \"MS Shell Dlg, 8\"\nShowTips = True\nSimpleText = \"\"\nStyle = 0\n"
            "PanelAlignment(0) = 0\nPanelAutoSize(0) = 1\nPanelBevel(0) = 1\nPanelMinWidth(0) = 100\nPanelTag(0) = \"\"\n"
            "PanelText(0) = \"Folders: 12\"\nPanelToolTipText(0) = \"tip\"\nPanelVisible(0) = True\n\n"
            "[Frame]\nBackColor = 0x796150\nEnabled = False\nForeColor = 0x0\nGradientColor = 0xFFFFFF\nIcon = \"\"\n"
            "Text = \"Vellumark\"\n\n"
            "[Menu]\nCount = 1\nEnabled = True\nSystemMenuItemChecked(0) = True\nSystemMenuItemEnabled(0) = True\n"
            "SystemMenuItemStyle(0) = 0\nSystemMenuItemTag(0) = \"\"\nSystemMenuItemText(0) = \"&About\"\n");
  EXPECT_EQ(empty.Count(), 0);
  EXPECT_EQ(testing::ProgressShown(bar.ControlHwnd()), (std::array{0, 200000, 0}));
  EXPECT_EQ(vellumark::testing::TextOf(button.ControlHwnd()), "&Process");  // the mnemonic reaches dialog navigation
  EXPECT_EQ(testing::StatusText(status.ControlHwnd(), 0), L"Folders: 12");
  EXPECT_FALSE(::IsWindowEnabled(frame.Hwnd()));
  EXPECT_EQ(testing::MenuEntries(::GetSystemMenu(form.get(), FALSE)).back(),
            (testing::MenuEntry{SystemMenu::CommandId(0), MFT_STRING, MFS_CHECKED, L"&About"}));
  // The panels made by the read report their edits under their own keys.
  std::vector<std::string> changed;
  status.onPropertyChanged = [&](std::string_view key) { changed.emplace_back(key); };
  status.PanelAt(0)->SetText("x");
  EXPECT_EQ(changed, std::vector<std::string>{"PanelText(0)"});
}

TEST(FontDescriptionText, RoundTripsAndRejectsNonsense) {
  const FontDescription verdana{"Verdana", 9.75, true, true, false, true};
  EXPECT_EQ(verdana.ToText(), "Verdana, 9.75, bold italic strikeout");
  EXPECT_EQ(FontDescription::FromText(verdana.ToText()), verdana);
  EXPECT_EQ(FontDescription::FromText("Tahoma,8"), (FontDescription{"Tahoma", 8}));
  const std::string nonsense[] = {"Tahoma", "Tahoma, 0", "Tahoma, 8, heavy", ", 8", std::string(40, 'a') + ", 8"};
  for (const std::string& text : nonsense) EXPECT_FALSE(FontDescription::FromText(text)) << text;
}

}  // namespace
}  // namespace vellumark::controls
