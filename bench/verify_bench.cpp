// vellumark-verify-bench [DIR]: links checked per second by Verify's link
// checker against web servers on 127.0.0.1 that answer every request after
// 300 ms, at several limits of open requests. DIR holds the "ports" file of
// servers started with tests/processes/link_server.py; without it (posix
// only) the program starts 32 such servers itself and stops them after.
#include "bench/bench_helpers.h"
#include "processes/link_checker.h"
#include "support/http_client.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace vellumark::bench {
namespace {

constexpr int kLinks = 192;

std::vector<int> PlainPorts(const std::string& folder) {
  std::ifstream in(folder + "/ports");
  std::vector<int> ports;
  std::string name;
  int port = 0;
  while (in >> name >> port) {
    if (name.starts_with("plain")) ports.push_back(port);
  }
  return ports;
}

int Run(const std::string& folder) {
  const std::vector<int> ports = PlainPorts(folder);
  if (ports.empty()) {
    std::fprintf(stderr, "no servers listed in %s/ports\n", folder.c_str());
    return 1;
  }
  std::printf("%d links over %zu servers answering after 300 ms (at most 2 requests to one server)\n", kLinks,
              ports.size());
  for (const int parallel : {4, 16, 64}) {
    std::vector<std::string> urls;
    for (int i = 0; i < kLinks; ++i) {
      urls.push_back("http://127.0.0.1:" + std::to_string(ports[i % ports.size()]) + "/slow?ms=300&n=" +
                     std::to_string(i) + "-" + std::to_string(parallel));
    }
    std::size_t alive = 0;
    const double seconds = Seconds([&] {
      const std::unique_ptr<HttpClient> client = MakeHttpClient({10000, "Vellumark/bench"});
      for (const LinkVerdict& verdict : CheckLinks(urls, {10, parallel, 2}, *client, [](std::size_t) {})) {
        alive += verdict.state == LinkState::kAlive;
      }
    });
    std::printf("parallel %2d: %6.1f links/s (%zu of %d alive)\n", parallel, kLinks / seconds, alive, kLinks);
  }
  return 0;
}

}  // namespace
}  // namespace vellumark::bench

int main(int argc, char** argv) {
  if (argc > 1) return vellumark::bench::Run(argv[1]);
#ifdef _WIN32
  std::fprintf(stderr, "usage: vellumark-verify-bench DIR (the folder of running link servers)\n");
  return 2;
#else
  const std::string folder = "/tmp/vellumark-verify-bench-" + std::to_string(::getpid());
  const std::string server = "python3 " VELLUMARK_LINK_SERVER_SCRIPT " ";
  if (std::system((server + "start " + folder + " 32").c_str()) != 0) return 1;
  const int result = vellumark::bench::Run(folder);
  std::system((server + "stop " + folder).c_str());
  std::system(("rm -rf " + folder).c_str());
  return result;
#endif
}
