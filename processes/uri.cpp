#include "processes/uri.h"

#include "support/ascii.h"
#include "support/text_encoding.h"

#include <optional>
#include <utility>

namespace vellumark {
namespace {

constexpr std::size_t kMaxScheme = 31;
constexpr std::size_t kMaxHost = 255;
constexpr std::size_t kMaxUserName = 127;
constexpr std::size_t kMaxPassword = 127;
constexpr int kMaxPort = 65535;

// The parts as the cracker finds them, before the defaults.
struct Components {
  std::string scheme;
  std::string server;
  int port = 0;
  std::string userName;
  std::string password;
  std::string path;
  std::string extra;
};

// Limits count characters as the wide API does: UTF-16 units.
std::size_t Utf16Length(std::string_view utf8) { return text::Utf8ToUtf16(utf8).size(); }

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSchemeCharacter(char c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '+' || c == '-' || c == '.'; }

int DefaultPort(std::string_view scheme) {
  if (ascii::EqualsIgnoringCase(scheme, "http")) return 80;
  if (ascii::EqualsIgnoringCase(scheme, "https")) return 443;
  if (ascii::EqualsIgnoringCase(scheme, "ftp")) return 21;
  return 0;
}

// Decimal digits only, at most 65535 (leading zeros allowed).
std::optional<int> PortNumber(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  int value = 0;
  for (char c : digits) {
    if (!IsAsciiDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kMaxPort) return std::nullopt;
  }
  return value;
}

// The character of a "%XX" escape at the start of `text` when it is ASCII
// other than NUL.
std::optional<char> AsciiEscape(std::string_view text) {
  if (text.size() < 3 || text[0] != '%') return std::nullopt;
  const int high = ascii::HexDigitValue(text[1]);
  const int low = ascii::HexDigitValue(text[2]);
  if (high < 0 || low < 0 || high > 7 || (high == 0 && low == 0)) return std::nullopt;
  return static_cast<char>(high * 16 + low);
}

struct Authority {
  std::string_view userName;
  std::string_view password;
  std::string_view host;
  std::string_view port;
  bool hasPort = false;
};

// [user[:password]@]host[:port]. The user information ends at the last
// "@", so "a@b@host" names the host "host"; the password starts after its
// last ":". A bracketed (IPv6) host keeps its brackets and may only be
// followed by ":port". Without `withPort` a colon belongs to the host.
std::optional<Authority> SplitAuthority(std::string_view text, bool withPort) {
  Authority authority;
  std::string_view hostPort = text;
  if (const auto at = text.rfind('@'); at != std::string_view::npos) {
    const std::string_view userInfo = text.substr(0, at);
    hostPort = text.substr(at + 1);
    const auto colon = userInfo.rfind(':');
    authority.userName = userInfo.substr(0, colon);
    if (colon != std::string_view::npos) authority.password = userInfo.substr(colon + 1);
  }
  std::string_view afterHost;
  if (!withPort) {
    authority.host = hostPort;
  } else if (!hostPort.empty() && hostPort.front() == '[') {
    const auto close = hostPort.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    authority.host = hostPort.substr(0, close + 1);
    afterHost = hostPort.substr(close + 1);
    if (!afterHost.empty() && afterHost.front() != ':') return std::nullopt;
  } else {
    const auto colon = hostPort.rfind(':');
    authority.host = hostPort.substr(0, colon);
    if (colon != std::string_view::npos) afterHost = hostPort.substr(colon);
  }
  if (!afterHost.empty()) {
    authority.port = afterHost.substr(1);
    authority.hasPort = true;
  }
  return authority;
}

// "C:" or "C|" as the whole authority of a file URL names a drive.
bool IsDriveAuthority(std::string_view text) {
  return text.size() == 2 && IsAsciiLetter(text[0]) && (text[1] == ':' || text[1] == '|');
}

// Whether a file URL's "%XX" escapes are decoded. The cracker decodes them
// in the usual forms ("file:/p", "file:///p", "file://host/p") and keeps
// them in the rarer ones ("file:p", "file:////host/p", "file://C:/p").
enum class Escapes { kKept, kDecoded };

// The path of a file URL as a Windows path: "/" becomes "\", escapes of
// ASCII characters are decoded when asked (a decoded "/" stays), more than
// two leading separators shrink to the two of a UNC path, and a last "."
// or ".." segment gets its "\" when `closeDots` (the cracker does so when
// that segment ends the URL, and in the "file:p" and "file://C:/p" forms
// also before extra information). Escapes of NUL and of bytes above 127
// always stay as written: they would cut the path or leave bytes that are
// not text.
std::string LocalPath(std::string_view path, Escapes escapes, bool closeDots) {
  std::string out;
  out.reserve(path.size() + 1);
  for (std::size_t i = 0; i < path.size(); ++i) {
    std::optional<char> decoded;
    if (escapes == Escapes::kDecoded) decoded = AsciiEscape(path.substr(i));
    if (decoded) {
      out += *decoded;
      i += 2;
    } else {
      out += path[i] == '/' ? '\\' : path[i];
    }
  }
  std::size_t leading = 0;
  while (leading < out.size() && out[leading] == '\\') ++leading;
  if (leading > 2) out.erase(0, leading - 2);
  const std::string_view last = std::string_view(out).substr(out.rfind('\\') + 1);
  if (closeDots && (last == "." || last == "..")) out += '\\';
  return out;
}

// A path that stands for itself names its drive as "C:": "\C:\x" and
// "\C|\x" become "C:\x".
std::string DriveFixed(std::string path) {
  if (path.size() >= 3 && path[0] == '\\' && IsAsciiLetter(path[1]) && (path[2] == ':' || path[2] == '|')) {
    path.erase(0, 1);
    path[1] = ':';
  }
  return path;
}

// The path of a file URL with an authority, the server already split off:
// a drive goes into the path, "localhost" is dropped from it, another host
// makes a UNC path.
std::string FilePathAfterServer(std::string_view server, std::string_view path, bool endsUrl) {
  if (server.empty()) {
    const bool fourSlashes = path.starts_with("//") && !path.starts_with("///");
    return DriveFixed(LocalPath(path, fourSlashes ? Escapes::kKept : Escapes::kDecoded, endsUrl));
  }
  if (ascii::EqualsIgnoringCase(server, "localhost")) {
    std::string local = DriveFixed(LocalPath(path, Escapes::kDecoded, endsUrl));
    if (local.starts_with('\\')) local.erase(0, 1);
    return local;
  }
  if (path.empty()) return "";
  return "\\\\" + std::string(server) + LocalPath(path, Escapes::kDecoded, endsUrl);
}

// The path of a file URL without an authority ("file:/p" or "file:p").
std::string FilePathWithoutServer(std::string_view path, bool endsUrl) {
  if (path.starts_with('/')) return DriveFixed(LocalPath(path, Escapes::kDecoded, endsUrl));
  return LocalPath(path, Escapes::kKept, true);
}

std::optional<Components> Crack(std::string_view url) {
  if (url.find('\0') != std::string_view::npos) return std::nullopt;
  std::size_t schemeLength = 0;
  while (schemeLength < url.size() && IsSchemeCharacter(url[schemeLength])) ++schemeLength;
  if (schemeLength == 0 || schemeLength > kMaxScheme || schemeLength == url.size() || url[schemeLength] != ':') {
    return std::nullopt;
  }
  Components parts;
  parts.scheme = url.substr(0, schemeLength);
  const bool file = ascii::EqualsIgnoringCase(parts.scheme, "file");
  // A res URL names a module file ("res://C:\x.dll/7"), so a colon after
  // its host starts no port.
  const bool withPort = !ascii::EqualsIgnoringCase(parts.scheme, "res");

  std::string_view rest = url.substr(schemeLength + 1);
  auto extraStart = rest.find('?');
  if (extraStart == std::string_view::npos) extraStart = rest.find('#');
  if (extraStart != std::string_view::npos) {
    parts.extra = rest.substr(extraStart);
    rest = rest.substr(0, extraStart);
  }
  const bool endsUrl = parts.extra.empty();

  if (!rest.starts_with("//")) {
    parts.path = file ? FilePathWithoutServer(rest, endsUrl) : std::string(rest);
    return parts;
  }
  std::string_view authorityText = rest.substr(2);
  const auto slash = authorityText.find('/');
  const std::string_view path = slash == std::string_view::npos ? std::string_view() : authorityText.substr(slash);
  authorityText = authorityText.substr(0, slash);

  if (file && IsDriveAuthority(authorityText)) {
    const std::string drivePath = std::string(1, authorityText[0]) + ":" + std::string(path);
    parts.path = LocalPath(drivePath, Escapes::kKept, true);
    return parts;
  }
  const std::optional<Authority> authority = SplitAuthority(authorityText, withPort);
  if (!authority) return std::nullopt;
  if (Utf16Length(authority->host) > kMaxHost || Utf16Length(authority->userName) > kMaxUserName ||
      Utf16Length(authority->password) > kMaxPassword) {
    return std::nullopt;
  }
  parts.server = authority->host;
  parts.userName = authority->userName;
  parts.password = authority->password;
  if (!withPort) {
    parts.port = 0;
  } else if (authority->hasPort && !authority->port.empty()) {
    const std::optional<int> port = PortNumber(authority->port);
    if (!port) return std::nullopt;
    parts.port = *port;
  } else {
    parts.port = DefaultPort(parts.scheme);
  }
  parts.path = file ? FilePathAfterServer(parts.server, path, endsUrl) : std::string(path);
  return parts;
}

}  // namespace

bool URI::Parse(std::string_view url) {
  *this = URI();
  std::optional<Components> parts = Crack(url);
  if (!parts) return false;
  scheme_ = std::move(parts->scheme);
  server_ = std::move(parts->server);
  port_ = parts->port;
  userName_ = parts->userName.empty() ? "anonymous" : std::move(parts->userName);
  password_ = std::move(parts->password);
  path_ = parts->path.empty() ? "/" : std::move(parts->path);
  query_ = std::move(parts->extra);
  return true;
}

}  // namespace vellumark
