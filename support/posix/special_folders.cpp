#include "support/special_folders.h"

#include <sys/stat.h>

#include <cstdlib>

namespace vellumark {
namespace {

bool IsDirectory(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string GetExplorerFolder() { return ""; }
std::string GetPrinterDriverFolder() { return ""; }
std::string GetPrintProcessorFolder() { return ""; }

std::string GetSpecialFolder(int specialFolder) {
  if (specialFolder != special_folder::kFavorites) return "";
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') return "";
  std::string favorites = std::string(home) + "/Favorites";
  return IsDirectory(favorites) ? favorites : "";
}

std::string GetTempFolder() {
  const char* temp = std::getenv("TMPDIR");
  std::string folder = temp != nullptr && *temp != '\0' ? temp : "/tmp";
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string GetSystemFolder() { return ""; }
std::string GetWindowsFolder() { return ""; }

}  // namespace vellumark
