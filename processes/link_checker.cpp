#include "processes/link_checker.h"

#include "processes/web_address.h"

#include <deque>
#include <map>
#include <optional>

namespace vellumark {
namespace {

constexpr int kWaitMilliseconds = 50;

bool IsRedirect(int status) { return status == 301 || status == 302 || status == 303 || status == 307 || status == 308; }

// One URL on its way through requests, redirects and the GET retry.
struct Job {
  WebAddress address;
  const char* method = "HEAD";
  int redirects = 0;
  bool permanent = false;
};

struct Server {
  int open = 0;
  std::deque<std::size_t> waiting;  // jobs in the order they are to be asked
  bool silent = false;              // one of its requests timed out
};

class Checker {
 public:
  Checker(const std::vector<std::string>& urls, const LinkCheckOptions& options, HttpClient& client)
      : options_(options), client_(client), jobs_(urls.size()), verdicts_(urls.size()) {
    for (std::size_t i = 0; i < urls.size(); ++i) {
      if (std::optional<WebAddress> address = ParseWebAddress(urls[i])) {
        jobs_[i].address = std::move(*address);
        Queue(i, false);
      } else {
        ++done_;  // not checked
      }
    }
  }

  std::vector<LinkVerdict> Run(const std::function<void(std::size_t)>& between) {
    while (done_ < jobs_.size()) {
      StartWhatFits();
      for (auto& [id, answer] : client_.Wait(kWaitMilliseconds)) OnAnswer(static_cast<std::size_t>(id), answer);
      between(done_);
    }
    return std::move(verdicts_);
  }

 private:
  void Queue(std::size_t job, bool first) {
    Server& server = servers_[jobs_[job].address.server];
    if (server.silent) return Judge(job, TimedOut(job));
    if (first) {
      server.waiting.push_front(job);
    } else {
      server.waiting.push_back(job);
    }
  }

  void StartWhatFits() {
    for (auto& [name, server] : servers_) {
      while (open_ < options_.parallel && server.open < options_.perServer && !server.waiting.empty()) {
        const std::size_t job = server.waiting.front();
        server.waiting.pop_front();
        ++server.open;
        ++open_;
        client_.Start(job, jobs_[job].method, jobs_[job].address.url);
      }
    }
  }

  void OnAnswer(std::size_t id, const HttpAnswer& answer) {
    Job& job = jobs_[id];
    Server& server = servers_[job.address.server];
    --server.open;
    --open_;
    if (answer.failure == HttpFailure::kTimeout) {
      server.silent = true;
      for (const std::size_t waiting : server.waiting) Judge(waiting, TimedOut(waiting));
      server.waiting.clear();
    }
    if (answer.failure == HttpFailure::kNone && IsRedirect(answer.status) && !answer.location.empty()) {
      return FollowRedirect(id, answer);
    }
    if (answer.failure == HttpFailure::kNone && answer.status >= 400 && answer.status != 404 && answer.status != 410 &&
        job.method == std::string_view("HEAD")) {
      job.method = "GET";
      return Queue(id, true);
    }
    Judge(id, JudgeAnswer(answer, job.permanent, job.address.url, options_.timeoutSeconds));
  }

  void FollowRedirect(std::size_t id, const HttpAnswer& answer) {
    Job& job = jobs_[id];
    if (++job.redirects > kMaxRedirects) return Judge(id, TooManyRedirects());
    job.permanent = job.permanent || answer.status == 301 || answer.status == 308;
    const std::string target = ResolveReference(job.address.url, answer.location);
    std::optional<WebAddress> next = ParseWebAddress(target);
    if (!next) return Judge(id, RedirectOutOfWeb(target));
    job.address = std::move(*next);
    job.method = "HEAD";
    Queue(id, true);
  }

  LinkVerdict TimedOut(std::size_t job) const {
    return JudgeAnswer({HttpFailure::kTimeout, 0, "", ""}, false, jobs_[job].address.url, options_.timeoutSeconds);
  }

  void Judge(std::size_t job, LinkVerdict verdict) {
    verdicts_[job] = std::move(verdict);
    ++done_;
  }

  const LinkCheckOptions& options_;
  HttpClient& client_;
  std::vector<Job> jobs_;
  std::vector<LinkVerdict> verdicts_;
  std::map<std::string, Server> servers_;
  std::size_t done_ = 0;
  int open_ = 0;
};

}  // namespace

std::vector<LinkVerdict> CheckLinks(const std::vector<std::string>& urls, const LinkCheckOptions& options,
                                    HttpClient& client, const std::function<void(std::size_t done)>& between) {
  return Checker(urls, options, client).Run(between);
}

}  // namespace vellumark
