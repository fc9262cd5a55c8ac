// Checks a list of URLs over an HttpClient and judges each one.
//
// Each http or https URL is asked with HEAD; an error answer other than
// 404 and 410 is asked once more with GET (some servers refuse HEAD).
// Redirects (301, 302, 303, 307, 308 with a Location) are followed, at
// most `kMaxRedirects` of them. At most `parallel` requests are open at
// once, and at most `perServer` to one host and port. Once a server has
// left a request unanswered for the whole timeout, the links to it not yet
// asked get the same verdict without asking, so a silent server costs one
// timeout however many links lead to it.
#pragma once

#include "processes/link_verdict.h"
#include "support/http_client.h"

#include <functional>
#include <string>
#include <vector>

namespace vellumark {

struct LinkCheckOptions {
  int timeoutSeconds = 10;
  int parallel = 16;
  int perServer = 2;
};

inline constexpr int kMaxRedirects = 10;

// The verdicts on `urls`, in their order. `between(done)` runs after each
// wait for answers (at most every 50 ms) with the number of URLs judged so
// far; an exception from it abandons the requests still open.
std::vector<LinkVerdict> CheckLinks(const std::vector<std::string>& urls, const LinkCheckOptions& options,
                                    HttpClient& client, const std::function<void(std::size_t done)>& between);

}  // namespace vellumark
