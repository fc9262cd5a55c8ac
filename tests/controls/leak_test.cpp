// Every control releases every window and GDI object it creates: 2,000
// create/destroy cycles of each (with one setter that makes new objects:
// a font, a re-created window, tools, menu entries) leave the process's
// counts where they were.
//
// The counts come from GetGuiResources, or under Wine from the room left
// for new objects (tests/win32/gui_object_count.h).
#include "controls/drop_down_button.h"
#include "controls/info_frame.h"
#include "controls/progress_bar.h"
#include "controls/status_bar.h"
#include "controls/system_menu.h"
#include "tests/controls/test_form.h"
#include "tests/win32/gui_object_count.h"

#include <gtest/gtest.h>

#include <iostream>
#include <vector>

namespace vellumark::controls {
namespace {

using testing::PumpMessages;
using testing::TestForm;
using vellumark::testing::CountGuiObjects;
using vellumark::testing::GuiObjectCount;
using vellumark::testing::GuiResourcesWork;

constexpr int kCycles = 2000;

TEST(ControlResources, CountingWorks) {
  // The measure itself must see a leak, or the test below proves nothing.
  const GuiObjectCount before = CountGuiObjects();
  std::vector<win32::UniqueBrush> brushes;
  std::vector<win32::UniqueMenu> menus;
  for (int i = 0; i < 10; ++i) {
    brushes.emplace_back(::CreateSolidBrush(RGB(i, 0, 0)));
    menus.emplace_back(::CreatePopupMenu());
  }
  const GuiObjectCount during = CountGuiObjects();
  EXPECT_EQ(during.gdi - before.gdi, 10);
  EXPECT_EQ(during.user - before.user, 10);
  std::cout << (GuiResourcesWork() ? "counted with GetGuiResources\n" : "counted by remaining room (Wine)\n");
}

TEST(ControlResources, EveryControlReleasesEverything) {
  const std::pair<const char*, void (*)(HWND)> cycles[] = {
      {"DropDownButton",
       [](HWND form) {
         DropDownButton button({form, {0, 0, 100, 24}});
         button.SetCount(1);
         button.SetFont(FontDescription{"Tahoma", 9, true});
         const win32::UniqueMenu menu = button.BuildPopupMenu();
       }},
      {"StatusBar",
       [](HWND form) {
         StatusBar bar({form, {0, 0, 400, 22}});
         bar.SetCount(2);
         bar.PanelAt(1)->SetToolTipText("tip");
       }},
      {"ProgressBar", [](HWND form) { ProgressBar({form, {0, 0, 200, 20}}).SetOrientation(1); }},
      {"SystemMenu",
       [](HWND form) {
         SystemMenu menu(form);
         menu.SetCount(2);
         menu.SystemMenuItemAt(1)->SetText("&About");
       }},
      {"InfoFrame", [](HWND form) { InfoFrame({form, {0, 0, 400, 63}}).SetText("Vellumark"); }},
  };
  for (const auto& [name, cycle] : cycles) {
    TestForm form;
    cycle(form.get());  // first use registers classes and loads libraries
    PumpMessages();
    const GuiObjectCount before = CountGuiObjects();
    for (int i = 0; i < kCycles; ++i) cycle(form.get());
    PumpMessages();
    const GuiObjectCount after = CountGuiObjects();
    EXPECT_EQ(after.gdi, before.gdi) << name;
    EXPECT_EQ(after.user, before.user) << name;
  }
}

}  // namespace
}  // namespace vellumark::controls
