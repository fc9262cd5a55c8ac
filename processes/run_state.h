// The state of the current (or last) run that the processes read.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark {

// One ticked entry of the folder list, taken at the start of a run.
struct CheckedFolder {
  int position = 0;
  std::string text;  // folder name, or "/" for the Favorites folder itself
  // Filled by Generate and Statistics: the shortcut files met while
  // walking the entry, and those of them marked new.
  int processedcount = 0;
  int newcount = 0;
  // The count of the entry's favorites that its listing found when its walk
  // started.
  int favoritecount = 0;
};

// The processes of the "Process" menu; each value is the menu item's index
// plus 1, the number stored and given on the command line.
enum class ProcessKind { kCheck = 1, kClean, kConvert, kGenerate, kStatistics, kVerify };

inline ProcessKind ProcessFromMenuIndex(int index) { return static_cast<ProcessKind>(index + 1); }

inline constexpr const char* kRootEntry = "/";

// What a run passes over and goes on from: a shortcut without a readable
// URL (named by its path), a URL Statistics cannot parse.
enum class Skipped { kUnreadableShortcut, kUnparsableUrl };

// What a run found that its caller reports.
struct RunFindings {
  std::vector<std::string> unwritten;     // shortcuts Clean could not rewrite
  std::vector<std::string> failedCopies;  // site resources that could not be copied
  std::string summary;                    // one line on what a completed run found
};

// Status and progress of work a process does after the walk, shown where
// the walk's are, with the window kept responsive meanwhile.
class RunProgress {
 public:
  virtual ~RunProgress() = default;
  virtual void SetStatus(std::string_view text) = 0;
  // Runs the progress from 0 to `maximum`, at 0.
  virtual void SetMaximum(int maximum) = 0;
  virtual void SetValue(int value) = 0;
  // Lets pending window messages run; throws when the run is to stop.
  virtual void Pump() = 0;
};

struct RunState {
  ProcessKind currentprocess = ProcessKind::kCheck;
  std::string outputfolder;     // with trailing separator
  std::string favoritesfolder;  // with trailing separator
  std::vector<CheckedFolder> checkedfolders;
  // Reports an item the run passes over; set by the runner.
  std::function<void(Skipped, std::string_view item)> reportSkipped;
  // Set by the runner.
  RunProgress* progress = nullptr;
};

}  // namespace vellumark
