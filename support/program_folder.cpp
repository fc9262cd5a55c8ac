#include "support/program_folder.h"

#include "support/path.h"

namespace vellumark {
namespace {

bool CanMakeFileIn(std::string_view folder, FileServices& services) {
  const std::string probe = path::AddFolderSeparator(folder) + "vellumark-write-probe.tmp";
  if (services.GetAttributes(probe) != attribute::kInvalid) return true;
  const bool written = services.WriteFile(probe, "");
  services.RemoveFile(probe);
  return written;
}

}  // namespace

std::string FirstOutputFolder(std::string_view programFolder, std::string_view documentsFolder,
                              FileServices& services) {
  if (documentsFolder.empty() || CanMakeFileIn(programFolder, services)) return std::string(programFolder);
  return path::AddFolderSeparator(documentsFolder);
}

}  // namespace vellumark
