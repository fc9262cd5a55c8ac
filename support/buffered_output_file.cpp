#include "support/file_services.h"

namespace vellumark {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

bool BufferedOutputFile::Write(std::string_view bytes) {
  if (failed_ || !file_) return false;
  buffer_ += bytes;
  return buffer_.size() < kBufferSize || Flush();
}

bool BufferedOutputFile::Flush() {
  if (!buffer_.empty() && !failed_ && !file_->Write(buffer_)) failed_ = true;
  buffer_.clear();
  return !failed_;
}

bool BufferedOutputFile::Close() {
  if (!file_) return !failed_;
  // A file with a failed write is dropped, which leaves the earlier one.
  if (!Flush() || !file_->Close()) failed_ = true;
  file_.reset();
  return !failed_;
}

}  // namespace vellumark
