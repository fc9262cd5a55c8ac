#include "app/win32/form_resource.h"

#include "controls/dpi.h"

#include <string_view>

namespace vellumark::gui {

std::optional<controls::FormDescription> LoadFormResource(int id) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (found == nullptr) return std::nullopt;
  HGLOBAL loaded = ::LoadResource(module, found);
  const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (bytes == nullptr) return std::nullopt;
  return controls::FormDescription::Parse(
      std::string_view(static_cast<const char*>(bytes), ::SizeofResource(module, found)));
}

RECT BoundsOf(const controls::PropertyStore& store) {
  const int left = store.ReadNumber("Left", 0);
  const int top = store.ReadNumber("Top", 0);
  return RECT{left, top, left + store.ReadNumber("Width", 0), top + store.ReadNumber("Height", 0)};
}

RECT ScaleBounds(const RECT& bounds96, int dpi) {
  using controls::Scale;
  return RECT{Scale(bounds96.left, dpi), Scale(bounds96.top, dpi), Scale(bounds96.right, dpi),
              Scale(bounds96.bottom, dpi)};
}

}  // namespace vellumark::gui
