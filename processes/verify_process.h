// Verify: finds the dead and the moved favorites. The walk records every
// favorite's URL and shortcut file; then each distinct URL is checked once
// (see link_checker.h) and "Verify.txt" is written whole: for each dead or
// moved URL, at the place of its first favorite, the URL as read, then
// "  Dead: " and the reason or "  Moved: " and the final URL, then "  " and
// the path of every shortcut holding it in walking order, then an empty
// line. Nothing dead or moved gives an empty file. Like Check.txt, the
// report is Windows-1252 when every character fits, else UTF-8 with a
// byte-order mark.
//
// The run's summary is "Verified N links: D dead, M moved, S not checked.",
// N counting the distinct URLs asked, S those that are not http or https.
#pragma once

#include "processes/line_file.h"
#include "processes/link_checker.h"
#include "processes/process.h"
#include "support/file_services.h"
#include "support/http_client.h"

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <string>
#include <vector>

namespace vellumark {

class VerifyProcess final : public Process {
 public:
  using ClientFactory = std::function<std::unique_ptr<HttpClient>(const HttpOptions&)>;

  VerifyProcess(FileServices& services, LinkCheckOptions options, ClientFactory makeClient = MakeHttpClient)
      : services_(services), options_(options), makeClient_(std::move(makeClient)) {}

  bool Prepare(RunState& state) override;
  void FavoriteChange(int level, FavoriteItem& favorite, std::string_view file) override;
  void Finish() override;
  void Close() override;
  void AddFindings(RunFindings& found) const override;

  static constexpr const char* kFileName = "Verify.txt";

 private:
  // One distinct URL with the shortcut files that carry it.
  struct Link {
    std::string url;
    std::vector<std::string> files;
  };

  std::vector<LinkVerdict> Check(const std::vector<std::string>& urls);

  FileServices& services_;
  LinkCheckOptions options_;
  ClientFactory makeClient_;
  RunProgress* progress_ = nullptr;
  std::optional<LineFile> report_;
  std::vector<Link> links_;
  std::unordered_map<std::string, std::size_t> linkOf_;
  std::string summary_;
};

}  // namespace vellumark
