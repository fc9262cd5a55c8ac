#include "app/win32/output_folder_choice.h"

namespace vellumark::gui {

FolderChoice OutputFolderChoice::Choose(std::string& folder) {
  // The prompt shows the folder offered first.
  dialogs_.Title = dialogs_.FolderName;
  switch (dialogs_.ShowBrowse()) {
    case CommonDialogs::kChosen: folder = dialogs_.FolderName; return FolderChoice::kChosen;
    case CommonDialogs::kDriveNotAccessible: return FolderChoice::kDriveNotAccessible;
    default: return FolderChoice::kCancelled;
  }
}

}  // namespace vellumark::gui
