// Convert: writes the favorites of the checked folders as one Netscape
// bookmark file, "bookmarks.html" (UTF-8, CR LF line ends). Each checked
// folder becomes an H3 list at indent 4; inside it subfolders holding
// shortcuts (before the folder's own favorites) and favorites are indented
// by 4 more per level. "/" adds its favorites at indent 4, no folder lines.
// Names and URLs pass through the HTML encoder, and a CR or LF in them is
// written as "&#13;" or "&#10;", so each bookmark stays on its own line.
// Dates are Unix times, the same value for ADD_DATE and LAST_MODIFIED; one
// that is not above 0 or does not fit in 32 bits is written as 0, and so is
// a checked folder whose time cannot be read.
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
  std::string Encode(std::string_view text, bool hrefsrc = false) const;
  void WriteFolderHead(std::string_view indent, std::string_view encodedName, std::int64_t time);

  FileServices& services_;
  HTML& html_;
  std::string favoritesFolder_;
  int utcOffsetMinutes_ = 0;
  std::optional<LineFile> file_;
};

}  // namespace vellumark
