// Convert: writes the favorites of the checked folders as one Netscape
// bookmark file, "bookmarks.html" (UTF-8, CR LF line ends). Each checked
// folder becomes an H3 list at indent 4; inside it subfolders holding
// shortcuts (before the folder's own favorites) and favorites are indented
// by 4 more per level. "/" adds its favorites at indent 4, no folder lines.
// Names and URLs pass through the HTML encoder; dates are Unix times, the
// same value for ADD_DATE and LAST_MODIFIED.
#pragma once

#include "processes/html.h"
#include "processes/line_file.h"
#include "processes/process.h"
#include "support/file_services.h"

#include <optional>

namespace vellumark {

class ConvertProcess final : public Process {
 public:
  ConvertProcess(FileServices& services, HTML& html) : services_(services), html_(html) {}

  bool Prepare(RunState& state) override;
  void BeginEntry(const CheckedFolder& entry) override;
  void EndEntry(const CheckedFolder& entry) override;
  void BeforeFolderChange(int level, FolderItem& folder) override;
  void AfterFolderChange(int level, FolderItem& folder) override;
  void FavoriteChange(int level, FavoriteItem& favorite, std::string_view file) override;
  void Finish() override;
  void Close() override;

  static constexpr const char* kFileName = "bookmarks.html";

 private:
  void WriteFolderHead(std::string_view indent, std::string_view encodedName, std::int64_t time);

  FileServices& services_;
  HTML& html_;
  std::string favoritesFolder_;
  std::optional<LineFile> file_;
};

}  // namespace vellumark
