#include "processes/line_file.h"

#include <stdexcept>

namespace vellumark {

LineFile::LineFile(FileServices& services, std::string path)
    : path_(std::move(path)), file_(services.CreateOutputFile(path_)) {
  if (!file_) throw std::runtime_error("Error creating \r\n" + path_);
}

void LineFile::FailWriting() const { throw std::runtime_error("Error writing to \r\n" + path_); }

void LineFile::Write(std::string_view bytes) {
  if (!file_ || !file_->Write(bytes)) FailWriting();
}

void LineFile::WriteLine(std::string_view bytes) {
  Write(bytes);
  Write("\r\n");
}

void LineFile::Close() {
  if (!file_) return;
  const bool closed = file_->Close();
  file_.reset();
  if (!closed) FailWriting();
}

}  // namespace vellumark
