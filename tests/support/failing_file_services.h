// The native file services, except that listing, reading or replacing the
// paths named in the sets fails, and output files
// fail once they would pass `outputLimit` bytes, as on a full disk (root is
// not stopped by permissions, so tests make the failures here).
#pragma once

#include "support/file_services.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace vellumark::testing {

class FailingFileServices : public FileServices {
 public:
  std::set<std::string> unlistable;  // folders, with trailing separator
  std::set<std::string> unreadable;  // files
  std::set<std::string> unreplaceable;  // files
  std::size_t outputLimit = static_cast<std::size_t>(-1);
  std::vector<std::string> replaced;  // every successful ReplaceFile, in order

  std::optional<std::vector<DirectoryEntry>> ListFolder(std::string_view folder) override {
    if (unlistable.count(std::string(folder))) return std::nullopt;
    return native_.ListFolder(folder);
  }
  std::optional<std::string> ReadFile(std::string_view path) override {
    if (unreadable.count(std::string(path))) return std::nullopt;
    return native_.ReadFile(path);
  }
  std::uint32_t GetAttributes(std::string_view path) override { return native_.GetAttributes(path); }
  bool SetAttributes(std::string_view path, std::uint32_t a) override { return native_.SetAttributes(path, a); }
  std::optional<std::int64_t> GetLastWriteUtc(std::string_view path) override { return native_.GetLastWriteUtc(path); }
  bool SetLastWriteUtc(std::string_view path, std::int64_t t) override { return native_.SetLastWriteUtc(path, t); }
  bool WriteFile(std::string_view path, std::string_view bytes) override { return native_.WriteFile(path, bytes); }
  std::unique_ptr<OutputFile> CreateOutputFile(std::string_view path) override {
    std::unique_ptr<OutputFile> file = native_.CreateOutputFile(path);
    if (!file) return nullptr;
    return std::make_unique<LimitedOutputFile>(std::move(file), outputLimit);
  }
  bool ReplaceFile(std::string_view path, std::string_view bytes) override {
    if (unreplaceable.count(std::string(path)) || !native_.ReplaceFile(path, bytes)) return false;
    replaced.emplace_back(path);
    return true;
  }
  bool CreateFolder(std::string_view folder) override { return native_.CreateFolder(folder); }
  bool CopyFile(std::string_view from, std::string_view to) override { return native_.CopyFile(from, to); }
  bool RemoveFile(std::string_view path) override { return native_.RemoveFile(path); }
  bool RemoveFolder(std::string_view folder) override { return native_.RemoveFolder(folder); }
  bool Rename(std::string_view from, std::string_view to) override { return native_.Rename(from, to); }

 private:
  class LimitedOutputFile final : public OutputFile {
   public:
    LimitedOutputFile(std::unique_ptr<OutputFile> file, std::size_t limit) : file_(std::move(file)), left_(limit) {}
    bool Write(std::string_view bytes) override {
      if (bytes.size() > left_) {
        failed_ = true;
        return false;
      }
      left_ -= bytes.size();
      return file_->Write(bytes);
    }
    bool Close() override { return !failed_ && file_->Close(); }

   private:
    std::unique_ptr<OutputFile> file_;
    std::size_t left_;
    bool failed_ = false;
  };

  FileServices& native_ = NativeFileServices();
};

}  // namespace vellumark::testing
