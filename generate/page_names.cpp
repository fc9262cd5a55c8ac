#include "generate/page_names.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vellumark {
namespace {

constexpr std::string_view kPageExtension = ".html";
constexpr std::string_view kUnsafe = "#?%/\\:*\"<>|";
// Page names stay well below the 255 bytes file systems allow.
constexpr std::size_t kMaximumBaseBytes = 200;

constexpr std::array<std::string_view, 24> kDeviceNames = {
    "con",  "prn",  "aux",  "nul",  "com0", "com1", "com2", "com3", "com4", "com5", "com6", "com7",
    "com8", "com9", "lpt0", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};

// Length of the UTF-8 sequence that starts with `lead`; 1 for a byte that
// does not start one.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  return 1;
}

std::uint32_t LowerCodePoint(std::uint32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c >= 0x100 && c <= 0x137 && c % 2 == 0) return c + 1;
  if (c >= 0x139 && c <= 0x148 && c % 2 == 1) return c + 1;
  if (c >= 0x14A && c <= 0x177 && c % 2 == 0) return c + 1;
  if (c == 0x178) return 0xFF;
  if (c >= 0x179 && c <= 0x17E && c % 2 == 1) return c + 1;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  return c;
}

void AppendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsDeviceName(std::string_view base) {
  std::string_view stem = base.substr(0, base.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  return std::find(kDeviceNames.begin(), kDeviceNames.end(), stem) != kDeviceNames.end();
}

// The safe lower-case base of a page name (without ".html").
std::string SafeBase(std::string_view folderName) {
  std::string base = LowerCase(folderName);
  for (char& c : base) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || kUnsafe.find(c) != std::string_view::npos) c = '_';
  }
  if (base.size() > kMaximumBaseBytes) {
    std::size_t cut = kMaximumBaseBytes;
    while (cut > 0 && (static_cast<unsigned char>(base[cut]) & 0xC0) == 0x80) --cut;
    base.resize(cut);
  }
  if (base.empty()) base = "_";
  if (IsDeviceName(base)) base.insert(std::min(base.find('.'), base.size()), "_");
  return base;
}

}  // namespace

std::string LowerCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = SequenceLength(lead);
    // Only the two-byte sequences hold the capitals mapped here.
    if (length == 2 && i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
      const std::uint32_t c = (lead & 0x1Fu) << 6 | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
      AppendUtf8(out, LowerCodePoint(c));
      i += 2;
      continue;
    }
    out += lead < 0x80 ? static_cast<char>(LowerCodePoint(lead)) : text[i];
    ++i;
  }
  return out;
}

PageNames::PageNames() { taken_.insert("index.html"); }

void PageNames::Reserve(std::string_view name) { taken_.insert(LowerCase(name)); }

std::string PageNames::Add(std::string_view folderName) {
  const std::string base = SafeBase(folderName);
  std::string name = base + std::string(kPageExtension);
  for (int suffix = 2; taken_.count(name) != 0; ++suffix) {
    name = base + "-" + std::to_string(suffix) + std::string(kPageExtension);
  }
  taken_.insert(name);
  return name;
}

}  // namespace vellumark
