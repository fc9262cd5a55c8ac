#include "tests/reliability/html_checker.h"

#include "support/ascii.h"
#include "tests/processes/netscape_reader.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace vellumark::testing::html {
namespace {

constexpr std::array<std::string_view, 13> kVoid = {"area", "base", "br",   "col",  "embed", "hr",   "img",
                                                    "input", "link", "meta", "source", "track", "wbr"};

bool IsNameCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == ':'; }
bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Decodes the references (with the importer-like reader's decoder); sets
// `error` for an "&" that starts none: "&name;", "&#digits;" or "&#xhex;"
// up to U+10FFFF. Named references other than the basic ones stay as they
// are (a template may use any).
std::string Decode(std::string_view text, std::string& error) {
  for (std::size_t at = text.find('&'); at != std::string_view::npos; at = text.find('&', at + 1)) {
    const std::size_t semicolon = text.find(';', at);
    const std::string_view body = text.substr(at + 1, semicolon == std::string_view::npos ? 0 : semicolon - at - 1);
    const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
    const std::string_view digits = body.substr(body.starts_with('#') ? (hex ? 2 : 1) : 0);
    const bool valid = !digits.empty() && digits.size() <= 8 && std::all_of(digits.begin(), digits.end(), [&](char c) {
      return body[0] != '#' ? std::isalnum(static_cast<unsigned char>(c)) != 0
                            : (hex ? std::isxdigit(static_cast<unsigned char>(c)) : std::isdigit(static_cast<unsigned char>(c))) != 0;
    });
    if (!valid || (body[0] == '#' && std::stoul(std::string(digits), nullptr, hex ? 16 : 10) > 0x10FFFF)) {
      error = "\"&\" that starts no reference: " + std::string(text.substr(at, 12));
      return "";
    }
  }
  return netscape::DecodeReferences(text);
}

}  // namespace

Report Check(std::string_view s) {
  constexpr std::size_t npos = std::string_view::npos;
  Report report;
  std::vector<std::string> open;
  std::size_t pos = 0;
  std::string error;
  const auto fail = [&](const std::string& message) {
    report.error = message + " at byte " + std::to_string(pos);
    return report;
  };
  const auto blanks = [&] {
    while (pos < s.size() && IsBlank(s[pos])) ++pos;
  };
  const auto name = [&] {
    const std::size_t start = pos;
    while (pos < s.size() && IsNameCharacter(s[pos])) ++pos;
    return ascii::Lowered(s.substr(start, pos - start));
  };
  while (pos < s.size()) {
    const std::string_view rest = s.substr(pos);
    if (s[pos] != '<') {
      const std::string_view text = rest.substr(0, rest.find('<'));
      if (text.find('>') != npos) return fail("\">\" in text");
      report.texts.push_back(Decode(text, error));
      if (!error.empty()) return fail(error);
      pos += text.size();
      continue;
    }
    if (rest.starts_with("<!")) {
      const bool comment = rest.starts_with("<!--");
      if (!comment && ascii::Lowered(rest.substr(0, 9)) != "<!doctype") return fail("unknown declaration");
      const std::size_t end = s.find(comment ? "-->" : ">", pos + (comment ? 4 : 2));
      if (end == npos) return fail(comment ? "comment never closed" : "declaration never closed");
      pos = end + (comment ? 3 : 1);
      continue;
    }
    const bool closing = rest.starts_with("</");
    pos += closing ? 2 : 1;
    const std::string element = name();
    if (element.empty()) return fail("\"<\" that starts no tag");
    if (element == "script") return fail("a script element");
    if (closing) {
      blanks();
      if (pos >= s.size() || s[pos] != '>') return fail("end tag </" + element + "> not closed");
      ++pos;
      if (open.empty() || open.back() != element) return fail("</" + element + "> does not close the open element");
      open.pop_back();
      continue;
    }
    for (blanks(); pos >= s.size() || (s[pos] != '>' && s.substr(pos, 2) != "/>"); blanks()) {
      if (pos >= s.size()) return fail("tag <" + element + "> never closed");
      const std::string attribute = name();
      if (attribute.empty()) return fail("junk in tag <" + element + ">");
      blanks();
      if (pos >= s.size() || s[pos] != '=') continue;  // an attribute without value
      ++pos;
      blanks();
      if (pos >= s.size() || (s[pos] != '"' && s[pos] != '\'')) return fail("unquoted value of " + attribute);
      const std::size_t end = s.find(s[pos], pos + 1);
      if (end == npos) return fail("value of " + attribute + " never closed");
      const std::string_view value = s.substr(pos + 1, end - pos - 1);
      if (value.find_first_of("<>") != npos) return fail("markup in the value of " + attribute);
      report.attributes.push_back(Decode(value, error));
      if (!error.empty()) return fail(error + " in the value of " + attribute);
      pos = end + 1;
      if (pos < s.size() && !IsBlank(s[pos]) && s[pos] != '>' && s[pos] != '/') {
        return fail("no blank after the value of " + attribute);
      }
    }
    const bool selfClosed = s[pos] == '/';
    pos += selfClosed ? 2 : 1;
    if (!selfClosed && std::find(kVoid.begin(), kVoid.end(), element) == kVoid.end()) open.push_back(element);
  }
  if (!open.empty()) return fail("<" + open.back() + "> never closed");
  return report;
}

}  // namespace vellumark::testing::html
