// Reading a folder's files by name through the full paths, for the file
// services that have no quicker way.
#include "support/file_services.h"

namespace vellumark {
namespace {

class FolderFilesByPath final : public FolderFiles {
 public:
  FolderFilesByPath(FileServices& services, std::string_view folder) : services_(services), folder_(folder) {}

  std::optional<std::string> ReadFile(std::string_view name) override {
    return services_.ReadFile(folder_ + std::string(name));
  }

 private:
  FileServices& services_;
  std::string folder_;
};

}  // namespace

std::unique_ptr<FolderFiles> FileServices::OpenFolderFiles(std::string_view folder) {
  return std::make_unique<FolderFilesByPath>(*this, folder);
}

}  // namespace vellumark
