// The native file services with failures made on purpose (root is not
// stopped by permissions, so tests make them here): listing, reading or
// replacing the paths named in the sets fails, output files fail once they
// would pass `outputLimit` bytes, as on a full disk, and the `failAt`-th
// change fails. Every call that writes counts as a change: creating a file
// or folder, each write and the final flush of an output file, replacing,
// copying, renaming and removing files, setting attributes and times. A
// failed replacement or output file leaves the earlier file untouched, as
// the real ones promise.
#pragma once

#include "support/file_services.h"

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace vellumark::testing {

class FailingFileServices : public FileServices {
 public:
  std::set<std::string> unlistable;     // folders, with trailing separator
  std::set<std::string> unreadable;     // files
  std::set<std::string> unreplaceable;  // files
  std::size_t outputLimit = static_cast<std::size_t>(-1);
  std::vector<std::string> replaced;  // every successful ReplaceFile, in order
  int failAt = 0;                     // the change that fails, counted from 1; 0 for none
  int changes = 0;                    // changes attempted so far
  // What the failed change was and on which path ("" while none failed).
  std::string failedOperation;
  std::string failedPath;

  std::optional<std::vector<DirectoryEntry>> ListFolder(std::string_view folder) override {
    return unlistable.count(std::string(folder)) ? std::nullopt : native_.ListFolder(folder);
  }
  std::optional<std::string> ReadFile(std::string_view path) override {
    return unreadable.count(std::string(path)) ? std::nullopt : native_.ReadFile(path);
  }
  std::uint32_t GetAttributes(std::string_view path) override { return native_.GetAttributes(path); }
  std::optional<std::int64_t> GetLastWriteUtc(std::string_view path) override { return native_.GetLastWriteUtc(path); }
  bool SetAttributes(std::string_view path, std::uint32_t bits) override {
    return Allowed("set attributes", path) && native_.SetAttributes(path, bits);
  }
  bool SetLastWriteUtc(std::string_view path, std::int64_t time) override {
    return Allowed("set time", path) && native_.SetLastWriteUtc(path, time);
  }
  bool WriteFile(std::string_view path, std::string_view bytes) override {
    return Allowed("write", path) && native_.WriteFile(path, bytes);
  }
  std::unique_ptr<OutputFile> CreateOutputFile(std::string_view path) override {
    std::unique_ptr<OutputFile> file = Allowed("create", path) ? native_.CreateOutputFile(path) : nullptr;
    return file ? std::make_unique<FailingOutputFile>(*this, std::string(path), std::move(file)) : nullptr;
  }
  bool ReplaceFile(std::string_view path, std::string_view bytes) override {
    const bool done = Allowed("replace", path) && !unreplaceable.count(std::string(path)) && native_.ReplaceFile(path, bytes);
    if (done) replaced.emplace_back(path);
    return done;
  }
  bool CreateFolder(std::string_view path) override { return Allowed("create folder", path) && native_.CreateFolder(path); }
  // A failed copy is named by its source.
  bool CopyFile(std::string_view from, std::string_view to) override { return Allowed("copy", from) && native_.CopyFile(from, to); }
  bool RemoveFile(std::string_view path) override { return Allowed("remove", path) && native_.RemoveFile(path); }
  bool RemoveFolder(std::string_view path) override { return Allowed("remove folder", path) && native_.RemoveFolder(path); }
  bool Rename(std::string_view from, std::string_view to) override { return Allowed("rename", to) && native_.Rename(from, to); }

 private:
  // Counts one change; false when it is the one to fail.
  bool Allowed(std::string_view operation, std::string_view path) {
    if (++changes != failAt) return true;
    failedOperation = operation;
    failedPath = path;
    return false;
  }

  // A write past the limit or that is the change to fail fails (half of
  // the piece reaching the disk), and so do all later ones and the close.
  class FailingOutputFile final : public OutputFile {
   public:
    FailingOutputFile(FailingFileServices& owner, std::string path, std::unique_ptr<OutputFile> file)
        : owner_(owner), path_(std::move(path)), file_(std::move(file)), left_(owner.outputLimit) {}
    bool Write(std::string_view bytes) override {
      if (closed_ || failed_) return false;
      failed_ = bytes.size() > left_ || !owner_.Allowed("write", path_);
      if (failed_) {
        file_->Write(bytes.substr(0, std::min(bytes.size() / 2, left_)));
        return false;
      }
      left_ -= bytes.size();
      return file_->Write(bytes);
    }
    bool Close() override {
      if (!closed_) closeResult_ = owner_.Allowed("flush", path_) && !failed_ && file_->Close();
      closed_ = true;
      return closeResult_;
    }

   private:
    FailingFileServices& owner_;
    std::string path_;
    std::unique_ptr<OutputFile> file_;
    std::size_t left_;
    bool failed_ = false;
    bool closed_ = false;
    bool closeResult_ = false;
  };

  FileServices& native_ = NativeFileServices();
};

}  // namespace vellumark::testing
