#include "processes/html.h"

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

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string PercentDecoded(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() && HexValue(s[i + 1]) >= 0 && HexValue(s[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(s[i + 1]) * 16 + HexValue(s[i + 2]));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

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
  const std::string s = hrefsrc ? PercentDecoded(buffer) : std::string(buffer);
  return utf8_.Decode(EntitiesDecoded(s));
}

}  // namespace vellumark
