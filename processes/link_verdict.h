// What Verify concludes about one link, and the words it uses for it.
#pragma once

#include "support/http_client.h"

#include <string>
#include <string_view>

namespace vellumark {

enum class LinkState { kNotChecked, kAlive, kMoved, kDead };

struct LinkVerdict {
  LinkState state = LinkState::kNotChecked;
  // Dead: why ("404 Not Found", "Connection refused"); moved: the final URL.
  std::string detail;

  bool operator==(const LinkVerdict&) const = default;
};

// The verdict on the last answer of a link's chain. `permanent` tells
// whether a 301 or 308 was followed on the way to `finalUrl`.
LinkVerdict JudgeAnswer(const HttpAnswer& answer, bool permanent, std::string_view finalUrl, int timeoutSeconds);

LinkVerdict TooManyRedirects();
// A redirect to `target`, which is not an http or https URL.
LinkVerdict RedirectOutOfWeb(std::string_view target);

// "404 Not Found": the code with the standard reason phrase, else the one
// the server sent, else the code alone.
std::string StatusWords(int status, std::string_view sentReason);

}  // namespace vellumark
