#include "bench/bench_helpers.h"

#include "support/file_system.h"
#include "support/path.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>

namespace vellumark::bench {

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::vector<double> Best(int runs, const std::vector<std::function<void()>>& works) {
  std::vector<double> best(works.size(), 1e300);
  for (int i = 0; i < runs; ++i) {
    for (std::size_t w = 0; w < works.size(); ++w) best[w] = std::min(best[w], Seconds(works[w]));
  }
  return best;
}

std::size_t PlainRead(FileServices& services, const std::string& folder) {
  std::size_t bytes = 0;
  const std::optional<std::vector<DirectoryEntry>> entries = services.ListFolder(folder);
  if (!entries) return 0;
  for (const DirectoryEntry& entry : *entries) {
    const std::string full = folder + entry.name;
    if (entry.attributes & attribute::kDirectory) {
      bytes += PlainRead(services, path::AddFolderSeparator(full));
    } else if (const std::optional<std::string> content = services.ReadFile(full)) {
      bytes += content->size();
    }
  }
  return bytes;
}

Tree::Tree(const std::string& base, const std::string& name, tools::TreeOptions options) {
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  folder_ = base + "vellumark-bench-" + std::to_string(stamp) + "-" + name;
  FileSystem().CreateFolderTree(folder_ + path::kSeparator + "favorites");
  FileSystem().CreateFolder(folder_ + path::kSeparator + "output");
  options.output = Favorites();
  const auto start = std::chrono::steady_clock::now();
  summary_ = tools::GenerateTree(options, NativeFileServices());
  seconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

Tree::~Tree() {
  std::error_code error;
  std::filesystem::remove_all(std::filesystem::u8path(folder_), error);
}

std::vector<ProcessRunner::Entry> AllEntries(Favorites& favorites) {
  std::vector<ProcessRunner::Entry> entries;
  for (std::string& name : favorites.EntryNames()) {
    entries.push_back({static_cast<int>(entries.size()), std::move(name)});
  }
  return entries;
}

std::string Tree::Folder() const { return folder_ + path::kSeparator; }

std::string Tree::Favorites() const { return Folder() + "favorites" + path::kSeparator; }

std::string Tree::Output() const { return Folder() + "output"; }

}  // namespace vellumark::bench
