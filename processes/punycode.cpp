#include "processes/punycode.h"

#include "support/ascii.h"
#include "support/text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace vellumark {
namespace {

constexpr std::uint32_t kBase = 36;
constexpr std::uint32_t kTMin = 1;
constexpr std::uint32_t kTMax = 26;
constexpr std::uint32_t kSkew = 38;
constexpr std::uint32_t kDamp = 700;
constexpr std::uint32_t kInitialBias = 72;
constexpr std::uint32_t kInitialN = 128;
constexpr std::uint64_t kMaximumDelta = std::numeric_limits<std::uint32_t>::max();

char Digit(std::uint32_t value) { return static_cast<char>(value < 26 ? 'a' + value : '0' + (value - 26)); }

std::uint32_t Adapt(std::uint64_t delta, std::uint64_t points, bool first) {
  delta = first ? delta / kDamp : delta / 2;
  delta += delta / points;
  std::uint32_t k = 0;
  while (delta > ((kBase - kTMin) * kTMax) / 2) {
    delta /= kBase - kTMin;
    k += kBase;
  }
  return static_cast<std::uint32_t>(k + (kBase - kTMin + 1) * delta / (delta + kSkew));
}

// Code points of well-formed UTF-8.
std::u32string CodePoints(std::string_view utf8) {
  std::u32string points;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t point = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t j = 1; j < length; ++j) point = (point << 6) | (static_cast<unsigned char>(utf8[i + j]) & 0x3F);
    points += point;
    i += length;
  }
  return points;
}

}  // namespace

std::optional<std::string> Punycode(std::u32string_view label) {
  std::string output;
  for (const char32_t c : label) {
    if (c < 0x80) output += static_cast<char>(c);
  }
  const std::uint64_t basic = output.size();
  if (basic > 0) output += '-';
  std::uint64_t handled = basic;
  std::uint64_t delta = 0;
  std::uint32_t n = kInitialN;
  std::uint32_t bias = kInitialBias;
  while (handled < label.size()) {
    char32_t next = std::numeric_limits<char32_t>::max();
    for (const char32_t c : label) {
      if (c >= n) next = std::min(next, c);
    }
    delta += std::uint64_t{next - n} * (handled + 1);
    if (delta > kMaximumDelta) return std::nullopt;
    n = next;
    for (const char32_t c : label) {
      if (c < n && ++delta > kMaximumDelta) return std::nullopt;
      if (c != n) continue;
      std::uint64_t q = delta;
      for (std::uint32_t k = kBase;; k += kBase) {
        const std::uint32_t t = k <= bias ? kTMin : k >= bias + kTMax ? kTMax : k - bias;
        if (q < t) break;
        output += Digit(static_cast<std::uint32_t>(t + (q - t) % (kBase - t)));
        q = (q - t) / (kBase - t);
      }
      output += Digit(static_cast<std::uint32_t>(q));
      bias = Adapt(delta, handled + 1, handled == basic);
      delta = 0;
      ++handled;
    }
    ++delta;
    ++n;
  }
  return output;
}

std::optional<std::string> HostToAscii(std::string_view host) {
  if (!text::IsValidUtf8(host)) return std::nullopt;
  std::string ascii;
  for (std::size_t start = 0; start <= host.size();) {
    const std::size_t dot = std::min(host.find('.', start), host.size());
    std::string_view label = host.substr(start, dot - start);
    if (std::all_of(label.begin(), label.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
      ascii += label;
    } else {
      const std::optional<std::string> encoded = Punycode(CodePoints(ascii::Lowered(label)));
      if (!encoded) return std::nullopt;
      ascii += "xn--" + *encoded;
    }
    if (dot < host.size()) ascii += '.';
    start = dot + 1;
  }
  return ascii;
}

}  // namespace vellumark
