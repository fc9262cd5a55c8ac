// File-name patterns with "*" (any run of characters) and "?" (one
// character), matched without regard to ASCII letter case:
// MatchesWildcard("Index.HTML", "*.html") is true. A pattern ending in
// ".*" also matches names without that extension: "*.*" matches "README".
#pragma once

#include <string_view>

namespace vellumark {

bool MatchesWildcard(std::string_view name, std::string_view pattern);

}  // namespace vellumark
