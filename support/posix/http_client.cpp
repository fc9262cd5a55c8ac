// The HTTP client over libcurl's multi interface: every request is one easy
// handle in one multi handle, driven from the thread that calls Wait.
#include "support/http_client.h"

#include "support/ascii.h"

#include <curl/curl.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <stdexcept>

namespace vellumark {
namespace {

// OpenSSL's verification result for a certificate past its end date.
constexpr long kCertificateHasExpired = 10;

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using UniqueEasy = std::unique_ptr<CURL, EasyDeleter>;

std::string_view Trimmed(std::string_view text) { return ascii::Trimmed(text, " \t\r\n"); }

// One request in flight, with the answer's status line and headers as they
// come in.
struct Transfer {
  std::uint64_t id = 0;
  UniqueEasy easy;
  std::string reason;
  std::string location;
  bool bodyRefused = false;  // the body started and was cut off on purpose
};

std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* context) {
  auto& transfer = *static_cast<Transfer*>(context);
  const std::string_view line = Trimmed(std::string_view(data, size * count));
  if (line.starts_with("HTTP/")) {
    // A new answer (after an interim 1xx one) starts over.
    transfer.location.clear();
    const std::size_t code = line.find(' ');
    const std::size_t reason = code == std::string_view::npos ? code : line.find(' ', code + 1);
    transfer.reason = reason == std::string_view::npos ? "" : std::string(Trimmed(line.substr(reason + 1)));
  } else if (const std::size_t colon = line.find(':'); colon != std::string_view::npos &&
                                                       ascii::EqualsIgnoringCase(line.substr(0, colon), "Location")) {
    transfer.location = Trimmed(line.substr(colon + 1));
  }
  return size * count;
}

// Only the headers are wanted: refusing the first bytes of a body ends the
// transfer there.
std::size_t OnBody(char*, std::size_t, std::size_t, void* context) {
  static_cast<Transfer*>(context)->bodyRefused = true;
  return 0;
}

HttpFailure FailureOf(CURLcode code, CURL* easy) {
  long value = 0;
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST: return HttpFailure::kHostNotFound;
    case CURLE_COULDNT_CONNECT:
      curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &value);
      return value == ECONNREFUSED ? HttpFailure::kConnectionRefused : HttpFailure::kConnectionFailed;
    case CURLE_OPERATION_TIMEDOUT: return HttpFailure::kTimeout;
    case CURLE_PEER_FAILED_VERIFICATION:
      // curl checks the host name itself, after a chain OpenSSL accepted.
      curl_easy_getinfo(easy, CURLINFO_SSL_VERIFYRESULT, &value);
      if (value == kCertificateHasExpired) return HttpFailure::kCertificateExpired;
      return value == 0 ? HttpFailure::kCertificateWrongHost : HttpFailure::kCertificateUntrusted;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_CRL_BADFILE:
      return HttpFailure::kSecureChannel;
    default: return HttpFailure::kConnectionFailed;
  }
}

class CurlClient final : public HttpClient {
 public:
  explicit CurlClient(const HttpOptions& options) : options_(options) {
    static std::once_flag global;
    std::call_once(global, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    multi_ = curl_multi_init();
    if (multi_ == nullptr) throw std::runtime_error("Error starting the HTTP client");
  }
  CurlClient(const CurlClient&) = delete;
  CurlClient& operator=(const CurlClient&) = delete;
  ~CurlClient() override {
    for (auto& [easy, transfer] : transfers_) curl_multi_remove_handle(multi_, easy);
    transfers_.clear();
    curl_multi_cleanup(multi_);
  }

  void Start(std::uint64_t id, std::string_view method, std::string_view url) override {
    auto transfer = std::make_unique<Transfer>();
    transfer->id = id;
    transfer->easy.reset(curl_easy_init());
    CURL* easy = transfer->easy.get();
    if (easy == nullptr) throw std::runtime_error("Error starting the HTTP client");
    curl_easy_setopt(easy, CURLOPT_URL, std::string(url).c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(options_.timeoutMilliseconds));
    curl_easy_setopt(easy, CURLOPT_USERAGENT, options_.userAgent.c_str());
    if (method == "HEAD") {
      curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    } else {
      curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    }
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, transfer.get());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, transfer.get());
    if (curl_multi_add_handle(multi_, easy) != CURLM_OK) throw std::runtime_error("Error starting the HTTP client");
    transfers_.emplace(easy, std::move(transfer));
  }

  std::vector<Finished> Wait(int milliseconds) override {
    std::vector<Finished> finished = Collect();
    if (finished.empty() && !transfers_.empty()) {
      curl_multi_poll(multi_, nullptr, 0, milliseconds, nullptr);
      finished = Collect();
    }
    return finished;
  }

 private:
  std::vector<Finished> Collect() {
    int running = 0;
    curl_multi_perform(multi_, &running);
    std::vector<Finished> finished;
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
      if (message->msg != CURLMSG_DONE) continue;
      CURL* easy = message->easy_handle;
      const CURLcode code = message->data.result;
      const auto found = transfers_.find(easy);
      if (found == transfers_.end()) continue;
      Transfer& transfer = *found->second;
      HttpAnswer answer;
      long status = 0;
      if (code == CURLE_OK || (code == CURLE_WRITE_ERROR && transfer.bodyRefused)) {
        curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
        answer.status = static_cast<int>(status);
        answer.reason = std::move(transfer.reason);
        answer.location = std::move(transfer.location);
      } else {
        answer.failure = FailureOf(code, easy);
      }
      finished.emplace_back(transfer.id, std::move(answer));
      curl_multi_remove_handle(multi_, easy);
      transfers_.erase(found);
    }
    return finished;
  }

  HttpOptions options_;
  CURLM* multi_ = nullptr;
  std::map<CURL*, std::unique_ptr<Transfer>> transfers_;
};

}  // namespace

std::unique_ptr<HttpClient> MakeHttpClient(const HttpOptions& options) { return std::make_unique<CurlClient>(options); }

}  // namespace vellumark
