#include "app/win32/output_folder_choice.h"

namespace vellumark::gui {

int OutputFolderChoice::Choose(std::string& folder) {
  // The prompt shows the folder offered first.
  dialogs_.Title = dialogs_.FolderName;
  const int status = dialogs_.ShowBrowse();
  if (status == CommonDialogs::kChosen) folder = dialogs_.FolderName;
  return status;
}

}  // namespace vellumark::gui
