#include "generate/site_resources.h"

#include "support/file_system.h"
#include "support/path.h"

#include <algorithm>

namespace vellumark {

CopiedResources CopyTemplateResources(FileServices& services, std::string_view templateFolder,
                                      std::string_view outputFolder) {
  const FileSystem files(services);
  std::vector<std::string> listed;
  files.EnumerateRecursiveFiles(templateFolder, 0, listed);

  CopiedResources result;
  const auto addTopLevel = [&result](std::string_view name) {
    if (std::find(result.topLevelNames.begin(), result.topLevelNames.end(), name) == result.topLevelNames.end()) {
      result.topLevelNames.emplace_back(name);
    }
  };
  for (const std::string& source : listed) {
    const std::string relative = source.substr(templateFolder.size());
    // The folders on the way; an existing one is fine.
    for (std::size_t end = relative.find(path::kSeparator); end != std::string::npos;
         end = relative.find(path::kSeparator, end + 1)) {
      files.CreateFolder(std::string(outputFolder) + relative.substr(0, end + 1));
    }
    const std::size_t separator = relative.find(path::kSeparator);
    const bool page = FileSystem::IsFileExtension(relative, "html");
    if (separator != std::string::npos || !page) addTopLevel(relative.substr(0, separator));
    if (page) continue;
    const std::string destination = std::string(outputFolder) + relative;
    const std::uint32_t existing = services.GetAttributes(destination);
    if (existing != attribute::kInvalid && (existing & attribute::kReadOnly) != 0) {
      services.SetAttributes(destination, existing & ~(attribute::kReadOnly | attribute::kDirectory));
    }
    if (!files.CopyFile(source, destination)) result.failed.push_back(source);
  }
  return result;
}

}  // namespace vellumark
