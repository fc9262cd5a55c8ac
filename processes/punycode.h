// Host names for the domain name system: a label with characters beyond
// ASCII travels as its ASCII form, "xn--" followed by the label's
// Punycode (the bootstring encoding of RFC 3492).
//
//   HostToAscii("bücher.example")  // "xn--bcher-kva.example"
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vellumark {

// The Punycode of a label's code points (case kept); nothing when a count
// would overflow.
std::optional<std::string> Punycode(std::u32string_view label);

// The ASCII form of a UTF-8 host name: labels of ASCII characters stay as
// they are; any other label is lower-cased in its ASCII letters and becomes
// "xn--" and its Punycode. Nothing for text that is not well-formed UTF-8.
std::optional<std::string> HostToAscii(std::string_view host);

}  // namespace vellumark
