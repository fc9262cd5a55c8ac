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

// Objects in use: counted by the system, or minus the room left for more.
template <typename Create, typename Destroy>
long InUse(DWORD kind, Create create, Destroy destroy) {
  if (GuiResourcesWork()) return static_cast<long>(::GetGuiResources(::GetCurrentProcess(), kind));
  std::vector<decltype(create())> made;
  for (auto object = create(); object != nullptr && made.size() < 200000; object = create()) made.push_back(object);
  for (const auto object : made) destroy(object);
  return -static_cast<long>(made.size());
}

inline long GdiObjectsInUse() {
  return InUse(GR_GDIOBJECTS, [] { return ::CreateSolidBrush(RGB(1, 2, 3)); }, [](HBRUSH b) { ::DeleteObject(b); });
}
inline long UserObjectsInUse() {
  return InUse(GR_USEROBJECTS, [] { return ::CreatePopupMenu(); }, [](HMENU m) { ::DestroyMenu(m); });
}
inline GuiObjectCount CountGuiObjects() { return {GdiObjectsInUse(), UserObjectsInUse()}; }

}  // namespace vellumark::testing
