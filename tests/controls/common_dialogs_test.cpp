#include "support/win32/common_dialogs.h"
#include "support/win32/unique_handle.h"
#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"
#include "tests/controls/dialog_driver.h"
#include "tests/support/temp_folder.h"

#include <commctrl.h>
#include <commdlg.h>
#include <winspool.h>
#include <gtest/gtest.h>

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

// The last scalable screen font the system lists (so not the one a dialog
// would show first when its preset were ignored).
std::string LastScalableFont() {
  std::string name;
  LOGFONTW filter{};
  filter.lfCharSet = DEFAULT_CHARSET;
  win32::WindowDc screen(nullptr);
  ::EnumFontFamiliesExW(
      screen.get(), &filter,
      [](const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM found) -> int {
        if ((type & TRUETYPE_FONTTYPE) != 0 && font->lfFaceName[0] != L'@')
          *reinterpret_cast<std::string*>(found) = win32::Narrow(font->lfFaceName);
        return 1;
      },
      reinterpret_cast<LPARAM>(&name), 0);
  return name;
}

TEST(ShowFont, PresetFontComesBackWhole) {
  const std::string face = LastScalableFont();
  ASSERT_FALSE(face.empty());
  CommonDialogs dialogs;
  dialogs.FontName = face;
  dialogs.FontSize = 12;
  dialogs.FontBold = true;
  dialogs.FontUnderline = true;
  dialogs.Color = 0x0000FF;
  ASSERT_TRUE(Answering(IDOK, [&] { return dialogs.ShowFont(); }));
  EXPECT_EQ(std::tuple(dialogs.FontName, dialogs.FontSize, dialogs.FontBold, dialogs.FontItalic, dialogs.FontUnderline,
                       dialogs.FontStrikeout, dialogs.Color),
            std::tuple(face, 12, true, false, true, false, 0x0000FFu));
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

TEST(ShowFont, PresetsTheSizeAsACellHeight) {
  static LONG height = 0;
  const StandIn standIn(__imp_ChooseFontW, [](LPCHOOSEFONTW choose) -> BOOL {
    height = choose->lpLogFont->lfHeight;
    return FALSE;
  });
  CommonDialogs dialogs;
  dialogs.FontSize = 12;
  EXPECT_FALSE(dialogs.ShowFont());
  EXPECT_EQ(height, 16);  // 12 points at the test display's 96 pixels per inch
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
