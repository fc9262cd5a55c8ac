#include "support/win32/common_dialogs.h"
#include "support/win32/windows_gate.h"
#include "tests/controls/dialog_driver.h"
#include "tests/support/temp_folder.h"

#include <commctrl.h>
#include <commdlg.h>
#include <winspool.h>
#include <gtest/gtest.h>

#include <cwchar>
#include <tuple>
#include <type_traits>
#include <utility>

// The slots through which this program calls these system functions.
extern "C" decltype(&::GetDefaultPrinterW) __imp_GetDefaultPrinterW;
extern "C" decltype(&::ChooseFontW) __imp_ChooseFontW;

namespace vellumark {
namespace {

using testing::Answering;
using testing::TempFolder;

TEST(FileDialogs, OpenReturnsThePresetFileSaveAddsTheExtensionAndCancelChangesNothing) {
  const TempFolder temp;
  const std::string file = temp.Write("report.txt", "x");
  CommonDialogs dialogs;
  dialogs.FileName = file;
  dialogs.Filter = "Text files (*.txt)|*.txt|All files|*.*";
  dialogs.FilterIndex = 2;
  ASSERT_TRUE(Answering(IDOK, [&] { return dialogs.ShowOpen(); }));
  EXPECT_EQ(dialogs.FileTitle(), "report.txt");
  EXPECT_EQ(dialogs.FilterIndex, 2);
  ASSERT_EQ(dialogs.FileNames().size(), 1u);
  EXPECT_TRUE(testing::SamePath(dialogs.FileNames()[0], file)) << dialogs.FileNames()[0];
  dialogs.FileName = "bookmarks";
  dialogs.FileExtension = "html";
  ASSERT_TRUE(Answering(IDOK, [&] { return dialogs.ShowSave(); }));
  EXPECT_TRUE(testing::SamePath(dialogs.FileName, temp / "bookmarks.html")) << dialogs.FileName;
  EXPECT_FALSE(Answering(IDCANCEL, [&] { return dialogs.ShowSave(); }));
  EXPECT_TRUE(testing::SamePath(dialogs.FileName, temp / "bookmarks.html")) << dialogs.FileName;
}

TEST(ShowColor, PresetColourAndCustomColoursComeBack) {
  CommonDialogs dialogs;
  dialogs.Color = 0x123456;
  dialogs.CustomColors[3] = 0x00FF00;
  ASSERT_TRUE(Answering(IDOK, [&] { return dialogs.ShowColor(); }));
  EXPECT_EQ(std::pair(dialogs.Color, dialogs.CustomColors[3]), std::pair(0x123456u, 0x00FF00u));
}

// Puts a stand-in into such a slot for its lifetime.
template <typename Function>
class StandIn {
 public:
  StandIn(Function& slot, std::type_identity_t<Function> standIn) : slot_(slot), system_(std::exchange(slot, standIn)) {}
  ~StandIn() { slot_ = system_; }

 private:
  Function& slot_;
  Function system_;
};

TEST(ShowFont, PresetsTheFontWithTheSizeAsACellHeightAndTakesTheChoice) {
  static LOGFONTW preset{};
  static DWORD flags = 0;
  const StandIn standIn(__imp_ChooseFontW, [](LPCHOOSEFONTW choose) -> BOOL {
    preset = *choose->lpLogFont;
    flags = choose->Flags;
    LOGFONTW& chosen = *choose->lpLogFont;
    std::tie(chosen.lfWeight, chosen.lfItalic, chosen.lfUnderline, chosen.lfStrikeOut) = std::tuple(FW_NORMAL, 1, 0, 1);
    std::wcscpy(chosen.lfFaceName, L"Chosen face");
    std::tie(choose->iPointSize, choose->rgbColors) = std::tuple(118, choose->rgbColors ^ 0xFFFFFF);
    return TRUE;
  });
  CommonDialogs dialogs;
  std::tie(dialogs.FontName, dialogs.FontSize, dialogs.FontBold, dialogs.FontUnderline, dialogs.Color) =
      std::tuple("Preset face", 12, true, true, 0x0000FF);
  ASSERT_TRUE(dialogs.ShowFont());
  // 12 points at the test display's 96 pixels per inch: a cell 16 pixels high.
  EXPECT_EQ(std::tuple(std::wstring(preset.lfFaceName), preset.lfHeight, preset.lfWeight, preset.lfItalic,
                       preset.lfUnderline, preset.lfStrikeOut, flags & (CF_INITTOLOGFONTSTRUCT | CF_EFFECTS)),
            std::tuple(L"Preset face", 16, FW_BOLD, 0, 1, 0, CF_INITTOLOGFONTSTRUCT | CF_EFFECTS));
  EXPECT_EQ(std::tuple(dialogs.FontName, dialogs.FontSize, dialogs.FontBold, dialogs.FontItalic, dialogs.FontUnderline,
                       dialogs.FontStrikeout, dialogs.Color),
            std::tuple("Chosen face", 12, false, true, false, true, 0xFFFF00u));  // 11.8 points round to 12
}

TEST(CommonDialogs, AsksForThePrinterOnlyWhenItIsWanted) {
  static int asked = 0;
  const StandIn standIn(__imp_GetDefaultPrinterW, [](LPWSTR, LPDWORD) -> BOOL { return ++asked, FALSE; });
  const CommonDialogs dialogs;
  EXPECT_EQ(asked, 0);
  dialogs.Printer();
  EXPECT_EQ(asked, 1);
}

}  // namespace
}  // namespace vellumark
