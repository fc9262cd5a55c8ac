#include "favorites/ini_file.h"

#include "support/ascii.h"

namespace vellumark::ini {
namespace {

// The blanks the profile reader trims: the C blanks and Ctrl-Z, no others.
bool IsBlank(char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A; }

std::string_view TrimFront(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimBack(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view CutAtNul(std::string_view text) { return text.substr(0, text.find('\0')); }

// `name` (from the file, up to a NUL) against `wanted` (ASCII), with ASCII
// letters folded; other characters, even those whose lower case is an
// ASCII letter, never match.
bool NamesMatch(std::string_view name, std::string_view wanted) {
  name = CutAtNul(name);
  return ascii::EqualsIgnoringCase(name, wanted);
}

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

struct Line {
  std::size_t start = 0;     // first character of the line
  std::size_t breakAt = 0;   // first CR or LF after it, or the end
  std::size_t next = 0;      // start of the next line
  std::string_view content;  // the line without blanks around it
};

// Moves to the next line at or after `pos`; false at the end.
bool NextLine(std::string_view text, std::size_t pos, Line& line) {
  if (pos >= text.size()) return false;
  line.start = pos;
  line.breakAt = pos;
  while (line.breakAt < text.size() && !IsLineBreak(text[line.breakAt])) ++line.breakAt;
  line.next = line.breakAt;
  while (line.next < text.size() && IsLineBreak(text[line.next])) ++line.next;
  line.content = TrimBack(TrimFront(text.substr(line.start, line.breakAt - line.start)));
  return true;
}

// The name of a section header line, or nothing for other lines.
std::optional<std::string_view> SectionName(std::string_view content) {
  if (content.empty() || content[0] != '[') return std::nullopt;
  const std::size_t close = content.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBack(TrimFront(content.substr(1, close - 1)));
}

// Finds the header line of the first section called `section`.
std::optional<Line> FindSection(std::string_view text, std::string_view section) {
  Line line;
  for (std::size_t pos = 0; NextLine(text, pos, line); pos = line.next) {
    const auto name = SectionName(line.content);
    if (name && NamesMatch(*name, section)) return line;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string_view> ReadRawValue(std::string_view text, std::string_view section, std::string_view key) {
  const std::optional<Line> header = FindSection(text, section);
  if (!header) return std::nullopt;
  Line line;
  for (std::size_t pos = header->next; NextLine(text, pos, line); pos = line.next) {
    if (line.content.empty()) continue;
    if (SectionName(line.content)) return std::nullopt;
    const std::size_t equals = line.content.find('=');
    if (!NamesMatch(TrimBack(line.content.substr(0, equals)), key)) continue;
    if (equals == std::string_view::npos) return std::nullopt;
    return TrimFront(line.content.substr(equals + 1));
  }
  return std::nullopt;
}

std::optional<std::string> ReadValue(std::string_view text, std::string_view section, std::string_view key) {
  const std::optional<std::string_view> raw = ReadRawValue(text, section, key);
  if (!raw) return std::nullopt;
  std::string_view value = CutAtNul(*raw);
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

std::optional<std::string> ReplaceSection(std::string_view text, std::string_view section,
                                          const std::vector<std::string>& lines) {
  const std::optional<Line> header = FindSection(text, section);
  if (!header) return std::nullopt;

  std::string_view lineEnd = "\r\n";
  if (header->breakAt < text.size()) {
    const bool crlf = text.substr(header->breakAt, 2) == "\r\n";
    lineEnd = text.substr(header->breakAt, crlf ? 2 : 1);
  }
  std::size_t bodyEnd = text.size();
  Line line;
  for (std::size_t pos = header->next; NextLine(text, pos, line); pos = line.next) {
    if (SectionName(line.content)) {
      bodyEnd = line.start;
      break;
    }
  }

  std::string result(text.substr(0, header->breakAt));
  result += lineEnd;
  for (const std::string& body : lines) {
    result += body;
    result += lineEnd;
  }
  result += text.substr(bodyEnd);
  return result;
}

}  // namespace vellumark::ini
