// A host that keeps a folder list and writes every call the runner makes
// as one line of text, so tests can assert the exact sequence.
#pragma once

#include "runner/host.h"
#include "runner/process_runner.h"

#include <functional>
#include <string>
#include <vector>

namespace vellumark::testing {

class RecordingHost : public Host {
 public:
  struct Folder {
    std::string text;
    bool ticked = false;
    int count = 0;
  };

  std::vector<Folder> folders;
  FolderChoice chooseResult = FolderChoice::kChosen;
  std::string chosenFolder;
  std::vector<std::string> log;
  std::vector<std::string> messages;
  std::function<void()> onPump;  // runs inside PumpMessages

  void SetBusyPointer(bool busy) override { log.push_back(busy ? "busy on" : "busy off"); }
  void Repaint() override { log.push_back("repaint"); }
  FolderChoice ChooseOutputFolder(std::string& folder) override {
    log.push_back("choose");
    if (chooseResult == FolderChoice::kChosen) folder = chosenFolder;
    return chooseResult;
  }
  // The ticked entries of the folder list, as the window passes them.
  std::vector<ProcessRunner::Entry> Ticked() const {
    std::vector<ProcessRunner::Entry> ticked;
    for (int i = 0; i < static_cast<int>(folders.size()); ++i) {
      if (folders[i].ticked) ticked.push_back({i, folders[i].text});
    }
    return ticked;
  }
  void EntryStarted(int position, int favorites) override {
    folders.at(position).count = favorites;
    log.push_back("entry " + std::to_string(position) + " " + std::to_string(favorites));
  }
  void EntryFinished(int position) override {
    folders.at(position).ticked = false;
    log.push_back("untick " + std::to_string(position));
  }
  void SetStatusText(std::string_view text) override { log.push_back("status " + std::string(text)); }
  void SetProgressMinimum(int value) override { log.push_back("min " + std::to_string(value)); }
  void SetProgressMaximum(int value) override { log.push_back("max " + std::to_string(value)); }
  void SetProgressValue(int value) override { log.push_back("value " + std::to_string(value)); }
  void StepProgress() override { log.push_back("step"); }
  void PumpMessages() override {
    if (onPump) onPump();
  }
  void ShowMessage(std::string_view text) override {
    log.push_back("message " + std::string(text));
    messages.emplace_back(text);
  }
  bool GathersSkipped() const override { return true; }
};

}  // namespace vellumark::testing
