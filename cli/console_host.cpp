#include "cli/console_host.h"

namespace vellumark::cli {

ConsoleHost::ConsoleHost(std::string outputFolder, std::ostream& err, bool showProgress)
    : outputFolder_(std::move(outputFolder)), err_(err), showProgress_(showProgress) {}

FolderChoice ConsoleHost::ChooseOutputFolder(std::string& folder) {
  folder = outputFolder_;
  return FolderChoice::kChosen;
}

void ConsoleHost::SetStatusText(std::string_view text) {
  status_ = text;
  DrawProgress();
}

// A maximum that is not above the minimum is ignored, as a progress bar does.
void ConsoleHost::SetProgressMaximum(int value) {
  if (value > minimum_) maximum_ = value;
}

void ConsoleHost::SetProgressValue(int value) {
  if (value >= minimum_ && value <= maximum_) value_ = value;
  DrawProgress();
}

void ConsoleHost::StepProgress() { SetProgressValue(value_ + 1); }

void ConsoleHost::ShowMessage(std::string_view text) {
  ClearProgress();
  err_ << text << '\n';
  DrawProgress();
}

void ConsoleHost::DrawProgress() {
  if (!showProgress_) return;
  if (status_.empty()) {
    ClearProgress();
    return;
  }
  const std::string line = status_ + " " + std::to_string(value_) + "/" + std::to_string(maximum_);
  err_ << '\r' << line;
  if (line.size() < drawnWidth_) err_ << std::string(drawnWidth_ - line.size(), ' ') << '\r' << line;
  err_ << std::flush;
  drawnWidth_ = line.size();
}

void ConsoleHost::ClearProgress() {
  if (!showProgress_ || drawnWidth_ == 0) return;
  err_ << '\r' << std::string(drawnWidth_, ' ') << '\r' << std::flush;
  drawnWidth_ = 0;
}

}  // namespace vellumark::cli
