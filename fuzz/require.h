// How a fuzz target reports a broken property: a message naming it, then
// abort(), which libFuzzer records as a crash with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace vellumark::fuzz {

inline void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

}  // namespace vellumark::fuzz
