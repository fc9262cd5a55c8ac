#include "runner/process_runner.h"

#include "support/formatting.h"
#include "support/path.h"

#include <exception>

namespace vellumark {
namespace {

constexpr std::string_view kFolderPlaceholder = "%%FOLDER%%";

std::string_view StatusTemplate(ProcessKind kind) {
  switch (kind) {
    case ProcessKind::kCheck: return "Checking %%FOLDER%%...";
    case ProcessKind::kClean: return "Cleaning %%FOLDER%%...";
    case ProcessKind::kConvert: return "Converting %%FOLDER%%...";
    case ProcessKind::kVerify: return "Verifying %%FOLDER%%...";
    default: return "Generating %%FOLDER%%...";
  }
}

// Clears the flag when the run ends, however it ends.
class RunningFlag {
 public:
  explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;
  ~RunningFlag() { flag_ = false; }

 private:
  bool& flag_;
};

}  // namespace

ProcessRunner::ProcessRunner(Host& host, Favorites& favorites, std::string favoritesFolder, ProcessFactory factory)
    : host_(host), favorites_(favorites), factory_(std::move(factory)) {
  state_.favoritesfolder = path::AddFolderSeparator(favoritesFolder);
  state_.reportSkipped = [this](Skipped kind, std::string_view item) { ReportSkipped(kind, item); };
  state_.progress = this;
}

std::string ProcessRunner::StatusText(ProcessKind kind, std::string_view folder) {
  return StringEx::ReplaceAll(StatusTemplate(kind), kFolderPlaceholder, folder);
}

ProcessRunner::Report ProcessRunner::Run(ProcessKind kind) {
  if (running_) return {};
  RunningFlag running(running_);
  process_.reset();
  skipped_.Clear();
  host_.SetBusyPointer(true);
  Report report;
  try {
    report.outcome = RunChosen(kind);
  } catch (const std::exception& error) {
    report.outcome = Fail(error.what());
  } catch (...) {
    report.outcome = Fail("Unexpected error");
  }
  host_.SetBusyPointer(false);
  if (const std::string skipped = skipped_.Message(); !skipped.empty()) host_.ShowMessage(skipped);
  if (process_) process_->AddFindings(report.found);
  return report;
}

ProcessRunner::Outcome ProcessRunner::RunChosen(ProcessKind kind) {
  std::string chosen;
  const FolderChoice choice = host_.ChooseOutputFolder(chosen);
  if (choice == FolderChoice::kDriveNotAccessible) {
    host_.Repaint();
    host_.ShowMessage("Error accessing drive");
    return Outcome::kCancelled;
  }
  if (choice != FolderChoice::kChosen) return Outcome::kCancelled;
  host_.SetBusyPointer(true);
  host_.Repaint();
  state_.outputfolder = path::AddFolderSeparator(chosen);
  state_.currentprocess = kind;
  state_.checkedfolders.clear();
  for (int i = 0, count = host_.FolderCount(); i < count; ++i) {
    if (host_.IsFolderTicked(i)) state_.checkedfolders.push_back({i, host_.FolderText(i), 0, 0});
  }
  process_ = factory_(state_.currentprocess);
  if (!process_ || !process_->Prepare(state_)) return Outcome::kCancelled;
  for (CheckedFolder& entry : state_.checkedfolders) WalkEntry(entry);
  process_->Finish();
  process_->Close();
  host_.SetStatusText("");
  host_.SetProgressValue(0);
  return Outcome::kCompleted;
}

void ProcessRunner::WalkEntry(CheckedFolder& entry) {
  host_.PumpMessages();
  host_.SetCurrentFolder(entry.position);
  host_.SetStatusText(StatusText(state_.currentprocess, host_.FolderText(entry.position)));
  host_.SetProgressMinimum(0);
  entry.favoritecount = host_.FolderFavoriteCount(entry.position);
  host_.SetProgressMaximum(entry.favoritecount);
  host_.SetProgressValue(0);
  process_->BeginEntry(entry);
  if (entry.text != kRootEntry) {
    favorites_.Read(state_.favoritesfolder + entry.text, true, *this);
  } else {
    favorites_.Read(state_.favoritesfolder, false, *this);
  }
  process_->EndEntry(entry);
  host_.UntickFolder(entry.position);
  host_.SetBusyPointer(true);
}

ProcessRunner::Outcome ProcessRunner::Fail(std::string_view description) {
  host_.ShowMessage(description);
  if (process_) {
    try {
      process_->Close();
    } catch (const std::exception&) {
      // The run has failed already; its first error is the one shown.
    }
  }
  host_.SetStatusText("");
  host_.EnableProcessButton(AnyFolderTicked());
  host_.SetProgressValue(0);
  return Outcome::kFailed;
}

bool ProcessRunner::AnyFolderTicked() {
  for (int i = 0, count = host_.FolderCount(); i < count; ++i) {
    if (host_.IsFolderTicked(i)) return true;
  }
  return false;
}

void ProcessRunner::AfterFolderChange(int level, FolderItem& folder) {
  if (folder.Count > 0) process_->AfterFolderChange(level, folder);
}

void ProcessRunner::BeforeFolderChange(int level, FolderItem& folder) {
  if (folder.Count > 0) process_->BeforeFolderChange(level, folder);
}

void ProcessRunner::FavoriteChange(int level, FavoriteItem& favorite, std::string_view file) {
  host_.PumpMessages();
  process_->FavoriteChange(level, favorite, file);
  host_.StepProgress();
}

void ProcessRunner::FavoriteError(std::string_view file) {
  ReportSkipped(Skipped::kUnreadableShortcut, file);
  process_->FavoriteError(file);
  host_.StepProgress();
}

void ProcessRunner::SetStatus(std::string_view text) { host_.SetStatusText(text); }

// The value goes to 0 first, so it is never above the new maximum.
void ProcessRunner::SetMaximum(int maximum) {
  host_.SetProgressValue(0);
  host_.SetProgressMinimum(0);
  host_.SetProgressMaximum(maximum);
}

void ProcessRunner::SetValue(int value) { host_.SetProgressValue(value); }

void ProcessRunner::Pump() { host_.PumpMessages(); }

void ProcessRunner::ReportSkipped(Skipped kind, std::string_view item) {
  if (host_.GathersSkipped()) {
    skipped_.Add(kind, item);
  } else {
    host_.ShowMessage(std::string(SkippedLead(kind)) + " " + std::string(item));
  }
}

}  // namespace vellumark
