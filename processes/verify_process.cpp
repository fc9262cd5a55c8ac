#include "processes/verify_process.h"

#include "vellumark_version.h"

namespace vellumark {
namespace {

std::string CheckingStatus(std::size_t done, std::size_t total) {
  return "Verifying links... (" + std::to_string(done) + " of " + std::to_string(total) + ")";
}

}  // namespace

bool VerifyProcess::Prepare(RunState& state) {
  links_.clear();
  linkOf_.clear();
  summary_.clear();
  progress_ = state.progress;
  report_.emplace(services_, state.outputfolder + kFileName);
  return true;
}

void VerifyProcess::FavoriteChange(int, FavoriteItem& favorite, std::string_view file) {
  const auto [found, added] = linkOf_.try_emplace(favorite.URL, links_.size());
  if (added) links_.push_back({favorite.URL, {}});
  links_[found->second].files.emplace_back(file);
}

std::vector<LinkVerdict> VerifyProcess::Check(const std::vector<std::string>& urls) {
  const std::unique_ptr<HttpClient> client =
      makeClient_({options_.timeoutSeconds * 1000, "Vellumark/" VELLUMARK_VERSION});
  std::size_t shown = 0;
  if (progress_) {
    progress_->SetStatus(CheckingStatus(0, urls.size()));
    progress_->SetMaximum(static_cast<int>(urls.size()));
  }
  return CheckLinks(urls, options_, *client, [&](std::size_t done) {
    if (!progress_) return;
    if (done != shown) {
      shown = done;
      progress_->SetValue(static_cast<int>(done));
      progress_->SetStatus(CheckingStatus(done, urls.size()));
    }
    progress_->Pump();
  });
}

void VerifyProcess::Finish() {
  std::vector<std::string> urls;
  urls.reserve(links_.size());
  for (const Link& link : links_) urls.push_back(link.url);
  const std::vector<LinkVerdict> verdicts = Check(urls);

  std::string report;
  std::size_t dead = 0, moved = 0, notChecked = 0;
  for (std::size_t i = 0; i < links_.size(); ++i) {
    const LinkVerdict& verdict = verdicts[i];
    if (verdict.state == LinkState::kNotChecked) ++notChecked;
    if (verdict.state != LinkState::kDead && verdict.state != LinkState::kMoved) continue;
    const bool isDead = verdict.state == LinkState::kDead;
    ++(isDead ? dead : moved);
    report.append(links_[i].url).append(isDead ? "\r\n  Dead: " : "\r\n  Moved: ").append(verdict.detail).append("\r\n");
    for (const std::string& file : links_[i].files) report.append("  ").append(file).append("\r\n");
    report.append("\r\n");
  }
  report_->WriteText(report);
  report_->Close();
  summary_ = "Verified " + std::to_string(links_.size() - notChecked) + " links: " + std::to_string(dead) + " dead, " +
             std::to_string(moved) + " moved, " + std::to_string(notChecked) + " not checked.";
}

void VerifyProcess::Close() { report_.reset(); }

void VerifyProcess::AddFindings(RunFindings& found) const {
  if (!summary_.empty()) found.summary = summary_;
}

}  // namespace vellumark
