// vellumark-site-bench: times Generate and Statistics over 100,000
// favorites in 200 folders beside a plain read of the same files (every
// folder listed and every file's bytes read through the same file
// services) and prints the figures. Every time is the best of a few runs
// with the caches warm. The settings the runs need are set for the runs
// and put back afterwards.
#include "app/process_runner.h"
#include "app/settings.h"
#include "app/standard_processes.h"
#include "favorites/favorites.h"
#include "generate/templates.h"
#include "support/file_system.h"
#include "support/path.h"
#include "support/special_folders.h"
#include "tools/tree_generator.h"

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vellumark::bench {
namespace {

// A plain tree of 4,000 favorites has 200 folders; each shortcut is then
// written 25 times over (same bytes and time), giving 100,000 favorites.
constexpr int kGeneratedFavorites = 4000;
constexpr int kCopies = 25;
constexpr int kRuns = 3;

double Best(const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
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

// Writes kCopies - 1 more copies of every shortcut below `folder`.
bool Multiply(FileServices& services, const std::string& folder) {
  const std::optional<std::vector<DirectoryEntry>> entries = services.ListFolder(folder);
  if (!entries) return false;
  for (const DirectoryEntry& entry : *entries) {
    const std::string full = folder + entry.name;
    if (entry.attributes & attribute::kDirectory) {
      if (!Multiply(services, path::AddFolderSeparator(full))) return false;
      continue;
    }
    const std::optional<std::string> bytes = services.ReadFile(full);
    if (!bytes) return false;
    const std::string stem = full.substr(0, full.size() - 4);
    for (int copy = 2; copy <= kCopies; ++copy) {
      const std::string name = stem + " (" + std::to_string(copy) + ").url";
      if (!services.WriteFile(name, *bytes) || !services.SetLastWriteUtc(name, entry.lastWriteUtc)) return false;
    }
  }
  return true;
}

// Every folder ticked, nothing shown; counts the message boxes.
class SilentHost final : public Host {
 public:
  SilentHost(std::vector<MainFolders> folders, std::string output)
      : folders_(std::move(folders)), output_(std::move(output)) {}

  void SetBusyPointer(bool) override {}
  void Repaint() override {}
  int ChooseOutputFolder(std::string& folder) override {
    folder = output_;
    return kFolderChosen;
  }
  int FolderCount() override { return static_cast<int>(folders_.size()); }
  std::string FolderText(int index) override { return folders_[index].Name; }
  bool IsFolderTicked(int) override { return true; }
  int FolderFavoriteCount(int index) override { return folders_[index].Count; }
  void SetCurrentFolder(int) override {}
  void UntickFolder(int) override {}
  void SetStatusText(std::string_view) override {}
  void SetProgressMinimum(int) override {}
  void SetProgressMaximum(int) override {}
  void SetProgressValue(int) override {}
  void StepProgress() override {}
  void EnableProcessButton(bool) override {}
  void PumpMessages() override {}
  void ShowMessage(std::string_view) override { ++messages; }

  int messages = 0;

 private:
  std::vector<MainFolders> folders_;
  std::string output_;
};

// Sets the values a site run reads and puts the old ones back at the end.
class SettingsForRuns {
 public:
  explicit SettingsForRuns(Settings& settings)
      : settings_(settings), interval_(settings.Interval()), template_(settings.Template()), updated_(settings.Updated()) {
    settings_.SetInterval(30);
    settings_.SetTemplate("Default");
    settings_.SetUpdated("benchmark");
  }
  SettingsForRuns(const SettingsForRuns&) = delete;
  SettingsForRuns& operator=(const SettingsForRuns&) = delete;
  ~SettingsForRuns() {
    settings_.SetInterval(interval_);
    settings_.SetTemplate(template_);
    settings_.SetUpdated(updated_);
  }

 private:
  Settings& settings_;
  int interval_;
  std::string template_;
  std::string updated_;
};

void PrintLine(const char* what, double seconds, double plain, int favorites) {
  std::printf("  %-12s %8.3f s  %6.2fx plain  %6.2f us/favorite\n", what, seconds, seconds / plain, 1e6 * seconds / favorites);
}

int Main() {
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::string base = GetTempFolder() + "vellumark-site-bench-" + std::to_string(stamp) + path::kSeparator;
  const std::string favoritesFolder = base + "favorites" + path::kSeparator;
  const std::string output = base + "output";
  FileServices& services = NativeFileServices();
  const FileSystem files(services);
  files.CreateFolderTree(favoritesFolder);
  files.CreateFolder(output);
#ifndef _WIN32
  // The native settings file of the runs lives in the bench's folder.
  setenv("XDG_CONFIG_HOME", (base + "config").c_str(), 1);
#endif
  // The shipped default set, beside the program or in the source tree.
  const Templates templates(base, services);
  const std::string shipped = ProgramFolder() + "Templates" + path::kSeparator + "Default" + path::kSeparator;
  files.CreateFolder(templates.FolderName() + "Default");
  for (const std::string& file : files.EnumerateFiles(shipped, 0)) {
    files.CopyFile(file, templates.FolderName() + "Default" + path::kSeparator + std::string(path::LastComponent(file)));
  }

  int status = 0;
  tools::TreeOptions options;
  options.output = favoritesFolder;
  options.favorites = kGeneratedFavorites;
  options.plain = true;
  const std::optional<tools::TreeSummary> summary = tools::GenerateTree(options, services);
  if (!summary || !Multiply(services, favoritesFolder) || !templates.Check("Default")) {
    std::fprintf(stderr, "vellumark-site-bench: could not write the tree or find the default template set\n");
    status = 1;
  } else {
    const int favoritesCount = kGeneratedFavorites * kCopies;
    std::printf("Site: %d favorites in %d folders\n", favoritesCount, summary->folders);
    Settings settings(templates);
    SettingsForRuns forRuns(settings);
    Favorites favorites(services, [&] { return favoritesFolder; });
    SilentHost host(favorites.Initialize(), output);
    HTML html;
    SiteContext site{services, html, templates, settings, [&host](std::string_view text) { host.ShowMessage(text); }, {}, {}};
    ProcessRunner runner(host, favorites, favoritesFolder,
                         [&](int number) { return MakeStandardProcess(number, services, html, &site); });
    bool completed = true;
    const auto run = [&](int number) {
      return [&, number] { completed = runner.Run(number - 1) == ProcessRunner::Outcome::kCompleted && completed; };
    };
    const double plain = Best([&] { PlainRead(services, favoritesFolder); });
    const double generate = Best(run(process_number::kGenerate));
    const double statistics = Best(run(process_number::kStatistics));
    PrintLine("plain read", plain, plain, favoritesCount);
    PrintLine("Generate", generate, plain, favoritesCount);
    PrintLine("Statistics", statistics, plain, favoritesCount);
    if (!completed || host.messages != 0) {
      std::fprintf(stderr, "vellumark-site-bench: a run failed or reported %d messages\n", host.messages);
      status = 1;
    }
  }
  std::error_code error;
  std::filesystem::remove_all(std::filesystem::u8path(base), error);
  return status;
}

}  // namespace
}  // namespace vellumark::bench

int main() { return vellumark::bench::Main(); }
