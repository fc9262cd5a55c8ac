// The HTTP client over WinHTTP: a small pool of worker threads, each making
// one synchronous request at a time, hands the answers to the thread that
// calls Wait. A worker that is still waiting for a server when its client
// is destroyed is left behind: it ends by itself within the timeout, and
// its answer is dropped.
#include "support/http_client.h"

#include "support/win32/unique_handle.h"
#include "support/win32/wide_string.h"
#include "support/win32/windows_gate.h"

#include <winhttp.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>

namespace vellumark {
namespace {

inline void CloseInternetHandle(HINTERNET handle) { ::WinHttpCloseHandle(handle); }
using UniqueInternet = win32::UniqueAny<HINTERNET, CloseInternetHandle, 0>;

struct Request {
  std::uint64_t id = 0;
  std::wstring method;
  std::wstring url;
};

// What the client and its workers share; the last of them to end frees it.
struct Pool {
  std::mutex mutex;
  std::condition_variable requested;
  std::condition_variable answered;
  std::deque<Request> requests;
  std::vector<HttpClient::Finished> finished;
  int idle = 0;  // workers without a request
  bool abandoned = false;
  UniqueInternet session;
  DWORD timeout = 0;  // milliseconds
};

HttpFailure SecureFailure(DWORD flags) {
  if (flags & WINHTTP_CALLBACK_STATUS_FLAG_CERT_DATE_INVALID) return HttpFailure::kCertificateExpired;
  if (flags & WINHTTP_CALLBACK_STATUS_FLAG_CERT_CN_INVALID) return HttpFailure::kCertificateWrongHost;
  if (flags & WINHTTP_CALLBACK_STATUS_FLAG_INVALID_CA) return HttpFailure::kCertificateUntrusted;
  return HttpFailure::kSecureChannel;
}

HttpFailure FailureOf(DWORD error, DWORD secureFlags) {
  switch (error) {
    case ERROR_WINHTTP_NAME_NOT_RESOLVED: return HttpFailure::kHostNotFound;
    // The server's address did not take the connection.
    case ERROR_WINHTTP_CANNOT_CONNECT: return HttpFailure::kConnectionRefused;
    // Wine's WinHTTP passes on the socket's own errors.
    case WSAECONNREFUSED: return HttpFailure::kConnectionRefused;
    case WSAETIMEDOUT:
    case ERROR_WINHTTP_TIMEOUT:
      return HttpFailure::kTimeout;
    case ERROR_WINHTTP_SECURE_INVALID_CA: return HttpFailure::kCertificateUntrusted;
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID: return HttpFailure::kCertificateExpired;
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID: return HttpFailure::kCertificateWrongHost;
    case ERROR_WINHTTP_SECURE_FAILURE: return SecureFailure(secureFlags);
    case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
    case ERROR_WINHTTP_SECURE_CERT_REV_FAILED:
    case ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE:
      return HttpFailure::kSecureChannel;
    default: return HttpFailure::kConnectionFailed;
  }
}

// Records the reasons of a failed TLS handshake in the request's context.
void CALLBACK OnStatus(HINTERNET, DWORD_PTR context, DWORD status, LPVOID information, DWORD) {
  if (status == WINHTTP_CALLBACK_STATUS_SECURE_FAILURE && context != 0 && information != nullptr) {
    *reinterpret_cast<DWORD*>(context) |= *static_cast<DWORD*>(information);
  }
}

std::wstring QueryText(HINTERNET request, DWORD query) {
  DWORD size = 0;
  ::WinHttpQueryHeaders(request, query, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER, &size,
                        WINHTTP_NO_HEADER_INDEX);
  if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return {};
  std::wstring text(size / sizeof(wchar_t), L'\0');
  if (!::WinHttpQueryHeaders(request, query, WINHTTP_HEADER_NAME_BY_INDEX, text.data(), &size,
                             WINHTTP_NO_HEADER_INDEX)) {
    return {};
  }
  text.resize(size / sizeof(wchar_t));
  return text;
}

// One request; `waived` (SECURITY_FLAG_IGNORE_...) are certificate faults
// to let through.
HttpAnswer Ask(HINTERNET session, const Request& request, DWORD timeout, DWORD waived) {
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof(parts);
  parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (!::WinHttpCrackUrl(request.url.c_str(), 0, 0, &parts)) return {HttpFailure::kConnectionFailed, 0, "", ""};
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  const std::wstring target = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                              std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  const UniqueInternet connection(::WinHttpConnect(session, host.c_str(), parts.nPort, 0));
  const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
  const UniqueInternet handle(connection ? ::WinHttpOpenRequest(connection.get(), request.method.c_str(), target.c_str(),
                                                                nullptr, WINHTTP_NO_REFERER,
                                                                WINHTTP_DEFAULT_ACCEPT_TYPES, secure)
                                         : nullptr);
  if (!handle) return {FailureOf(::GetLastError(), 0), 0, "", ""};
  DWORD features = WINHTTP_DISABLE_REDIRECTS | WINHTTP_DISABLE_COOKIES;
  ::WinHttpSetOption(handle.get(), WINHTTP_OPTION_DISABLE_FEATURE, &features, sizeof(features));
  DWORD secureFlags = 0;
  DWORD_PTR context = reinterpret_cast<DWORD_PTR>(&secureFlags);
  ::WinHttpSetOption(handle.get(), WINHTTP_OPTION_CONTEXT_VALUE, &context, sizeof(context));
  ::WinHttpSetStatusCallback(handle.get(), OnStatus, WINHTTP_CALLBACK_FLAG_SECURE_FAILURE, 0);
  // The wait for the answer's headers has a timeout of its own.
  ::WinHttpSetOption(handle.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &timeout, sizeof(timeout));
  if (waived != 0) ::WinHttpSetOption(handle.get(), WINHTTP_OPTION_SECURITY_FLAGS, &waived, sizeof(waived));
  if (!::WinHttpSendRequest(handle.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
      !::WinHttpReceiveResponse(handle.get(), nullptr)) {
    return {FailureOf(::GetLastError(), secureFlags), 0, "", ""};
  }
  DWORD status = 0;
  DWORD size = sizeof(status);
  ::WinHttpQueryHeaders(handle.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                        WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
  return {HttpFailure::kNone, static_cast<int>(status), win32::Narrow(QueryText(handle.get(), WINHTTP_QUERY_STATUS_TEXT)),
          win32::Narrow(QueryText(handle.get(), WINHTTP_QUERY_LOCATION))};
}

// A failed TLS handshake for which WinHTTP named no certificate fault (as
// Wine's does) is asked again with one fault let through at a time: the
// fault whose waiver lets the handshake succeed is the certificate's.
HttpAnswer AskNamingCertificateFaults(HINTERNET session, const Request& request, DWORD timeout) {
  HttpAnswer answer = Ask(session, request, timeout, 0);
  if (answer.failure != HttpFailure::kSecureChannel) return answer;
  constexpr DWORD kAnyFault =
      SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_DATE_INVALID | SECURITY_FLAG_IGNORE_CERT_CN_INVALID;
  constexpr std::pair<DWORD, HttpFailure> kWaivers[] = {
      {SECURITY_FLAG_IGNORE_UNKNOWN_CA, HttpFailure::kCertificateUntrusted},
      {SECURITY_FLAG_IGNORE_CERT_DATE_INVALID, HttpFailure::kCertificateExpired},
      {SECURITY_FLAG_IGNORE_CERT_CN_INVALID, HttpFailure::kCertificateWrongHost},
      {kAnyFault, HttpFailure::kCertificateUntrusted},  // more than one fault
  };
  for (const auto& [waived, failure] : kWaivers) {
    if (Ask(session, request, timeout, waived).failure == HttpFailure::kNone) return {failure, 0, "", ""};
  }
  return answer;
}

void Work(std::shared_ptr<Pool> pool) {
  std::unique_lock lock(pool->mutex);
  for (;;) {
    pool->requested.wait(lock, [&] { return pool->abandoned || !pool->requests.empty(); });
    if (pool->abandoned) return;
    --pool->idle;
    const Request request = std::move(pool->requests.front());
    pool->requests.pop_front();
    lock.unlock();
    HttpAnswer answer = AskNamingCertificateFaults(pool->session.get(), request, pool->timeout);
    lock.lock();
    if (pool->abandoned) return;
    pool->finished.emplace_back(request.id, std::move(answer));
    pool->answered.notify_one();
    ++pool->idle;
  }
}

class WinHttpClient final : public HttpClient {
 public:
  explicit WinHttpClient(const HttpOptions& options) : pool_(std::make_shared<Pool>()) {
    pool_->session.reset(::WinHttpOpen(win32::Widen(options.userAgent).c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                       WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!pool_->session) throw std::runtime_error("Error starting the HTTP client");
    const int timeout = options.timeoutMilliseconds;
    pool_->timeout = static_cast<DWORD>(timeout);
    ::WinHttpSetTimeouts(pool_->session.get(), timeout, timeout, timeout, timeout);
  }
  WinHttpClient(const WinHttpClient&) = delete;
  WinHttpClient& operator=(const WinHttpClient&) = delete;
  ~WinHttpClient() override {
    const std::lock_guard lock(pool_->mutex);
    pool_->abandoned = true;
    pool_->requests.clear();
    pool_->requested.notify_all();
  }

  void Start(std::uint64_t id, std::string_view method, std::string_view url) override {
    const std::lock_guard lock(pool_->mutex);
    pool_->requests.push_back({id, win32::Widen(method), win32::Widen(url)});
    if (pool_->idle < static_cast<int>(pool_->requests.size())) {
      ++pool_->idle;  // the new worker, until it takes a request
      std::thread(Work, pool_).detach();
    }
    pool_->requested.notify_one();
  }

  std::vector<Finished> Wait(int milliseconds) override {
    std::unique_lock lock(pool_->mutex);
    pool_->answered.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] { return !pool_->finished.empty(); });
    return std::exchange(pool_->finished, {});
  }

 private:
  std::shared_ptr<Pool> pool_;
};

}  // namespace

std::unique_ptr<HttpClient> MakeHttpClient(const HttpOptions& options) {
  return std::make_unique<WinHttpClient>(options);
}

}  // namespace vellumark
