// What the process runner asks of the window it runs in. The main window
// is one host, vellumark-cli another, the tests a recording fake.
#pragma once

#include <string>
#include <string_view>

namespace vellumark {

// The answer of the output-folder choice.
enum class FolderChoice { kChosen, kDriveNotAccessible, kCancelled };

class Host {
 public:
  virtual ~Host() = default;

  virtual void SetBusyPointer(bool busy) = 0;
  virtual void Repaint() = 0;

  // Sets `folder` when the user chose one.
  virtual FolderChoice ChooseOutputFolder(std::string& folder) = 0;

  // The walk of the ticked entry at `position` of the folder list starts;
  // `favorites` is the count of its favorites that the walk's listing has
  // just found.
  virtual void EntryStarted(int position, int favorites) = 0;
  // The walk of that entry is over: it is unticked.
  virtual void EntryFinished(int position) = 0;

  virtual void SetStatusText(std::string_view text) = 0;

  virtual void SetProgressMinimum(int value) = 0;
  virtual void SetProgressMaximum(int value) = 0;
  virtual void SetProgressValue(int value) = 0;
  virtual void StepProgress() = 0;

  // Lets pending window messages run.
  virtual void PumpMessages() = 0;
  // A message box with the exclamation icon, OK and the application title.
  virtual void ShowMessage(std::string_view text) = 0;
  // True when the items a run passes over (unreadable shortcuts, URLs that
  // cannot be parsed) are gathered into one message after the run, as a
  // window wants; false gives one message each as they are met, as a
  // console prints lines.
  virtual bool GathersSkipped() const = 0;
};

}  // namespace vellumark
