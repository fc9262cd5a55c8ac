// Every control releases every window and GDI object it creates: 10,000
// create/destroy cycles of each (with one setter that makes new objects:
// a font, a re-created window, tools, menu entries) leave the process's
// counts where they were.
//
// GetGuiResources counts them on Windows. Wine's GetGuiResources is a stub
// that answers 0, so there the counts are measured another way: by how many
// more objects of the kind the process can still create before the system
// refuses (GDI: brushes; USER: menus, which share the user handle table with
// windows). A leak of one object per cycle lowers that room by 10,000.
#include "controls/drop_down_button.h"
#include "controls/info_frame.h"
#include "controls/progress_bar.h"
#include "controls/status_bar.h"
#include "controls/system_menu.h"
#include "tests/controls/test_form.h"

#include <gtest/gtest.h>

#include <iostream>
#include <vector>

namespace vellumark::controls {
namespace {

using testing::PumpMessages;
using testing::TestForm;

constexpr int kCycles = 10000;

struct GuiCounts {
  long gdi;
  long user;
};

template <typename Create, typename Destroy>
long RoomFor(Create create, Destroy destroy) {
  std::vector<decltype(create())> made;
  for (auto object = create(); object != nullptr && made.size() < 200000; object = create()) made.push_back(object);
  for (const auto object : made) destroy(object);
  return static_cast<long>(made.size());
}

bool GuiResourcesWork() {
  return ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS) > 0;
}

// Objects in use, as a number that grows by one for each object created.
GuiCounts Counts() {
  const HANDLE process = ::GetCurrentProcess();
  if (GuiResourcesWork())
    return {static_cast<long>(::GetGuiResources(process, GR_GDIOBJECTS)),
            static_cast<long>(::GetGuiResources(process, GR_USEROBJECTS))};
  const long gdiRoom = RoomFor([] { return ::CreateSolidBrush(RGB(1, 2, 3)); }, [](HBRUSH b) { ::DeleteObject(b); });
  const long userRoom = RoomFor([] { return ::CreatePopupMenu(); }, [](HMENU m) { ::DestroyMenu(m); });
  return {-gdiRoom, -userRoom};
}

template <typename Control>
void ExpectNoLeak(Control&& cycle) {
  TestForm form;
  cycle(form.get());  // first use registers classes and loads libraries
  PumpMessages();
  const GuiCounts before = Counts();
  for (int i = 0; i < kCycles; ++i) cycle(form.get());
  PumpMessages();
  const GuiCounts after = Counts();
  EXPECT_EQ(after.gdi, before.gdi);
  EXPECT_EQ(after.user, before.user);
}

TEST(ControlResources, CountingWorks) {
  // The measure itself must see a leak, or the tests below prove nothing.
  const GuiCounts before = Counts();
  std::vector<win32::UniqueBrush> brushes;
  std::vector<win32::UniqueMenu> menus;
  for (int i = 0; i < 10; ++i) {
    brushes.emplace_back(::CreateSolidBrush(RGB(i, 0, 0)));
    menus.emplace_back(::CreatePopupMenu());
  }
  const GuiCounts during = Counts();
  EXPECT_EQ(during.gdi - before.gdi, 10);
  EXPECT_EQ(during.user - before.user, 10);
  std::cout << (GuiResourcesWork() ? "counted with GetGuiResources\n" : "counted by remaining room (Wine)\n");
}

TEST(ControlResources, DropDownButtonReleasesEverything) {
  ExpectNoLeak([](HWND form) {
    DropDownButton button({form, {0, 0, 100, 24}});
    button.SetCount(1);
    button.SetFont(FontSpec{"Tahoma", 9, true});
    const win32::UniqueMenu menu = button.BuildPopupMenu();
  });
}

TEST(ControlResources, StatusBarReleasesEverything) {
  ExpectNoLeak([](HWND form) {
    StatusBar bar({form, {0, 0, 400, 22}});
    bar.SetCount(2);
    bar.PanelAt(1)->SetToolTipText("tip");
  });
}

TEST(ControlResources, ProgressBarReleasesEverything) {
  ExpectNoLeak([](HWND form) {
    ProgressBar bar({form, {0, 0, 200, 20}});
    bar.SetOrientation(1);
  });
}

TEST(ControlResources, SystemMenuReleasesEverything) {
  ExpectNoLeak([](HWND form) {
    SystemMenu menu(form);
    menu.SetCount(2);
    menu.SystemMenuItemAt(1)->SetText("&About");
  });
}

TEST(ControlResources, InfoFrameReleasesEverything) {
  ExpectNoLeak([](HWND form) {
    InfoFrame frame({form, {0, 0, 400, 63}});
    frame.SetText("Vellumark");
  });
}

}  // namespace
}  // namespace vellumark::controls
