#include "support/file_services.h"

namespace vellumark {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

bool BufferedOutputFile::Write(std::string_view bytes) {
  if (failed_ || closed_) return false;
  buffer_ += bytes;
  return buffer_.size() < kBufferSize || Flush();
}

bool BufferedOutputFile::Flush() {
  if (!buffer_.empty() && !failed_ && !sink_(buffer_)) failed_ = true;
  buffer_.clear();
  return !failed_;
}

bool BufferedOutputFile::Close() {
  if (closed_) return !failed_;
  Flush();
  closed_ = true;
  if (!closer_()) failed_ = true;
  return !failed_;
}

}  // namespace vellumark
