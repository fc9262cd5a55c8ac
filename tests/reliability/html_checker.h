// A strict checker of the HTML the program writes: tags balance (void
// elements aside), attribute values are quoted, text holds no "<" or ">"
// and every "&" starts a character reference. It collects the decoded
// texts and attribute values, so a test can see that a hostile name ended
// up as text and not as markup.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vellumark::testing::html {

struct Report {
  std::string error;  // "" when well-formed
  std::vector<std::string> texts;       // decoded text runs
  std::vector<std::string> attributes;  // decoded attribute values
};

Report Check(std::string_view document);

}  // namespace vellumark::testing::html
