// The items a run passed over, gathered so that a window shows them in one
// message after the run instead of one message box each.
#pragma once

#include "processes/run_state.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark {

// What the report of a skipped item begins with: "Error reading URL from"
// or "Error parsing".
std::string_view SkippedLead(Skipped kind);

// "<lead> <count> <noun>:" and the first ten items, one a line, then "..."
// when there are more; lines end in CR LF between them.
std::string ListedItemsMessage(std::string_view lead, std::string_view singular, std::string_view plural,
                               const std::vector<std::string>& items);

class SkippedItems {
 public:
  void Add(Skipped kind, std::string_view item);
  void Clear();
  // One list per kind met, separated by an empty line; "" when none.
  std::string Message() const;

 private:
  std::array<std::vector<std::string>, 2> items_;
};

}  // namespace vellumark
