// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes.
#pragma once

#include "support/file_services.h"
#include "support/path.h"
#include "support/special_folders.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace vellumark::testing {

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> serial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = GetTempFolder() + "vellumark-test-" + std::to_string(stamp) + "-" + std::to_string(serial++);
    NativeFileServices().CreateFolder(path_);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    namespace fs = std::filesystem;
    // Read-only entries would stop the removal on Windows.
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(fs::u8path(path_), error)) {
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, error);
    }
    fs::remove_all(fs::u8path(path_), error);
  }

  // The folder's path, without trailing separator.
  const std::string& Path() const { return path_; }
  // path + separator + relative (relative uses "/" and is converted).
  std::string operator/(std::string_view relative) const {
    std::string result = path_;
    result += path::kSeparator;
    for (char c : relative) result += c == '/' ? path::kSeparator : c;
    return result;
  }

  // Writes a file (making missing folders) and returns its full path.
  std::string Write(std::string_view relative, std::string_view bytes) const {
    const std::string full = *this / relative;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::u8path(full).parent_path(), error);
    NativeFileServices().WriteFile(full, bytes);
    return full;
  }

  std::string MakeFolder(std::string_view relative) const {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::u8path(*this / relative), error);
    return *this / relative;
  }

 private:
  std::string path_;
};

}  // namespace vellumark::testing
