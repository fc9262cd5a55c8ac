// The output-folder choice of a run: the folder browser, opened at the
// folder chosen last (at first the one FirstOutputFolder gives: the
// program's own folder, or Documents when that cannot be written), with that
// folder as its prompt.
#pragma once

#include "runner/host.h"
#include "support/win32/common_dialogs.h"
#include "support/win32/windows_gate.h"

#include <string>

namespace vellumark::gui {

class OutputFolderChoice {
 public:
  void SetOwner(HWND owner) { dialogs_.OwnerHwnd = owner; }
  const std::string& FolderName() const { return dialogs_.FolderName; }
  void SetFolderName(std::string folder) { dialogs_.FolderName = std::move(folder); }

  // Sets `folder` when the user chose one.
  FolderChoice Choose(std::string& folder);

 private:
  CommonDialogs dialogs_;
};

}  // namespace vellumark::gui
