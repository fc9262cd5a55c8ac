#include "processes/web_address.h"

#include "processes/punycode.h"
#include "processes/uri.h"
#include "support/ascii.h"

#include <vector>

namespace vellumark {
namespace {

std::string PercentEncodedBeyondAscii(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte < 0x7F) {
      encoded += c;
    } else {
      encoded.append({'%', kHex[byte >> 4], kHex[byte & 0xF]});
    }
  }
  return encoded;
}

// The length of the scheme and its ":" at the start of `text`; 0 when it
// has none.
std::size_t SchemeLength(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == 0 || colon == std::string_view::npos || text.find_first_of("/?#") < colon) return 0;
  return colon + 1;
}

// Drops "." segments and a ".." segment with the one before it.
std::string WithoutDotSegments(std::string_view path) {
  std::vector<std::string_view> kept;
  bool endsInFolder = false;
  std::size_t start = path.starts_with('/') ? 1 : 0;
  while (start <= path.size()) {
    const std::size_t slash = std::min(path.find('/', start), path.size());
    const std::string_view segment = path.substr(start, slash - start);
    endsInFolder = segment == "." || segment == "..";
    if (segment == "..") {
      if (!kept.empty()) kept.pop_back();
    } else if (segment != ".") {
      kept.push_back(segment);
    }
    start = slash + 1;
  }
  std::string result;
  for (const std::string_view segment : kept) result.append("/").append(segment);
  if (endsInFolder || result.empty()) result += '/';
  return result;
}

}  // namespace

std::optional<WebAddress> ParseWebAddress(std::string_view url) {
  URI uri;
  if (!uri.Parse(url)) return std::nullopt;
  const std::string scheme = ascii::Lowered(uri.Scheme());
  if ((scheme != "http" && scheme != "https") || uri.Server().empty()) return std::nullopt;
  const std::optional<std::string> host = HostToAscii(uri.Server());
  if (!host || host->find_first_of(" /?#@") != std::string::npos) return std::nullopt;
  std::string authority = ascii::Lowered(*host);
  if (authority.find(':') != std::string::npos && !authority.starts_with('[')) authority = "[" + authority + "]";
  const std::string server = authority + ":" + std::to_string(uri.Port());
  if (uri.Port() != (scheme == "http" ? 80 : 443)) authority += ":" + std::to_string(uri.Port());
  std::string rest = uri.Path() + uri.Query();
  rest.erase(std::min(rest.find('#'), rest.size()));
  return WebAddress{scheme + "://" + authority + PercentEncodedBeyondAscii(rest), server};
}

std::string ResolveReference(std::string_view base, std::string_view reference) {
  reference = reference.substr(0, reference.find('#'));
  if (SchemeLength(reference) > 0) return std::string(reference);
  const std::size_t schemeEnd = SchemeLength(base);
  if (reference.starts_with("//")) return std::string(base.substr(0, schemeEnd)).append(reference);
  const std::size_t pathStart = std::min(base.find('/', schemeEnd + 2), base.size());
  const std::string_view origin = base.substr(0, pathStart);
  const std::string_view basePath = base.substr(pathStart, base.find('?', pathStart) - pathStart);
  if (reference.empty()) return std::string(base);
  if (reference.starts_with('?')) return std::string(origin).append(basePath).append(reference);
  const std::size_t queryStart = std::min(reference.find('?'), reference.size());
  std::string path(reference.substr(0, queryStart));
  if (!path.starts_with('/')) path = std::string(basePath.substr(0, basePath.rfind('/') + 1)) + path;
  return std::string(origin).append(WithoutDotSegments(path)).append(reference.substr(queryStart));
}

}  // namespace vellumark
