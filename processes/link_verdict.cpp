#include "processes/link_verdict.h"

#include <array>
#include <utility>

namespace vellumark {
namespace {

// The failures a person can act on get their own words; whatever else went
// wrong on the way to an answer is "Connection failed".
std::string FailureWords(HttpFailure failure, int timeoutSeconds) {
  switch (failure) {
    case HttpFailure::kHostNotFound: return "Host not found";
    case HttpFailure::kConnectionRefused: return "Connection refused";
    case HttpFailure::kTimeout: return "No answer within " + std::to_string(timeoutSeconds) + " s";
    case HttpFailure::kCertificateUntrusted: return "Certificate not trusted";
    case HttpFailure::kCertificateExpired: return "Certificate expired";
    case HttpFailure::kCertificateWrongHost: return "Certificate for another host";
    case HttpFailure::kSecureChannel: return "Secure connection failed";
    default: return "Connection failed";
  }
}

constexpr std::array<std::pair<int, std::string_view>, 30> kReasons = {{
    {400, "Bad Request"},
    {401, "Unauthorized"},
    {402, "Payment Required"},
    {403, "Forbidden"},
    {404, "Not Found"},
    {405, "Method Not Allowed"},
    {406, "Not Acceptable"},
    {407, "Proxy Authentication Required"},
    {408, "Request Timeout"},
    {409, "Conflict"},
    {410, "Gone"},
    {411, "Length Required"},
    {412, "Precondition Failed"},
    {413, "Content Too Large"},
    {414, "URI Too Long"},
    {415, "Unsupported Media Type"},
    {416, "Range Not Satisfiable"},
    {417, "Expectation Failed"},
    {421, "Misdirected Request"},
    {422, "Unprocessable Content"},
    {425, "Too Early"},
    {426, "Upgrade Required"},
    {429, "Too Many Requests"},
    {451, "Unavailable For Legal Reasons"},
    {500, "Internal Server Error"},
    {501, "Not Implemented"},
    {502, "Bad Gateway"},
    {503, "Service Unavailable"},
    {504, "Gateway Timeout"},
    {505, "HTTP Version Not Supported"},
}};

bool Printable(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) return false;
  }
  return true;
}

}  // namespace

std::string StatusWords(int status, std::string_view sentReason) {
  std::string words = std::to_string(status);
  for (const auto& [code, reason] : kReasons) {
    if (code == status) return words.append(" ").append(reason);
  }
  if (!sentReason.empty() && Printable(sentReason)) words.append(" ").append(sentReason);
  return words;
}

LinkVerdict JudgeAnswer(const HttpAnswer& answer, bool permanent, std::string_view finalUrl, int timeoutSeconds) {
  if (answer.failure != HttpFailure::kNone) return {LinkState::kDead, FailureWords(answer.failure, timeoutSeconds)};
  if (answer.status >= 400) return {LinkState::kDead, StatusWords(answer.status, answer.reason)};
  if (permanent) return {LinkState::kMoved, std::string(finalUrl)};
  return {LinkState::kAlive, ""};
}

LinkVerdict TooManyRedirects() { return {LinkState::kDead, "Too many redirects"}; }

LinkVerdict RedirectOutOfWeb(std::string_view target) {
  return {LinkState::kDead, "Redirect to a URL that is not http or https: " + std::string(target)};
}

}  // namespace vellumark
