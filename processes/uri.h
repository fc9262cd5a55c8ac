// Splits a URL into scheme, server, port, user name, password, path and
// extra information, the way the system's URL cracker does, so site pages
// name the same servers on every platform. Nothing is escaped; escapes are
// decoded only in file paths.
//
//   URI uri;
//   uri.Parse("http://joe@example.com:8080/a/b?x=1#top");
//   // Scheme "http", Server "example.com", Port 8080, UserName "joe",
//   // Password "", Path "/a/b", Query "?x=1#top"
//
// Rules: the scheme is the ASCII letters, digits, "+", "-" and "." before
// the first ":" (1 to 31 of them). Only after "//" comes an authority
// [user[:password]@]host[:port]; without a port, http, https and ftp get
// 80, 443 and 21 and other schemes 0. The extra information starts at the
// first "?" or, when there is none, at the first "#". A file URL's path is
// a local or UNC path with backslashes ("file:///C:/a%20b" -> "C:\a b");
// a res URL's host keeps its colons (it may name a drive).
// Defaults: UserName "anonymous" when none is given, Path "/" when empty.
// Limits: host 255, user name and password 127 characters (UTF-16 units);
// path and extra information are unlimited.
#pragma once

#include <string>
#include <string_view>

namespace vellumark {

class URI {
 public:
  // True when `url` (UTF-8) was split. False for text without a scheme, a
  // part over its limit, a port that is not a number up to 65535, a broken
  // bracketed host or a NUL character; then every part is "" and the port
  // 0, so nothing of an earlier URL remains.
  bool Parse(std::string_view url);

  const std::string& Scheme() const { return scheme_; }
  const std::string& Server() const { return server_; }
  int Port() const { return port_; }
  const std::string& UserName() const { return userName_; }
  const std::string& Password() const { return password_; }
  const std::string& Path() const { return path_; }
  const std::string& Query() const { return query_; }

 private:
  std::string scheme_;
  std::string server_;
  int port_ = 0;
  std::string userName_;
  std::string password_;
  std::string path_;
  std::string query_;
};

}  // namespace vellumark
