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
