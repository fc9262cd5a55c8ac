// One of the processes a run carries out. The runner calls the members in
// this order: Prepare; for each checked folder BeginEntry, the events of
// its walk (FavoriteError after the runner's own report), EndEntry;
// Finish; Close (also on the error path). Members throw std::exception
// with a description for people to stop the run.
#pragma once

#include "favorites/favorite_items.h"
#include "processes/run_state.h"

#include <string_view>

namespace vellumark {

class Process {
 public:
  virtual ~Process() = default;

  // Opens the output; false when the user cancelled (nothing written).
  virtual bool Prepare(RunState& state) = 0;
  virtual void BeginEntry(const CheckedFolder&) {}
  virtual void EndEntry(const CheckedFolder&) {}
  // Only for folders whose Count is above 0.
  virtual void BeforeFolderChange(int, FolderItem&) {}
  virtual void AfterFolderChange(int, FolderItem&) {}
  virtual void FavoriteChange(int level, FavoriteItem& favorite, std::string_view file) = 0;
  // A shortcut without a readable URL, after the runner has reported it.
  virtual void FavoriteError(std::string_view) {}
  // Completes the output. Each output file takes the place of the earlier
  // one only once it is whole (a site's page at the end of its entry).
  virtual void Finish() {}
  // Releases what Prepare opened; an output the run did not complete is
  // dropped and the earlier file stays. Called once on the error path too,
  // where its own error is not reported again.
  virtual void Close() {}
  // Adds what the run found; called once the run has ended, however.
  virtual void AddFindings(RunFindings&) const {}
};

}  // namespace vellumark
