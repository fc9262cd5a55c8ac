// The HTML encoder and decoder on arbitrary bytes. Checks: encoded text
// holds no markup character and, for link targets, no blank or byte above
// 127; decoding gives back well-formed UTF-8 text exactly (for link
// targets whenever the text held no "%", which the encoder leaves alone);
// the UTF-8 cleaner changes nothing in valid text.
#include "fuzz/require.h"
#include "processes/html.h"
#include "processes/utf8.h"

#include <cstdint>
#include <string>

namespace {

using namespace vellumark;
using fuzz::Require;

// Each "&" starts one of the four entities.
bool OnlyKnownEntities(const std::string& text) {
  for (std::size_t at = text.find('&'); at != std::string::npos; at = text.find('&', at + 1)) {
    const std::string_view rest = std::string_view(text).substr(at);
    if (!rest.starts_with("&amp;") && !rest.starts_with("&lt;") && !rest.starts_with("&gt;") &&
        !rest.starts_with("&quot;")) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const HTML html;
  const UTF8 utf8;

  const std::string text = utf8.Encode(input);
  Require(utf8.Encode(text) == text, "well-formed UTF-8 stays as it is");
  Require(utf8.Decode(text) == text, "decoding well-formed UTF-8 changes nothing");
  Require(text.size() <= input.size() * 3, "cleaning does not blow up");

  const std::string encoded = html.Encode(input);
  Require(encoded.find_first_of("<>\"") == std::string::npos, "no markup character in encoded text");
  Require(OnlyKnownEntities(encoded), "every & starts an entity");
  Require(html.Decode(encoded) == text, "Decode(Encode(t)) = t");

  const std::string link = html.Encode(input, true);
  Require(link.find_first_of("<>\" ") == std::string::npos, "no markup character or blank in a link");
  for (char c : link) Require(static_cast<unsigned char>(c) < 128, "a link is ASCII");
  Require(OnlyKnownEntities(link), "every & in a link starts an entity");
  if (text.find('%') == std::string::npos) Require(html.Decode(link, true) == text, "link Decode(Encode(t)) = t");

  // Decoding never fails and gives well-formed UTF-8.
  const std::string decoded = html.Decode(input, (size & 1) != 0);
  Require(utf8.Encode(decoded) == decoded, "decoded text is well-formed UTF-8");
  return 0;
}
