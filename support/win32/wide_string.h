// UTF-8 <-> wide strings at the boundary of the wide Win32 API.
#pragma once

#include "support/text_encoding.h"

#include <string>
#include <string_view>

namespace vellumark::win32 {

inline std::wstring Widen(std::string_view utf8) {
  const std::u16string units = text::Utf8ToUtf16(utf8);
  return std::wstring(units.begin(), units.end());
}

inline std::string Narrow(std::wstring_view wide) {
  return text::Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace vellumark::win32
