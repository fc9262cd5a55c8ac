#include "processes/html.h"

#include "support/ascii.h"

#include <array>
#include <utility>

namespace vellumark {
namespace {

constexpr std::array<std::pair<char, std::string_view>, 4> kEntities{{
    {'"', "&quot;"},
    {'&', "&amp;"},
    {'<', "&lt;"},
    {'>', "&gt;"},
}};

// Replaces every entity in one pass, so "&amp;lt;" gives "&lt;".
std::string EntitiesDecoded(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    bool replaced = false;
    if (s[i] == '&') {
      for (const auto& [character, entity] : kEntities) {
        if (s.substr(i, entity.size()) == entity) {
          out += character;
          i += entity.size() - 1;
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) out += s[i];
  }
  return out;
}

}  // namespace

std::string HTML::Encode(std::string_view buffer, bool hrefsrc) const {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::string s = utf8_.Encode(buffer);
  std::string out;
  out.reserve(s.size() + s.size() / 4);
  for (char c : s) {
    const auto byte = static_cast<unsigned char>(c);
    bool escaped = false;
    for (const auto& [character, entity] : kEntities) {
      if (c == character) {
        out += entity;
        escaped = true;
        break;
      }
    }
    if (escaped) continue;
    if (hrefsrc && (byte == ' ' || byte > 127)) {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

std::string HTML::Decode(std::string_view buffer, bool hrefsrc) const {
  const std::string s = hrefsrc ? ascii::PercentDecoded(buffer) : std::string(buffer);
  return utf8_.Decode(EntitiesDecoded(s));
}

}  // namespace vellumark
