// Text for HTML: the four characters special in text and attribute values
// become entities, and for link targets (href and src) blanks and bytes
// above 127 are percent-encoded as well. Works on the UTF-8 bytes.
#pragma once

#include "processes/utf8.h"

#include <string>
#include <string_view>

namespace vellumark {

class HTML {
 public:
  // "&", '"', "<" and ">" as entities (each character once); with
  // `hrefsrc` also " " and bytes 128-255 as "%XX" (upper-case hex).
  // Controls and "%" stay as they are.
  std::string Encode(std::string_view buffer, bool hrefsrc = false) const;

  // The inverse: with `hrefsrc` every "%XX" (either case) becomes its byte
  // first, a "%" without two hex digits stays; then the entities, "&amp;"
  // last, each decoded once.
  std::string Decode(std::string_view buffer, bool hrefsrc = false) const;

 private:
  UTF8 utf8_;
};

}  // namespace vellumark
