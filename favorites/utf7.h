// UTF-7 (RFC 2152), the form Windows uses for the Unicode copy of a
// shortcut's URL.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vellumark::text {

// UTF-7 -> UTF-8; nothing when the text is not well-formed UTF-7 (a byte
// above 0x7F, a base64 run that does not hold whole UTF-16 units or leaves
// stray bits set, or unpaired surrogates).
std::optional<std::string> Utf7ToUtf8(std::string_view utf7);

}  // namespace vellumark::text
