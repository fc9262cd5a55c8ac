// Reading and rewriting INI-style text (UTF-8) the way the system's
// profile reader sees it:
// - lines end at any run of CR and LF; blanks (the C blanks and Ctrl-Z)
//   around a line are ignored;
// - "[name]" starts a section; the name ends at the line's last "]",
//   blanks around it and text after that "]" are ignored; a line starting
//   with "[" but holding no "]" is an ordinary line;
// - "key=value" lines, blanks around key and value dropped; a line without
//   "=" is a key without value; lines before any section belong to none;
// - names are compared with ASCII letters folded and end at a NUL character,
//   values end at a NUL character too;
// - the first matching key of the first matching section counts, and one
//   pair of equal quotes (' or ") enclosing its value is dropped.
// Nothing is cut for length and there are no comment lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark::ini {

// The value of `key` in `section`; nothing when the key is missing or has
// no "=". Both names are ASCII.
std::optional<std::string> ReadValue(std::string_view text, std::string_view section, std::string_view key);

// The raw value of `key` in `section` as it stands in the line, blanks
// around it removed but quotes and anything after a NUL kept.
std::optional<std::string_view> ReadRawValue(std::string_view text, std::string_view section, std::string_view key);

// `text` with the body of the first `section` (the lines between its header
// and the next section header) replaced by `lines`, each ended by the
// text's own line end; nothing when there is no such section.
std::optional<std::string> ReplaceSection(std::string_view text, std::string_view section,
                                          const std::vector<std::string>& lines);

}  // namespace vellumark::ini
