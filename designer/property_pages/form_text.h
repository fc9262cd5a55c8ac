// Writes an edited form description back over the text it was read from,
// so a hand-kept file keeps its comments, blank lines, order and spelling:
// lines whose value did not change stay byte for byte, changed values are
// rewritten on their own line, keys no longer present are dropped, and new
// keys follow the last property of their control (new controls go at the
// end). Line ends follow the original (CR LF when its first line has one).
//
// Parse(RewriteFormText(text, edited)) describes exactly `edited` whenever
// `text` parses.
#pragma once

#include "controls/property_store.h"

#include <string>
#include <string_view>

namespace vellumark::controls::pages {

std::string RewriteFormText(std::string_view original, const FormDescription& edited);

}  // namespace vellumark::controls::pages
