// Form descriptions compiled into the program as RCDATA resources.
#pragma once

#include "controls/property_store.h"
#include "support/win32/windows_gate.h"

#include <optional>
#include <string>

namespace vellumark::controls {

// The form description in the RCDATA resource `name` of `module`; nullopt
// when the resource is missing or malformed (the reason in `error`).
std::optional<FormDescription> LoadFormDescription(HMODULE module, const wchar_t* name, std::string* error = nullptr);

}  // namespace vellumark::controls
