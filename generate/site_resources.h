// Copies the resources of a template set (style sheets, pictures: every
// file whose name does not end in ".html", in any letter case) to the same
// relative paths under the output folder, making the folders they need.
#pragma once

#include "support/file_services.h"

#include <string>
#include <string_view>
#include <vector>

namespace vellumark {

struct CopiedResources {
  // The names the copy uses in the output folder's top level (files and
  // folders), so pages can keep clear of them.
  std::vector<std::string> topLevelNames;
  // Full paths of the resources that could not be copied.
  std::vector<std::string> failed;
};

// Both folders end in the separator. An existing read-only copy in the
// output folder is made writable first, so a second run can replace it.
CopiedResources CopyTemplateResources(FileServices& services, std::string_view templateFolder,
                                      std::string_view outputFolder);

}  // namespace vellumark
