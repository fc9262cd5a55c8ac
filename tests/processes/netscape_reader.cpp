#include "tests/processes/netscape_reader.h"

#include "support/ascii.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace vellumark::testing::netscape {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
    return;
  }
  const int more = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
  out += static_cast<char>((0xFF00 >> (more + 1)) | code >> (6 * more));
  for (int i = more - 1; i >= 0; --i) out += static_cast<char>(0x80 | (code >> (6 * i) & 0x3F));
}

// The value of the attribute `name` (lower case) of `tag` ("<A HREF=..."),
// "" when it has none.
std::string Attribute(std::string_view tag, const std::string& name) {
  const std::size_t at = ascii::Lowered(tag).find(" " + name + "=\"");
  if (at == kNone) return "";
  const std::size_t start = at + name.size() + 3;
  return std::string(tag.substr(start, tag.find('"', start) - start));
}

std::int64_t Number(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : -1;
}

// The text from `from` up to `closing` (found without letter case).
std::optional<std::string> TextUntil(std::string_view line, std::size_t from, std::string_view closing) {
  const std::size_t close = ascii::Lowered(line).find(closing, from);
  if (close == kNone) return std::nullopt;
  return std::string(line.substr(from, close - from));
}

}  // namespace

std::string DecodeReferences(std::string_view text) {
  static const std::pair<std::string_view, char> kNamed[] = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t semicolon = text[i] == '&' ? text.find(';', i) : kNone;
    const std::string_view name = text.substr(i + 1, semicolon == kNone ? 0 : semicolon - i - 1);
    std::optional<std::uint32_t> code;
    for (const auto& [entity, character] : kNamed) {
      if (name == entity) code = character;
    }
    if (name.size() > 1 && name.size() < 10 && name[0] == '#') {
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

Document Read(std::string_view html) {
  Document document;
  std::vector<Folder*> open;      // the lists being filled, innermost last
  std::optional<Folder> heading;  // an H3 waiting for its DL
  bool started = false;
  bool broken = false;
  while (!html.empty() && !broken) {
    const std::size_t lineEnd = std::min(html.find('\n'), html.size());
    const std::string_view line = html.substr(0, lineEnd);
    html.remove_prefix(std::min(lineEnd + 1, html.size()));

    // Each tag of the line in turn; text outside tags is ignored.
    for (std::size_t at = line.find('<'); at != kNone && !broken; at = line.find('<', at + 1)) {
      const std::size_t end = line.find('>', at);
      if (end == kNone) break;
      const std::string_view tag = line.substr(at, end - at);
      const std::string name = ascii::Lowered(tag.substr(1, tag.find(' ') - 1));
      if (name == "dl") {
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
      } else if (name == "/dl") {
        broken = open.empty();
        if (!broken) open.pop_back();
      } else if (name == "h3" || name == "a") {
        const std::optional<std::string> text = TextUntil(line, end + 1, "</" + name + ">");
        broken = !text || (name == "a" && open.empty());
        if (broken) break;
        const std::int64_t added = Number(Attribute(tag, "add_date")), modified = Number(Attribute(tag, "last_modified"));
        if (name == "h3") {
          heading = Folder{DecodeReferences(*text), added, modified, {}, {}};
        } else {
          open.back()->bookmarks.push_back(
              {DecodeReferences(*text), ascii::PercentDecoded(DecodeReferences(Attribute(tag, "href"))), added, modified});
        }
        at = end + text->size();
      }
    }
  }
  document.balanced = started && open.empty() && !heading && !broken;
  return document;
}

}  // namespace vellumark::testing::netscape
