// Carries out one choice of the "Process" menu over the ticked entries of
// the folder list: asks the host for the output folder, lets the process
// prepare, lists and walks each entry once with status and progress (the
// listing gives the progress maximum), lets the process finish, and closes
// its output. Any exception during a run stops it and is shown
// as a message box with its description (the one error path). The items
// the run passes over are reported as the host wants them: one message
// each, or gathered into one message at the end of the run. Work a process
// does after the walk shows its status and progress through the runner.
#pragma once

#include "favorites/favorites.h"
#include "processes/process.h"
#include "processes/run_state.h"
#include "runner/host.h"
#include "runner/skipped_items.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vellumark {

class ProcessRunner : private FavoritesEvents, private RunProgress {
 public:
  // Makes the process of a kind; null for a kind the host has none of.
  using ProcessFactory = std::function<std::unique_ptr<Process>(ProcessKind kind)>;

  enum class Outcome {
    kCompleted,  // every checked folder walked and the output closed
    kCancelled,  // folder choice or process set-up cancelled; nothing written
    kFailed,     // ended through the error path (message shown)
    kRefused,    // a run was already in progress
  };

  // A ticked entry of the folder list: its position and text ("/" for the
  // Favorites folder itself).
  struct Entry {
    int position = 0;
    std::string text;
  };

  struct Report {
    Outcome outcome = Outcome::kRefused;
    int entries = 0;    // entries walked to their end
    int favorites = 0;  // shortcuts read with a URL
    std::vector<std::string> unreadable;  // shortcuts without a readable URL
    RunFindings found;
  };

  ProcessRunner(Host& host, Favorites& favorites, std::string favoritesFolder, ProcessFactory factory);

  // Called again from inside a run (the host pumps messages), it refuses.
  Report Run(ProcessKind kind, const std::vector<Entry>& ticked);

  const RunState& State() const { return state_; }

  // The status text of a process with "%%FOLDER%%" replaced by `folder` in
  // one pass.
  static std::string StatusText(ProcessKind kind, std::string_view folder);

 private:
  Outcome RunChosen(ProcessKind kind, const std::vector<Entry>& ticked);
  void WalkEntry(CheckedFolder& entry);
  Outcome Fail(std::string_view description);
  void ReportSkipped(Skipped kind, std::string_view item);

  void AfterFolderChange(int level, FolderItem& folder) override;
  void BeforeFolderChange(int level, FolderItem& folder) override;
  void FavoriteChange(int level, FavoriteItem& favorite, std::string_view file) override;
  void FavoriteError(std::string_view file) override;

  void SetStatus(std::string_view text) override;
  void SetMaximum(int maximum) override;
  void SetValue(int value) override;
  void Pump() override;

  Host& host_;
  Favorites& favorites_;
  ProcessFactory factory_;
  RunState state_;
  std::unique_ptr<Process> process_;
  SkippedItems skipped_;
  Report report_;
  bool running_ = false;
};

}  // namespace vellumark
