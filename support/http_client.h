// Sends HTTP requests side by side and hands back the status line and
// headers of each answer; the body is never read and redirects are never
// followed. One thread uses a client: it starts requests and collects their
// answers with Wait, which blocks for at most the time it is given, so that
// thread can do other work (let window messages run) between calls.
//
//   auto client = MakeHttpClient({10000, "Vellumark/1.0.0"});
//   client->Start(7, "HEAD", "http://127.0.0.1:8080/");
//   for (auto& [id, answer] : client->Wait(100)) ...  // id 7, status 200
//
// Destroying a client abandons the requests still open: none of them is
// waited for.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vellumark {

// Why a request got no answer.
enum class HttpFailure {
  kNone,
  kHostNotFound,
  kConnectionRefused,
  kTimeout,  // no complete status line and headers within the timeout
  kCertificateUntrusted,
  kCertificateExpired,
  kCertificateWrongHost,
  kSecureChannel,  // any other failure of the TLS handshake
  kConnectionFailed,  // anything else: reset, unreachable, not HTTP
};

struct HttpAnswer {
  HttpFailure failure = HttpFailure::kNone;
  int status = 0;        // with kNone
  std::string reason;    // the status line's reason phrase, as sent
  std::string location;  // the Location header, as sent; "" when none
};

struct HttpOptions {
  int timeoutMilliseconds = 10000;  // from the start of a request to its headers
  std::string userAgent;
};

class HttpClient {
 public:
  using Finished = std::pair<std::uint64_t, HttpAnswer>;

  virtual ~HttpClient() = default;
  // Starts `method` ("HEAD" or "GET") on an absolute http or https `url`
  // whose characters are all printable ASCII. `id` names the answer.
  virtual void Start(std::uint64_t id, std::string_view method, std::string_view url) = 0;
  // Answers that came in, waiting at most `milliseconds` for the first one.
  virtual std::vector<Finished> Wait(int milliseconds) = 0;
};

// The platform's client: libcurl on posix, WinHTTP on Windows.
std::unique_ptr<HttpClient> MakeHttpClient(const HttpOptions& options);

}  // namespace vellumark
