// The native file services with one fault: the n-th change the program
// makes to the file system fails. Every call that writes counts: creating
// a file or folder, each write and the final flush of an output file,
// replacing, copying, renaming and removing files, setting attributes and
// times. A failed replacement or output file leaves the earlier file
// untouched, as the real ones promise.
#pragma once

#include "support/file_services.h"

#include <memory>
#include <string>

namespace vellumark::testing {

class FaultFileServices : public FileServices {
 public:
  // The change that fails, counted from 1; 0 for none.
  int failAt = 0;
  // Changes attempted so far.
  int changes = 0;
  // What the failed change was and on which path ("" while none failed).
  std::string failedOperation;
  std::string failedPath;

  std::optional<std::vector<DirectoryEntry>> ListFolder(std::string_view folder) override {
    return native_.ListFolder(folder);
  }
  std::uint32_t GetAttributes(std::string_view path) override { return native_.GetAttributes(path); }
  std::optional<std::int64_t> GetLastWriteUtc(std::string_view path) override { return native_.GetLastWriteUtc(path); }
  std::optional<std::string> ReadFile(std::string_view path) override { return native_.ReadFile(path); }

  bool SetAttributes(std::string_view path, std::uint32_t attributes) override {
    return Allowed("set attributes", path) && native_.SetAttributes(path, attributes);
  }
  bool SetLastWriteUtc(std::string_view path, std::int64_t time) override {
    return Allowed("set time", path) && native_.SetLastWriteUtc(path, time);
  }
  bool WriteFile(std::string_view path, std::string_view bytes) override {
    return Allowed("write", path) && native_.WriteFile(path, bytes);
  }
  std::unique_ptr<OutputFile> CreateOutputFile(std::string_view path) override {
    if (!Allowed("create", path)) return nullptr;
    std::unique_ptr<OutputFile> file = native_.CreateOutputFile(path);
    if (!file) return nullptr;
    return std::make_unique<FaultOutputFile>(*this, std::string(path), std::move(file));
  }
  bool ReplaceFile(std::string_view path, std::string_view bytes) override {
    return Allowed("replace", path) && native_.ReplaceFile(path, bytes);
  }
  bool CreateFolder(std::string_view folder) override {
    return Allowed("create folder", folder) && native_.CreateFolder(folder);
  }
  bool CopyFile(std::string_view from, std::string_view to) override {
    // A failed copy is named by its source.
    return Allowed("copy", from) && native_.CopyFile(from, to);
  }
  bool RemoveFile(std::string_view path) override { return Allowed("remove", path) && native_.RemoveFile(path); }
  bool RemoveFolder(std::string_view folder) override {
    return Allowed("remove folder", folder) && native_.RemoveFolder(folder);
  }
  bool Rename(std::string_view from, std::string_view to) override {
    return Allowed("rename", to) && native_.Rename(from, to);
  }

 private:
  // Counts one change; false when it is the one to fail.
  bool Allowed(std::string_view operation, std::string_view path) {
    if (++changes != failAt) return true;
    failedOperation = operation;
    failedPath = path;
    return false;
  }

  class FaultOutputFile final : public OutputFile {
   public:
    FaultOutputFile(FaultFileServices& owner, std::string path, std::unique_ptr<OutputFile> file)
        : owner_(owner), path_(std::move(path)), file_(std::move(file)) {}
    bool Write(std::string_view bytes) override {
      if (closed_) return false;
      if (!owner_.Allowed("write", path_)) {
        // Half of the piece reaches the disk before the failure.
        file_->Write(bytes.substr(0, bytes.size() / 2));
        failed_ = true;
      }
      return !failed_ && file_->Write(bytes);
    }
    bool Close() override {
      if (closed_) return closeResult_;
      closed_ = true;
      closeResult_ = owner_.Allowed("flush", path_) && !failed_ && file_->Close();
      return closeResult_;
    }

   private:
    FaultFileServices& owner_;
    std::string path_;
    std::unique_ptr<OutputFile> file_;
    bool failed_ = false;
    bool closed_ = false;
    bool closeResult_ = false;
  };

  FileServices& native_ = NativeFileServices();
};

}  // namespace vellumark::testing
