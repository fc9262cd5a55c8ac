// Check: finds favorites that share a URL across the checked folders and
// writes "Check.txt": for each shared URL, at the place of its first
// occurrence, the URL, then "  " and the path of every shortcut holding it
// in walking order, then an empty line. URLs compare exactly. No shared URL
// gives an empty file.
//
// The report is Windows-1252 when every character fits, otherwise UTF-8
// with a byte-order mark, so no path or URL is lost.
#pragma once

#include "processes/line_file.h"
#include "processes/process.h"
#include "support/file_services.h"

#include <optional>
#include <string>
#include <vector>

namespace vellumark {

class CheckProcess final : public Process {
 public:
  explicit CheckProcess(FileServices& services) : services_(services) {}

  bool Prepare(RunState& state) override;
  void FavoriteChange(int level, FavoriteItem& favorite, std::string_view file) override;
  void Finish() override;
  void Close() override;

  static constexpr const char* kFileName = "Check.txt";

 private:
  struct Entry {
    std::string url;
    std::string file;
  };

  FileServices& services_;
  std::optional<LineFile> report_;
  std::vector<Entry> entries_;
};

}  // namespace vellumark
