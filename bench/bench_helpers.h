// What the benchmark programs share: timing (best of a few runs, taking
// turns), the plain read they measure the processes against, every entry
// of the folder list, a host that shows nothing, and a generated tree in a folder of
// its own.
#pragma once

#include "favorites/favorites.h"
#include "runner/host.h"
#include "runner/process_runner.h"
#include "support/file_services.h"
#include "tools/tree_generator.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vellumark::bench {

// Seconds one call of `work` takes.
double Seconds(const std::function<void()>& work);

// Seconds of the fastest of `runs` calls of each piece of work, in the
// order given. The pieces take turns, so a change in the machine's load
// hits them alike.
std::vector<double> Best(int runs, const std::vector<std::function<void()>>& works);

// Lists every folder and reads every file below `folder` (which ends with a
// separator); returns the bytes read so that nothing is optimised away.
std::size_t PlainRead(FileServices& services, const std::string& folder);

// Every entry of the folder list, ticked.
std::vector<ProcessRunner::Entry> AllEntries(Favorites& favorites);

// Nothing shown; counts the message boxes.
class SilentHost final : public Host {
 public:
  explicit SilentHost(std::string output) : output_(std::move(output)) {}

  void SetBusyPointer(bool) override {}
  void Repaint() override {}
  FolderChoice ChooseOutputFolder(std::string& folder) override {
    folder = output_;
    return FolderChoice::kChosen;
  }
  void EntryStarted(int, int) override {}
  void EntryFinished(int) override {}
  void SetStatusText(std::string_view) override {}
  void SetProgressMinimum(int) override {}
  void SetProgressMaximum(int) override {}
  void SetProgressValue(int) override {}
  void StepProgress() override {}
  void PumpMessages() override {}
  void ShowMessage(std::string_view) override { ++messages; }
  bool GathersSkipped() const override { return false; }

  int messages = 0;

 private:
  std::string output_;
};

// A folder of its own below `base` ("vellumark-bench-<stamp>-<name>")
// holding a generated tree in "favorites" and an empty "output" folder;
// removed with everything in it at the end.
class Tree {
 public:
  // `options.output` is replaced by the tree's own favorites folder.
  Tree(const std::string& base, const std::string& name, tools::TreeOptions options);
  Tree(const Tree&) = delete;
  Tree& operator=(const Tree&) = delete;
  ~Tree();

  bool Ok() const { return summary_.has_value(); }
  // What the generator wrote; nothing when it failed.
  const std::optional<tools::TreeSummary>& Summary() const { return summary_; }
  // Seconds the generator took.
  double Seconds() const { return seconds_; }
  // The tree's own folder, with a separator at the end.
  std::string Folder() const;
  // Its favorites folder, with a separator at the end.
  std::string Favorites() const;
  std::string Output() const;

 private:
  std::string folder_;
  std::optional<tools::TreeSummary> summary_;
  double seconds_ = 0;
};

}  // namespace vellumark::bench
