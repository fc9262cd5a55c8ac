#include "processes/line_file.h"

#include "support/text_encoding.h"

#include <stdexcept>

namespace vellumark {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

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

void LineFile::WriteText(std::string_view text) {
  if (text::FitsWindows1252(text)) {
    Write(text::Utf8ToWindows1252(text));
  } else {
    Write(kUtf8ByteOrderMark);
    Write(text);
  }
}

void LineFile::Close() {
  if (!file_) return;
  const bool closed = file_->Close();
  file_.reset();
  if (!closed) FailWriting();
}

}  // namespace vellumark
