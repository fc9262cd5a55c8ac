#include "processes/check_process.h"

#include <string_view>
#include <unordered_map>

namespace vellumark {

bool CheckProcess::Prepare(RunState& state) {
  entries_.clear();
  report_.emplace(services_, state.outputfolder + kFileName);
  return true;
}

void CheckProcess::FavoriteChange(int, FavoriteItem& favorite, std::string_view file) {
  entries_.push_back({favorite.URL, std::string(file)});
}

void CheckProcess::Finish() {
  // Members of each URL in recording order, keyed by the URL's first entry.
  std::unordered_map<std::string_view, std::vector<std::size_t>> groups;
  groups.reserve(entries_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i) groups[entries_[i].url].push_back(i);

  std::string report;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const std::vector<std::size_t>& members = groups[entries_[i].url];
    if (members.size() < 2 || members.front() != i) continue;
    report.append(entries_[i].url).append("\r\n");
    for (const std::size_t member : members) report.append("  ").append(entries_[member].file).append("\r\n");
    report.append("\r\n");
  }
  report_->WriteText(report);
  report_->Close();
}

void CheckProcess::Close() { report_.reset(); }

}  // namespace vellumark
