#include "processes/utf8.h"

#include "support/text_encoding.h"

namespace vellumark {
namespace {

// Length of the valid UTF-8 sequence at the start of `bytes`, or 0.
std::size_t ValidSequenceLength(std::string_view bytes) {
  const auto lead = static_cast<unsigned char>(bytes[0]);
  const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (length > bytes.size()) return 0;
  return text::IsValidUtf8(bytes.substr(0, length)) ? length : 0;
}

std::string WellFormed(std::string_view bytes) {
  if (text::IsValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    const std::size_t length = ValidSequenceLength(bytes);
    if (length == 0) {
      out += '?';
      bytes.remove_prefix(1);
    } else {
      out.append(bytes.substr(0, length));
      bytes.remove_prefix(length);
    }
  }
  return out;
}

}  // namespace

std::string UTF8::Encode(std::string_view buffer) const { return WellFormed(buffer); }

std::string UTF8::Decode(std::string_view buffer) const { return WellFormed(buffer); }

}  // namespace vellumark
