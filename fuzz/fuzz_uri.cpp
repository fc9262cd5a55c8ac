// The URL splitter on arbitrary bytes. Checks: a refused URL leaves every
// part empty; a split URL has a scheme of the allowed characters that the
// URL starts with, parts within their limits, a port in range, extra
// information that the URL ends with, and the same parts whatever was
// parsed before.
#include "fuzz/require.h"
#include "processes/uri.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace vellumark;
using fuzz::Require;

bool SameParts(const URI& a, const URI& b) {
  return a.Scheme() == b.Scheme() && a.Server() == b.Server() && a.Port() == b.Port() &&
         a.UserName() == b.UserName() && a.Password() == b.Password() && a.Path() == b.Path() &&
         a.Query() == b.Query();
}

bool IsSchemeCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '-' ||
         c == '.';
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

// UTF-16 units of the well-formed sequences of UTF-8 text (malformed bytes
// count none, as the splitter may count them either way).
std::size_t Utf16Units(std::string_view text) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const std::size_t length = byte < 0x80 ? 1 : byte >= 0xC2 && byte <= 0xDF ? 2 : byte >= 0xE0 && byte <= 0xEF ? 3
                               : byte >= 0xF0 && byte <= 0xF4                   ? 4
                                                                                : 0;
    bool whole = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; whole && k < length; ++k) whole = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    if (!whole) {
      ++i;
      continue;
    }
    units += length == 4 ? 2 : 1;
    i += length;
  }
  return units;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string url(reinterpret_cast<const char*>(data), size);
  URI uri;
  const bool split = uri.Parse(url);
  if (!split) {
    Require(SameParts(uri, URI{}), "a refused URL leaves every part empty");
    Require(uri.Scheme().empty() && uri.Port() == 0, "a refused URL has no scheme and port 0");
    return 0;
  }
  Require(url.find('\0') == std::string::npos, "a URL with NUL is refused");
  Require(!uri.Scheme().empty() && uri.Scheme().size() <= 31, "scheme of 1 to 31 characters");
  for (char c : uri.Scheme()) Require(IsSchemeCharacter(c), "scheme of the allowed characters");
  Require(EqualNoCase(std::string_view(url).substr(0, uri.Scheme().size()), uri.Scheme()) &&
              url[uri.Scheme().size()] == ':',
          "the URL starts with its scheme and a colon");
  Require(uri.Port() >= 0 && uri.Port() <= 65535, "port in range");
  Require(Utf16Units(uri.Server()) <= 255, "host within its limit");
  Require(Utf16Units(uri.UserName()) <= 127 && Utf16Units(uri.Password()) <= 127, "user and password within limits");
  Require(!uri.Path().empty(), "path defaults to /");
  if (!uri.Query().empty()) {
    Require(uri.Query()[0] == '?' || uri.Query()[0] == '#', "extra information starts at ? or #");
    Require(std::string_view(url).ends_with(uri.Query()), "the URL ends with its extra information");
  }

  URI again;
  again.Parse("https://user:pw@other.example:99/p?q#f");
  Require(again.Parse(url), "the same URL splits again");
  Require(SameParts(uri, again), "nothing of an earlier URL remains");
  return 0;
}
