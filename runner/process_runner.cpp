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

ProcessRunner::Report ProcessRunner::Run(ProcessKind kind, const std::vector<Entry>& ticked) {
  if (running_) return {};
  RunningFlag running(running_);
  process_.reset();
  skipped_.Clear();
  report_ = Report();
  host_.SetBusyPointer(true);
  try {
    report_.outcome = RunChosen(kind, ticked);
  } catch (const std::exception& error) {
    report_.outcome = Fail(error.what());
  } catch (...) {
    report_.outcome = Fail("Unexpected error");
  }
  host_.SetBusyPointer(false);
  if (const std::string skipped = skipped_.Message(); !skipped.empty()) host_.ShowMessage(skipped);
  if (process_) process_->AddFindings(report_.found);
  return std::move(report_);
}

ProcessRunner::Outcome ProcessRunner::RunChosen(ProcessKind kind, const std::vector<Entry>& ticked) {
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
  for (const Entry& entry : ticked) state_.checkedfolders.push_back({entry.position, entry.text, 0, 0});
  process_ = factory_(state_.currentprocess);
  if (!process_ || !process_->Prepare(state_)) return Outcome::kCancelled;
  for (CheckedFolder& entry : state_.checkedfolders) WalkEntry(entry);
  process_->Finish();
  process_->Close();
  host_.SetStatusText("");
  host_.SetProgressValue(0);
  return Outcome::kCompleted;
}

// Lists the entry's tree once: the listing gives the progress maximum and
// is then walked, each shortcut read once.
void ProcessRunner::WalkEntry(CheckedFolder& entry) {
  host_.PumpMessages();
  host_.SetStatusText(StatusText(state_.currentprocess, entry.text));
  const bool root = entry.text == kRootEntry;
  const FolderListing listing = favorites_.List(state_.favoritesfolder + (root ? "" : entry.text), !root);
  entry.favoritecount = listing.count;
  host_.EntryStarted(entry.position, listing.count);
  host_.SetProgressMinimum(0);
  host_.SetProgressMaximum(listing.count);
  host_.SetProgressValue(0);
  process_->BeginEntry(entry);
  favorites_.Read(listing, *this);
  process_->EndEntry(entry);
  host_.EntryFinished(entry.position);
  ++report_.entries;
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
  host_.SetProgressValue(0);
  return Outcome::kFailed;
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
  ++report_.favorites;
  host_.StepProgress();
}

void ProcessRunner::FavoriteError(std::string_view file) {
  ReportSkipped(Skipped::kUnreadableShortcut, file);
  report_.unreadable.emplace_back(file);
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
