// Carries out one choice of the "Process" menu: asks the host for the
// output folder, takes the ticked folders, lets the process prepare, walks
// each ticked folder with status and progress, lets the process finish,
// and closes its output. Any exception during a run stops it and is shown
// as a message box with its description (the one error path). The items
// the run passes over are reported as the host wants them: one message
// each, or gathered into one message at the end of the run.
#pragma once

#include "favorites/favorites.h"
#include "processes/process.h"
#include "processes/run_state.h"
#include "runner/host.h"
#include "runner/skipped_items.h"

#include <functional>
#include <memory>
#include <string>

namespace vellumark {

class ProcessRunner : private FavoritesEvents {
 public:
  // Makes the process for a process number (1 to 5); null for a number
  // that has none.
  using ProcessFactory = std::function<std::unique_ptr<Process>(int currentprocess)>;

  enum class Outcome {
    kCompleted,  // every checked folder walked and the output closed
    kCancelled,  // folder choice or process set-up cancelled; nothing written
    kFailed,     // ended through the error path (message shown)
    kRefused,    // a run was already in progress
  };

  ProcessRunner(Host& host, Favorites& favorites, std::string favoritesFolder, ProcessFactory factory);

  // `index` is the chosen menu item's index (0 Check ... 4 Statistics).
  // Called again from inside a run (the host pumps messages), it refuses.
  // The process a run made lives until the next run starts, so its caller
  // can read its results afterwards.
  Outcome Run(int index);

  const RunState& State() const { return state_; }

  // The status text of a process with "%%FOLDER%%" replaced by `folder` in
  // one pass.
  static std::string StatusText(int currentprocess, std::string_view folder);

 private:
  Outcome RunChosen(int index);
  void WalkEntry(CheckedFolder& entry);
  Outcome Fail(std::string_view description);
  bool AnyFolderTicked();
  void ReportSkipped(Skipped kind, std::string_view item);

  void AfterFolderChange(int level, FolderItem& folder) override;
  void BeforeFolderChange(int level, FolderItem& folder) override;
  void FavoriteChange(int level, FavoriteItem& favorite, std::string_view file) override;
  void FavoriteError(std::string_view file) override;

  Host& host_;
  Favorites& favorites_;
  ProcessFactory factory_;
  RunState state_;
  std::unique_ptr<Process> process_;
  SkippedItems skipped_;
  bool running_ = false;
};

}  // namespace vellumark
