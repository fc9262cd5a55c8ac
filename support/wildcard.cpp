#include "support/wildcard.h"

#include "support/ascii.h"

namespace vellumark {
namespace {

// Greedy matching with one backtrack point (the last "*"), linear in
// practice and never exponential.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
  std::size_t n = 0, p = 0;
  std::size_t starPattern = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || ascii::Lower(pattern[p]) == ascii::Lower(name[n]))) {
      ++p;
      ++n;
    } else if (starPattern != std::string_view::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
  // A final ".*" also matches no extension at all, so "*.*" matches "README".
  if (pattern.ends_with(".*") && MatchesPattern(name, pattern.substr(0, pattern.size() - 2))) return true;
  return MatchesPattern(name, pattern);
}

}  // namespace vellumark
