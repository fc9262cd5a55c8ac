// The web addresses Verify asks for: http and https URLs in the form a
// request carries, and the targets of redirects.
//
//   ParseWebAddress("HTTP://Bücher.example/a b#top")
//   // url "http://xn--bcher-kva.example/a%20b", server "xn--bcher-kva.example:80"
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vellumark {

struct WebAddress {
  // Scheme and host in lower case, the host in its ASCII form, the port
  // only when it is not the scheme's own; no user name or password, no
  // fragment; spaces, control characters and bytes beyond ASCII
  // percent-encoded.
  std::string url;
  std::string server;  // host and port: what one connection reaches
};

// Nothing for a URL that does not parse, has no host or whose scheme is
// neither http nor https.
std::optional<WebAddress> ParseWebAddress(std::string_view url);

// `reference` (a Location header) taken relative to the absolute `base`,
// with "." and ".." segments of its path resolved.
std::string ResolveReference(std::string_view base, std::string_view reference);

}  // namespace vellumark
