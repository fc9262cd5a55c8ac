// vellumark-site-bench: times Generate and Statistics over 100,000
// favorites in 200 folders beside a plain read of the same files (every
// folder listed and every file's bytes read through the same file
// services) and prints the figures. Every time is the best of a few runs
// with the caches warm. The settings the runs need are set for the runs
// and put back afterwards.
#include "bench/bench_helpers.h"
#include "favorites/favorites.h"
#include "generate/templates.h"
#include "runner/process_runner.h"
#include "runner/settings.h"
#include "runner/site_settings.h"
#include "runner/standard_processes.h"
#include "support/file_system.h"
#include "support/path.h"
#include "support/special_folders.h"
#include "tests/support/settings_sandbox.h"
#include "tools/tree_generator.h"

#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

namespace vellumark::bench {
namespace {

// A plain tree of 4,000 favorites has 200 folders; each shortcut is then
// written 25 times over (same bytes and time), giving 100,000 favorites.
constexpr int kGeneratedFavorites = 4000;
constexpr int kCopies = 25;
constexpr int kRuns = 3;

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

void PrintLine(const char* what, double seconds, double plain, int favorites) {
  std::printf("  %-12s %8.3f s  %6.2fx plain  %6.2f us/favorite\n", what, seconds, seconds / plain, 1e6 * seconds / favorites);
}

int Main() {
  tools::TreeOptions options;
  options.favorites = kGeneratedFavorites;
  options.plain = true;
  const Tree tree(GetTempFolder(), "site", options);
  const std::string base = tree.Folder();
  const std::string favoritesFolder = tree.Favorites();
  const std::string output = tree.Output();
  FileServices& services = NativeFileServices();
  const FileSystem files(services);
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
  const std::optional<tools::TreeSummary>& summary = tree.Summary();
  if (!summary || !Multiply(services, favoritesFolder) || !templates.Check("Default")) {
    std::fprintf(stderr, "vellumark-site-bench: could not write the tree or find the default template set\n");
    status = 1;
  } else {
    const int favoritesCount = kGeneratedFavorites * kCopies;
    std::printf("Site: %d favorites in %d folders\n", favoritesCount, summary->folders);
    Settings settings(CompleteSetCheck(templates));
    // The values a site run reads, kept apart from the user's own.
    const testing::SettingsSandbox sandbox;
    const testing::KeptValues kept{AppEx().RegistryKey(), {"Interval", "Template", "Updated"}};
    settings.SetInterval(30);
    settings.SetTemplate("Default");
    settings.SetUpdated("benchmark");
    Favorites favorites(services, [&] { return favoritesFolder; });
    SilentHost host(output);
    const std::vector<ProcessRunner::Entry> entries = AllEntries(favorites);
    HTML html;
    SiteContext site{services, html, templates, [&] { return ReadSiteSettings(settings); }, [&host](std::string_view text) { host.ShowMessage(text); }, {}, {}};
    ProcessRunner runner(host, favorites, favoritesFolder,
                         [&](ProcessKind kind) { return MakeStandardProcess(kind, services, html, &site); });
    bool completed = true;
    const auto run = [&](ProcessKind kind) {
      return [&, kind] { completed = runner.Run(kind, entries).outcome == ProcessRunner::Outcome::kCompleted && completed; };
    };
    const double plain = Best(kRuns, {[&] { PlainRead(services, favoritesFolder); }}).front();
    const double generate = Best(kRuns, {run(ProcessKind::kGenerate)}).front();
    const double statistics = Best(kRuns, {run(ProcessKind::kStatistics)}).front();
    PrintLine("plain read", plain, plain, favoritesCount);
    PrintLine("Generate", generate, plain, favoritesCount);
    PrintLine("Statistics", statistics, plain, favoritesCount);
    if (!completed || host.messages != 0) {
      std::fprintf(stderr, "vellumark-site-bench: a run failed or reported %d messages\n", host.messages);
      status = 1;
    }
  }
  return status;
}

}  // namespace
}  // namespace vellumark::bench

int main() { return vellumark::bench::Main(); }
