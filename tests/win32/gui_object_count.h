// How many GDI and USER objects a process holds, as numbers that grow by
// one for each object it creates and keeps.
//
// GetGuiResources counts them on Windows. Wine's GetGuiResources is a stub
// that answers 0, so there they are measured by how many more objects of
// the kind can still be created before the system refuses (GDI: brushes;
// USER: menus, which share the user handle table with windows), negated.
// A leak of one object per cycle lowers that room by one per cycle.
#pragma once

#include "support/win32/windows_gate.h"

#include <vector>

namespace vellumark::testing {

struct GuiObjectCount {
  long gdi = 0;
  long user = 0;
};

inline bool GuiResourcesWork() { return ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS) > 0; }

template <typename Create, typename Destroy>
long RoomFor(Create create, Destroy destroy) {
  std::vector<decltype(create())> made;
  for (auto object = create(); object != nullptr && made.size() < 200000; object = create()) made.push_back(object);
  for (const auto object : made) destroy(object);
  return static_cast<long>(made.size());
}

// The calling process's GDI objects in use, counted or measured by room.
inline long GdiObjectsInUse() {
  if (GuiResourcesWork()) return static_cast<long>(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS));
  return -RoomFor([] { return ::CreateSolidBrush(RGB(1, 2, 3)); }, [](HBRUSH b) { ::DeleteObject(b); });
}

// The calling process's USER objects in use, counted or measured by room.
inline long UserObjectsInUse() {
  if (GuiResourcesWork()) return static_cast<long>(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS));
  return -RoomFor([] { return ::CreatePopupMenu(); }, [](HMENU m) { ::DestroyMenu(m); });
}

inline GuiObjectCount CountGuiObjects() { return {GdiObjectsInUse(), UserObjectsInUse()}; }

}  // namespace vellumark::testing
