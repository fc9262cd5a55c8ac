// The text of the per-user settings file that stands for the registry on
// systems without one. The file holds the current user's keys as sections
// and their values as typed lines:
//
//   [Software\Tarnwell\Vellumark]
//   Interval=dword:7
//   Template=sz:Default
//   Data=binary:01,ab,ff
//
// Types: sz (1), expand_sz (2), binary (3, hex bytes), dword (4, decimal or
// 0x hex), multi_sz (7, the texts separated by %00). In key paths, names
// and texts "%HH" stands for the byte HH; any other "%" is itself. Lines
// that do not parse (or lie outside a section) stay "other" lines, which a
// rewrite keeps as they are.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vellumark::settings_format {

// What a new file starts with.
inline constexpr std::string_view kNewFileHeader =
    "# Vellumark settings: [key path] sections holding name=type:value lines.\n"
    "# Types: sz, expand_sz, multi_sz (text), dword (number), binary (hex bytes).\n"
    "# \"%HH\" in a name or text stands for the byte HH.\n";

struct Line {
  enum class Kind { kOther, kSection, kValue };
  std::string text;  // as in the file, without its line end
  Kind kind = Kind::kOther;
  std::string key;   // the section's key path (also for its values)
  std::string name;  // value lines: the value's name
  std::uint32_t type = 0;
  std::string data;  // value lines: the stored bytes (texts with their terminating zero)
};

// "" (the root itself) or parts that are all non-empty.
bool IsValidKeyPath(std::string_view path);

// Classifies `line.text` and fills in what it holds. `section` is the key
// of the section the line lies in (none before the first header or after
// one that does not parse); a header line changes it.
void ParseLine(Line& line, std::optional<std::string>& section);

// The header line of `key`'s section.
Line SectionLine(std::string_view key);

// The line that stores a value, escaped so that reading gives back exactly
// `name` and `data`.
Line ValueLine(std::string_view key, std::string_view name, std::uint32_t type, std::string data);

}  // namespace vellumark::settings_format
