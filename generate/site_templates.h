// The template files of one set, read once for a run of the site
// generator and filled as often as the run needs them.
#pragma once

#include "generate/templates.h"
#include "support/file_services.h"

#include <array>
#include <string>
#include <string_view>

namespace vellumark {

// Positions of the files in Templates::kFiles.
namespace template_file {
inline constexpr int kBeginList = 0;
inline constexpr int kEndList = 1;
inline constexpr int kFileLink = 2;
inline constexpr int kFileNew = 3;
inline constexpr int kFolderLink = 4;
inline constexpr int kFolderNew = 5;
inline constexpr int kFooter = 6;
inline constexpr int kHeader = 7;
inline constexpr int kIndex = 8;
}  // namespace template_file

class SiteTemplates {
 public:
  // Reads the set `name` of `templates`. The two new-marker files are read
  // only `withNewMarkers`. Throws std::runtime_error with a message for
  // people when `name` is no complete set or a file cannot be read, so a
  // run stops before it writes anything.
  SiteTemplates(const Templates& templates, std::string_view name, FileServices& services, bool withNewMarkers);

  // Templates::Fill on the file at `index`.
  std::string Fill(int index, int indent, bool keepnewline, int count, const Replacements& replacements = {}) const;

  // The set's folder, ending in the separator.
  const std::string& Folder() const { return folder_; }

 private:
  std::string folder_;
  std::array<std::string, Templates::kFiles.size()> texts_;
};

}  // namespace vellumark
