#include "tests/processes/netscape_reader.h"

#include <cctype>
#include <charconv>
#include <optional>

namespace vellumark::testing::netscape {
namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
    return;
  }
  const int more = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
  out += static_cast<char>((0xFF00 >> (more + 1)) | code >> (6 * more));
  for (int i = more - 1; i >= 0; --i) out += static_cast<char>(0x80 | (code >> (6 * i) & 0x3F));
}

int Hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

struct Tag {
  std::string name;  // lower case, "/dl" for a closing tag
  std::vector<std::pair<std::string, std::string>> attributes;  // names lower case, values raw
  std::size_t end = 0;  // just after ">"
};

// Parses the tag starting at line[at] == '<'.
std::optional<Tag> ParseTag(std::string_view line, std::size_t at) {
  Tag tag;
  std::size_t i = at + 1;
  const std::size_t nameStart = i;
  while (i < line.size() && !IsSpace(line[i]) && line[i] != '>') ++i;
  tag.name = Lower(line.substr(nameStart, i - nameStart));
  for (;;) {
    while (i < line.size() && IsSpace(line[i])) ++i;
    if (i >= line.size()) return std::nullopt;
    if (line[i] == '>') {
      tag.end = i + 1;
      return tag;
    }
    const std::size_t start = i;
    while (i < line.size() && !IsSpace(line[i]) && line[i] != '=' && line[i] != '>') ++i;
    std::string name = Lower(line.substr(start, i - start));
    std::string value;
    while (i < line.size() && IsSpace(line[i])) ++i;
    if (i < line.size() && line[i] == '=') {
      ++i;
      while (i < line.size() && IsSpace(line[i])) ++i;
      if (i < line.size() && (line[i] == '"' || line[i] == '\'')) {
        const char quote = line[i++];
        const std::size_t close = line.find(quote, i);
        if (close == std::string_view::npos) return std::nullopt;
        value = line.substr(i, close - i);
        i = close + 1;
      } else {
        const std::size_t valueStart = i;
        while (i < line.size() && !IsSpace(line[i]) && line[i] != '>') ++i;
        value = line.substr(valueStart, i - valueStart);
      }
    }
    tag.attributes.emplace_back(std::move(name), std::move(value));
  }
}

std::string Attribute(const Tag& tag, std::string_view name) {
  for (const auto& [key, value] : tag.attributes) {
    if (key == name) return value;
  }
  return "";
}

std::int64_t Number(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : -1;
}

// The text between the tag's end and `closing` (found without letter case).
std::optional<std::string> TextUntil(std::string_view line, std::size_t from, std::string_view closing) {
  const std::string lower = Lower(line);
  const std::size_t close = lower.find(closing, from);
  if (close == std::string::npos) return std::nullopt;
  return std::string(line.substr(from, close - from));
}

}  // namespace

std::string DecodeReferences(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t semicolon = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
    if (semicolon == std::string_view::npos || semicolon - i > 10) {
      out += text[i];
      continue;
    }
    const std::string_view name = text.substr(i + 1, semicolon - i - 1);
    std::optional<std::uint32_t> code;
    if (name == "amp") code = '&';
    if (name == "lt") code = '<';
    if (name == "gt") code = '>';
    if (name == "quot") code = '"';
    if (name == "apos") code = '\'';
    if (name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x' || name[1] == 'X';
      const std::string_view digits = name.substr(hex ? 2 : 1);
      std::uint32_t value = 0;
      const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
      if (error == std::errc() && end == digits.data() + digits.size() && !digits.empty()) code = value;
    }
    if (!code) {
      out += text[i];
      continue;
    }
    AppendUtf8(out, *code);
    i = semicolon;
  }
  return out;
}

std::string DecodePercent(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && Hex(text[i + 1]) >= 0 && Hex(text[i + 2]) >= 0) {
      out += static_cast<char>(Hex(text[i + 1]) * 16 + Hex(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

Document Read(std::string_view html) {
  Document document;
  std::vector<Folder*> open;  // the lists being filled, innermost last
  std::optional<Folder> heading;  // an H3 waiting for its DL
  bool started = false;
  bool broken = false;
  while (!html.empty()) {
    const std::size_t lineEnd = std::min(html.find('\n'), html.size());
    std::string_view line = html.substr(0, lineEnd);
    html.remove_prefix(std::min(lineEnd + 1, html.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    // Each tag of the line in turn; text outside tags is ignored.
    for (std::size_t at = line.find('<'); at != std::string_view::npos; at = line.find('<', at + 1)) {
      const std::optional<Tag> tag = ParseTag(line, at);
      if (!tag) break;
      if (tag->name == "dl") {
        if (!started) {
          started = true;
          open.push_back(&document.root);
        } else if (heading && !open.empty()) {
          open.back()->folders.push_back(std::move(*heading));
          open.push_back(&open.back()->folders.back());
        } else {
          broken = true;
        }
        heading.reset();
      } else if (tag->name == "/dl") {
        if (open.empty()) broken = true; else open.pop_back();
      } else if (tag->name == "h3") {
        const std::optional<std::string> name = TextUntil(line, tag->end, "</h3>");
        if (!name) {
          broken = true;
          break;
        }
        heading = Folder{DecodeReferences(*name), Number(Attribute(*tag, "add_date")),
                         Number(Attribute(*tag, "last_modified")), {}, {}};
        at = tag->end + name->size();
      } else if (tag->name == "a") {
        const std::optional<std::string> name = TextUntil(line, tag->end, "</a>");
        if (!name || open.empty()) {
          broken = true;
          break;
        }
        open.back()->bookmarks.push_back({DecodeReferences(*name), DecodePercent(DecodeReferences(Attribute(*tag, "href"))),
                                          Number(Attribute(*tag, "add_date")),
                                          Number(Attribute(*tag, "last_modified"))});
        at = tag->end + name->size();
      }
    }
  }
  document.balanced = started && open.empty() && !heading && !broken;
  return document;
}

}  // namespace vellumark::testing::netscape
