// Folders the system or the shell defines. Each result has no trailing
// separator unless noted, and is "" when the folder cannot be found.
#pragma once

#include <string>

namespace vellumark {

namespace special_folder {
inline constexpr int kFavorites = 6;
inline constexpr int kDocuments = 5;
}

// The folder that an open shell file-browser window shows (the first one
// found), or "" when none is open or it does not answer.
std::string GetExplorerFolder();

// The print spooler's printer-driver and print-processor folders of the
// local machine ("" where the platform has none).
std::string GetPrinterDriverFolder();
std::string GetPrintProcessorFolder();

// The shell folder with the given identifier. Windows: the shell's own
// folder for that identifier; elsewhere only kFavorites is known, and it is
// ~/Favorites when that folder exists.
std::string GetSpecialFolder(int specialFolder);

// The temporary-files folder, with its trailing separator.
std::string GetTempFolder();

// The system folder and the system's installation folder ("" where the
// platform has none).
std::string GetSystemFolder();
std::string GetWindowsFolder();

}  // namespace vellumark
