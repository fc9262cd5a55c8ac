#include "controls/form_resource.h"

namespace vellumark::controls {

std::optional<FormDescription> LoadFormDescription(HMODULE module, const wchar_t* name, std::string* error) {
  const HRSRC resource = ::FindResourceW(module, name, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  const HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (bytes == nullptr) {
    if (error) *error = "form description resource not found";
    return std::nullopt;
  }
  // Resource memory lives as long as the module; nothing to free.
  return FormDescription::Parse(std::string_view(static_cast<const char*>(bytes), ::SizeofResource(module, resource)),
                                error);
}

}  // namespace vellumark::controls
