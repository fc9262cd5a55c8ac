// The process runner's host in a console: the output folder is given, message boxes go to
// stderr as they stand, and on a terminal one progress line (status text
// and n/total) is redrawn on stderr.
#pragma once

#include "runner/host.h"

#include <ostream>
#include <string>

namespace vellumark::cli {

class ConsoleHost final : public Host {
 public:
  ConsoleHost(std::string outputFolder, std::ostream& err, bool showProgress);

  void SetBusyPointer(bool) override {}
  void Repaint() override {}
  FolderChoice ChooseOutputFolder(std::string& folder) override;
  void EntryStarted(int, int) override {}
  void EntryFinished(int) override {}
  void SetStatusText(std::string_view text) override;
  void SetProgressMinimum(int value) override { minimum_ = value; }
  void SetProgressMaximum(int value) override;
  void SetProgressValue(int value) override;
  void StepProgress() override;
  void PumpMessages() override {}
  void ShowMessage(std::string_view text) override;
  bool GathersSkipped() const override { return false; }

 private:
  void DrawProgress();
  void ClearProgress();

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
