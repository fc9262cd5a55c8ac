// The process runner's host in a console: the folder list is the one of
// the command line, the output folder is given, message boxes go to
// stderr as they stand, and on a terminal one progress line (status text
// and n/total) is redrawn on stderr.
#pragma once

#include "runner/host.h"

#include <ostream>
#include <string>
#include <vector>

namespace vellumark::cli {

class ConsoleHost final : public Host {
 public:
  struct Folder {
    std::string text;
    bool ticked = false;
    int count = 0;
  };

  ConsoleHost(std::vector<Folder> folders, std::string outputFolder, std::ostream& err, bool showProgress);

  void SetBusyPointer(bool) override {}
  void Repaint() override {}
  FolderChoice ChooseOutputFolder(std::string& folder) override;
  int FolderCount() override { return static_cast<int>(folders_.size()); }
  std::string FolderText(int index) override { return folders_.at(index).text; }
  bool IsFolderTicked(int index) override { return folders_.at(index).ticked; }
  int FolderFavoriteCount(int index) override { return folders_.at(index).count; }
  void SetCurrentFolder(int) override {}
  void UntickFolder(int index) override { folders_.at(index).ticked = false; }
  void SetStatusText(std::string_view text) override;
  void SetProgressMinimum(int value) override { minimum_ = value; }
  void SetProgressMaximum(int value) override;
  void SetProgressValue(int value) override;
  void StepProgress() override;
  void EnableProcessButton(bool) override {}
  void PumpMessages() override {}
  void ShowMessage(std::string_view text) override;
  bool GathersSkipped() const override { return false; }

 private:
  void DrawProgress();
  void ClearProgress();

  std::vector<Folder> folders_;
  std::string outputFolder_;
  std::ostream& err_;
  bool showProgress_;
  std::string status_;
  int minimum_ = 0;
  int maximum_ = 0;
  int value_ = 0;
  std::size_t drawnWidth_ = 0;
};

}  // namespace vellumark::cli
