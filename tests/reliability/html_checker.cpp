#include "tests/reliability/html_checker.h"

#include "tests/processes/netscape_reader.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace vellumark::testing::html {
namespace {

constexpr std::array<std::string_view, 13> kVoid = {"area", "base", "br",   "col",  "embed", "hr",   "img",
                                                    "input", "link", "meta", "source", "track", "wbr"};

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool IsNameCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == ':'; }

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

std::string Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return "";
  return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

class Checker {
 public:
  explicit Checker(std::string_view document) : s_(document) {}

  Report Run() {
    while (pos_ < s_.size() && report_.error.empty()) {
      if (s_[pos_] == '<') {
        Markup();
      } else {
        Text();
      }
    }
    if (report_.error.empty() && !open_.empty()) Fail("<" + open_.back() + "> never closed");
    return report_;
  }

 private:
  void Fail(std::string message) {
    if (report_.error.empty()) report_.error = message + " at byte " + std::to_string(pos_);
  }

  void Text() {
    const std::size_t end = std::min(s_.find('<', pos_), s_.size());
    const std::string_view text = s_.substr(pos_, end - pos_);
    if (text.find('>') != std::string_view::npos) return Fail("\">\" in text");
    std::string error;
    std::string decoded = Trim(Decode(text, error));
    if (!error.empty()) return Fail(error);
    if (!decoded.empty()) report_.texts.push_back(std::move(decoded));
    pos_ = end;
  }

  void Markup() {
    const std::string_view rest = s_.substr(pos_);
    if (rest.starts_with("<!--")) {
      const std::size_t end = s_.find("-->", pos_ + 4);
      if (end == std::string_view::npos) return Fail("comment never closed");
      pos_ = end + 3;
      return;
    }
    if (rest.starts_with("<!")) {
      if (Lower(rest.substr(0, 9)) != "<!doctype") return Fail("unknown declaration");
      const std::size_t end = s_.find('>', pos_);
      if (end == std::string_view::npos) return Fail("declaration never closed");
      pos_ = end + 1;
      return;
    }
    const bool closing = rest.starts_with("</");
    pos_ += closing ? 2 : 1;
    const std::string name = Lower(Name());
    if (name.empty()) return Fail("\"<\" that starts no tag");
    if (name == "script") return Fail("a script element");
    if (closing) {
      Blanks();
      if (pos_ >= s_.size() || s_[pos_] != '>') return Fail("end tag </" + name + "> not closed");
      ++pos_;
      if (open_.empty() || open_.back() != name) return Fail("</" + name + "> does not close the open element");
      open_.pop_back();
      return;
    }
    while (report_.error.empty()) {
      Blanks();
      if (pos_ >= s_.size()) return Fail("tag <" + name + "> never closed");
      if (s_[pos_] == '>' || s_.substr(pos_, 2) == "/>") {
        const bool selfClosed = s_[pos_] == '/';
        pos_ += selfClosed ? 2 : 1;
        const bool isVoid = std::find(kVoid.begin(), kVoid.end(), name) != kVoid.end();
        if (!isVoid && !selfClosed) open_.push_back(name);
        return;
      }
      Attribute(name);
    }
  }

  void Attribute(const std::string& element) {
    const std::string attribute(Name());
    if (attribute.empty()) return Fail("junk in tag <" + element + ">");
    Blanks();
    if (pos_ >= s_.size() || s_[pos_] != '=') return;  // an attribute without value
    ++pos_;
    Blanks();
    if (pos_ >= s_.size() || (s_[pos_] != '"' && s_[pos_] != '\'')) return Fail("unquoted value of " + attribute);
    const char quote = s_[pos_++];
    const std::size_t end = s_.find(quote, pos_);
    if (end == std::string_view::npos) return Fail("value of " + attribute + " never closed");
    const std::string_view value = s_.substr(pos_, end - pos_);
    if (value.find_first_of("<>") != std::string_view::npos) return Fail("markup in the value of " + attribute);
    std::string error;
    std::string decoded = Decode(value, error);
    if (!error.empty()) return Fail(error + " in the value of " + attribute);
    report_.attributes.push_back(std::move(decoded));
    pos_ = end + 1;
    if (pos_ < s_.size() && !std::isspace(static_cast<unsigned char>(s_[pos_])) && s_[pos_] != '>' && s_[pos_] != '/') {
      Fail("no blank after the value of " + attribute);
    }
  }

  std::string_view Name() {
    const std::size_t start = pos_;
    while (pos_ < s_.size() && IsNameCharacter(s_[pos_])) ++pos_;
    return s_.substr(start, pos_ - start);
  }

  void Blanks() {
    while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
  }

  std::string_view s_;
  std::size_t pos_ = 0;
  std::vector<std::string> open_;
  Report report_;
};

}  // namespace

Report Check(std::string_view document) { return Checker(document).Run(); }

}  // namespace vellumark::testing::html
