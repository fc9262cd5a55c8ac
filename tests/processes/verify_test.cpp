// Verify against the servers of link_server.py on 127.0.0.1.
#include "cli/cli.h"
#include "favorites/favorites.h"
#include "processes/link_checker.h"
#include "processes/verify_process.h"
#include "processes/web_address.h"
#include "runner/process_runner.h"
#include "tests/runner/recording_host.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace vellumark {
namespace {

using testing::RecordingHost;
using testing::TempFolder;

constexpr int kTimeoutSeconds = 2;

std::map<std::string, int> ReadPairs(const std::string& file) {
  std::map<std::string, int> pairs;
  std::ifstream in(file);
  std::string name;
  int value = 0;
  while (in >> name >> value) pairs[name] = value;
  return pairs;
}

// The servers the test fixture started, and what they counted.
class LinkServer {
 public:
  LinkServer() : ports_(ReadPairs(VELLUMARK_LINK_SERVER "/ports")) {
    if (ports_.size() != 6) throw std::runtime_error("the link servers are not running");
  }

  std::string Url(const std::string& server, std::string_view path) const {
    return (server == "tls" ? "https://127.0.0.1:" : "http://127.0.0.1:") + std::to_string(ports_.at(server)) +
           std::string(path);
  }
  std::string Port(const std::string& server) const { return std::to_string(ports_.at(server)); }

  void ResetCounts() const { Check({Url("plain1", "/reset")}, 16); }
  std::map<std::string, int> Counts() const { return ReadPairs(VELLUMARK_LINK_SERVER "/counts"); }

  static std::vector<LinkVerdict> Check(const std::vector<std::string>& urls, int parallel) {
    const std::unique_ptr<HttpClient> client = MakeHttpClient({kTimeoutSeconds * 1000, "Vellumark/test"});
    return CheckLinks(urls, {kTimeoutSeconds, parallel, 2}, *client, [](std::size_t) {});
  }

 private:
  std::map<std::string, int> ports_;
};

std::string Shortcut(std::string_view url) { return "[InternetShortcut]\r\nURL=" + std::string(url) + "\r\n"; }

std::string ReadFile(const std::string& path) { return NativeFileServices().ReadFile(path).value_or("<missing>"); }

TEST(WebAddress, RequestFormsAndRedirectTargets) {
  const struct {
    std::string_view url, request, server;
  } addresses[] = {
      {"HTTP://User:Secret@Bücher.Example:80/a b/ü?q=1#top", "http://xn--bcher-kva.example/a%20b/%C3%BC?q=1",
       "xn--bcher-kva.example:80"},
      {"https://example.com:8443", "https://example.com:8443/", "example.com:8443"},
      {"https://example.com#only", "https://example.com/", "example.com:443"},
  };
  for (const auto& a : addresses) {
    const std::optional<WebAddress> parsed = ParseWebAddress(a.url);
    EXPECT_EQ(parsed ? parsed->url + " " + parsed->server : "refused", std::string(a.request) + " " + std::string(a.server));
  }
  for (const std::string_view url : {"ftp://example.com/", "file:///C:/x", "http:///nohost", "example.com"}) {
    EXPECT_FALSE(ParseWebAddress(url)) << url;
  }
  const std::string_view base = "http://h.example/a/b/c?q";
  const std::pair<std::string_view, std::string_view> targets[] = {
      {"d", "http://h.example/a/b/d"},           {"../d?x#f", "http://h.example/a/d?x"},
      {"./", "http://h.example/a/b/"},           {"/d/./e/..", "http://h.example/d/"},
      {"?r", "http://h.example/a/b/c?r"},        {"//other.example/p", "http://other.example/p"},
      {"https://s.example/", "https://s.example/"}, {"mailto:x@example.com", "mailto:x@example.com"},
  };
  for (const auto& [reference, resolved] : targets) EXPECT_EQ(ResolveReference(base, reference), resolved) << reference;
}

TEST(VerifyLinks, JudgesEveryKindOfAnswer) {
  const LinkServer server;
  const LinkVerdict alive{LinkState::kAlive, ""};
  const LinkVerdict silent{LinkState::kDead, "No answer within 2 s"};
  const auto dead = [](std::string detail) { return LinkVerdict{LinkState::kDead, std::move(detail)}; };
  const std::pair<std::string, LinkVerdict> cases[] = {
      {server.Url("plain1", "/ok"), alive}, {server.Url("plain1", "/agent"), alive},
      {server.Url("plain1", "/no-head"), alive}, {server.Url("plain1", "/temp"), alive},
      {server.Url("plain1", "/moved"), {LinkState::kMoved, server.Url("plain1", "/ok")}},
      {server.Url("plain2", "/chain#part"), {LinkState::kMoved, server.Url("plain2", "/ok")}},
      {server.Url("plain1", "/loop"), dead("Too many redirects")}, {server.Url("plain1", "/missing"), dead("404 Not Found")},
      {server.Url("plain2", "/gone"), dead("410 Gone")}, {server.Url("plain3", "/broken"), dead("500 Internal Server Error")},
      {server.Url("plain3", "/to-ftp"), dead("Redirect to a URL that is not http or https: ftp://127.0.0.1/file")},
      {server.Url("closed", "/"), dead("Connection refused")}, {server.Url("tls", "/ok"), dead("Certificate not trusted")},
      {"http://nowhere.invalid/", dead("Host not found")}, {server.Url("silent", "/1"), silent},
      {server.Url("silent", "/2"), silent}, {server.Url("silent", "/3"), silent}, {server.Url("silent", "/4"), silent},
      {"javascript:alert(1)", {}}, {"mailto:someone@example.com", {}}, {"not a url", {}}};
  server.ResetCounts();
  std::vector<std::string> urls;
  for (const auto& c : cases) urls.push_back(c.first);
  const std::vector<LinkVerdict> verdicts = LinkServer::Check(urls, 16);
  ASSERT_EQ(verdicts.size(), urls.size());
  for (std::size_t i = 0; i < urls.size(); ++i) {
    EXPECT_EQ(verdicts[i].state, cases[i].second.state) << urls[i];
    EXPECT_EQ(verdicts[i].detail, cases[i].second.detail) << urls[i];
  }
  // The silent server cost one timeout: its other links were not asked.
  EXPECT_EQ(server.Counts()["silent"], 2);
}

TEST(VerifyLinks, KeepsToTheLimitsOfOpenRequests) {
  const LinkServer server;
  for (const auto& [parallel, overall] : {std::pair{3, 3}, {16, 6}}) {
    std::vector<std::string> urls;
    for (const std::string name : {"plain1", "plain2", "plain3"}) {
      for (int i = 0; i < 4; ++i) urls.push_back(server.Url(name, "/slow?ms=300&n=" + std::to_string(i)));
    }
    server.ResetCounts();
    const std::vector<LinkVerdict> verdicts = LinkServer::Check(urls, parallel);
    EXPECT_TRUE(std::all_of(verdicts.begin(), verdicts.end(),
                            [](const LinkVerdict& verdict) { return verdict.state == LinkState::kAlive; }));
    std::map<std::string, int> counts = server.Counts();
    EXPECT_EQ(counts["overall"], overall) << "parallel " << parallel;
    for (const std::string name : {"plain1", "plain2", "plain3"}) {
      EXPECT_GE(counts[server.Port(name)], 1) << name;
      EXPECT_LE(counts[server.Port(name)], 2) << name;
    }
  }
}

TEST(VerifyRun, StoppedWhileRequestsHangEndsWithoutReplacingTheEarlierReport) {
  const LinkServer server;
  TempFolder favorites, output;
  favorites.Write("A/one.url", Shortcut(server.Url("silent", "/one")));
  favorites.Write("A/two.url", Shortcut(server.Url("plain1", "/slow?ms=20000")));
  const std::string earlier = output.Write(VerifyProcess::kFileName, "earlier");
  RecordingHost host;
  host.folders = {{"A", true, 2}};
  host.chosenFolder = output.Path();
  host.onPump = [&host] {
    for (const std::string& line : host.log) {
      if (line.starts_with("status Verifying links")) throw std::runtime_error("Stopped");
    }
  };
  Favorites walker(NativeFileServices(), [&] { return favorites.Path(); });
  // Requests that were waited for would hold the run for ten minutes.
  ProcessRunner runner(host, walker, favorites.Path(), [](ProcessKind) {
    return std::make_unique<VerifyProcess>(NativeFileServices(), LinkCheckOptions{600, 16, 2});
  });
  const ProcessRunner::Report report = runner.Run(ProcessKind::kVerify, host.Ticked());
  EXPECT_EQ(report.outcome, ProcessRunner::Outcome::kFailed);
  EXPECT_EQ(report.found.summary, "");
  EXPECT_EQ(ReadFile(earlier), "earlier");
  EXPECT_EQ(NativeFileServices().ListFolder(output.Path())->size(), 1u);
  const auto& log = host.log;
  const auto at = [&](std::string_view line) { return std::find(log.begin(), log.end(), line) - log.begin(); };
  const auto checking = at("status Verifying links... (0 of 2)");
  EXPECT_LT(at("status Verifying A..."), checking);
  ASSERT_LE(checking + 4, at("message Stopped"));
  EXPECT_EQ(std::vector<std::string>(log.begin() + checking + 1, log.begin() + checking + 4),
            (std::vector<std::string>{"value 0", "min 0", "max 2"}));
}

TEST(VerifyCli, WritesTheReportInWalkOrderAndPrintsTheSummary) {
  const LinkServer server;
  TempFolder favorites, output;
  const std::string missing = server.Url("plain1", "/missing"), moved = server.Url("plain2", "/moved");
  favorites.Write("Old/a.url", Shortcut(missing));
  favorites.Write("Old/b.url", Shortcut(moved));
  favorites.Write("Old/d.url", Shortcut(server.Url("plain3", "/ok")));
  favorites.Write("Old/Sub/c.url", Shortcut(missing));
  favorites.Write("top.url", Shortcut("javascript:void(0)"));
  std::ostringstream out, err;
  const int code = cli::RunCli({"--favorites", favorites.Path(), "verify", "--all", "--output", output.Path(),
                                "--timeout", "5", "--parallel", "2"},
                               out, err);
  EXPECT_EQ(code, cli::exit_code::kSuccess) << err.str();
  EXPECT_EQ(out.str(), "Verified 3 links: 1 dead, 1 moved, 1 not checked.\n");
  EXPECT_EQ(ReadFile(output / VerifyProcess::kFileName),
            missing + "\r\n  Dead: 404 Not Found\r\n  " + (favorites / "Old/Sub/c.url") + "\r\n  " +
                (favorites / "Old/a.url") + "\r\n\r\n" + moved + "\r\n  Moved: " + server.Url("plain2", "/ok") +
                "\r\n  " + (favorites / "Old/b.url") + "\r\n\r\n");
}

}  // namespace
}  // namespace vellumark
