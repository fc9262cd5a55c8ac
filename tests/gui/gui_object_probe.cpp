// vellumark-gui-probe.dll: counts the GDI and USER objects of the process
// it is loaded into. vellumark-gui-driver loads it into the running
// vellumark.exe with a remote thread and then runs CountGuiObjectsOfKind
// there with another: the count is that thread's exit code. The program
// itself carries no test code for this.
#include "support/win32/windows_gate.h"
#include "tests/win32/gui_object_count.h"

// kind: null for GDI objects, anything else for USER objects. The count
// (negative when measured by room) travels as the thread's 32-bit exit code.
extern "C" __declspec(dllexport) DWORD WINAPI CountGuiObjectsOfKind(void* kind) {
  const long count = kind == nullptr ? vellumark::testing::GdiObjectsInUse() : vellumark::testing::UserObjectsInUse();
  return static_cast<DWORD>(count);
}
