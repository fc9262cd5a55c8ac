#include "controls/subclassing.h"

#include <commctrl.h>

namespace vellumark::controls {

bool Subclassing::Create(HWND owner, Procedure procedure) {
  if (Active() || owner == nullptr) return false;
  procedure_ = std::move(procedure);
  const auto id = reinterpret_cast<UINT_PTR>(this);
  if (!::SetWindowSubclass(owner, &Subclassing::Dispatch, id, reinterpret_cast<DWORD_PTR>(this))) return false;
  owner_ = owner;
  return true;
}

void Subclassing::Destroy() {
  if (!Active()) return;
  ::RemoveWindowSubclass(owner_, &Subclassing::Dispatch, reinterpret_cast<UINT_PTR>(this));
  owner_ = nullptr;
}

LRESULT Subclassing::Default(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK Subclassing::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self) noexcept {
  auto* subclassing = reinterpret_cast<Subclassing*>(self);
  if (message == WM_NCDESTROY) {
    subclassing->Destroy();
    return ::DefSubclassProc(window, message, wParam, lParam);
  }
  return subclassing->procedure_(window, message, wParam, lParam);
}

}  // namespace vellumark::controls
