// The text of a shortcut file and the form its bytes were in, so that a
// rewritten file keeps its encoding.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vellumark {

enum class TextForm {
  kWindows1252,   // no byte-order mark, not valid UTF-8
  kUtf8,          // no byte-order mark, valid UTF-8
  kUtf8WithBom,   // EF BB BF
  kUtf16LeWithBom,  // FF FE
  kUtf16BeWithBom,  // FE FF
};

struct ShortcutText {
  std::string text;  // UTF-8, without the byte-order mark
  TextForm form = TextForm::kUtf8;
};

// Decodes the bytes by their byte-order mark, else as UTF-8 when they are
// valid UTF-8, else as Windows-1252.
ShortcutText DecodeShortcutText(std::string_view bytes);

// The bytes of `text` in `form` (with its byte-order mark), or nothing when
// the text cannot be held by that form exactly.
std::optional<std::string> EncodeShortcutText(std::string_view text, TextForm form);

}  // namespace vellumark
