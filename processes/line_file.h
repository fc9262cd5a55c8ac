// An output file written line by line, each line followed by CR LF. Every
// failure throws std::runtime_error naming the file, so a run that cannot
// complete its output ends through the runner's error path. The file takes
// the place of an earlier one only on Close: one dropped before (a failed
// run) leaves the earlier file as it was.
#pragma once

#include "support/file_services.h"

#include <memory>
#include <string>
#include <string_view>

namespace vellumark {

class LineFile {
 public:
  // Starts the file; throws when it cannot.
  LineFile(FileServices& services, std::string path);

  void WriteLine(std::string_view bytes);
  void Write(std::string_view bytes);
  // Writes UTF-8 `text` for people to read: as Windows-1252 when every
  // character fits, otherwise as UTF-8 after a byte-order mark, so nothing
  // is lost. Meant as the one write of a file.
  void WriteText(std::string_view text);
  // Puts the whole file in its place; throws when that or any write
  // failed. Further calls do nothing.
  void Close();

  const std::string& Path() const { return path_; }

 private:
  [[noreturn]] void FailWriting() const;

  std::string path_;
  std::unique_ptr<OutputFile> file_;
};

}  // namespace vellumark
