// A favorites tree, a template folder, per-test settings, a recording host
// and the runner with the site processes, for tests of Generate and
// Statistics.
#pragma once

#include "generate/site_generator.h"
#include "generate/templates.h"
#include "runner/process_runner.h"
#include "runner/settings.h"
#include "runner/site_settings.h"
#include "runner/standard_processes.h"
#include "support/path.h"
#include "tests/runner/recording_host.h"
#include "tests/support/failing_file_services.h"
#include "tests/support/settings_sandbox.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vellumark::testing {

inline std::string Shortcut(std::string_view url) { return "[InternetShortcut]\r\nURL=" + std::string(url) + "\r\n"; }

// Counts the reads of every file; copies from the sources named fail; the
// folder `many` (with trailing separator) lists `manyCount` shortcuts.
class CountingFileServices : public FailingFileServices {
 public:
  std::map<std::string, int> reads;
  std::set<std::string> uncopyable;
  std::string many;
  int manyCount = 0;

  bool CopyFile(std::string_view from, std::string_view to) override {
    return !uncopyable.count(std::string(from)) && FailingFileServices::CopyFile(from, to);
  }
  std::optional<std::string> ReadFile(std::string_view path) override {
    ++reads[std::string(path)];
    if (!many.empty() && path.starts_with(many)) return Shortcut("http://many/");
    return FailingFileServices::ReadFile(path);
  }
  std::optional<std::vector<DirectoryEntry>> ListFolder(std::string_view folder) override {
    if (folder != many) return FailingFileServices::ListFolder(folder);
    std::vector<DirectoryEntry> entries;
    for (int i = 0; i < manyCount; ++i) entries.push_back({"f" + std::to_string(100000 + i) + ".url", attribute::kArchive, 1000000000});
    return entries;
  }
};

class SiteFixture : public ::testing::Test {
 protected:
  SiteFixture() {
    temp_.MakeFolder("fav");
    host_.chosenFolder = output_;
  }

  void WriteSet(const std::string& set, const std::map<std::string, std::string>& files) {
    for (const auto& [name, text] : files) temp_.Write("Templates/" + set + "/" + name, text);
  }

  std::string SetFile(const std::string& set, const std::string& name) const { return temp_ / ("Templates/" + set + "/" + name); }

  std::string AddFavorite(const std::string& relative, std::string_view url) {
    return temp_.Write("fav/" + relative, Shortcut(url));
  }

  // Refreshes the folder list as the main window does and ticks `ticked`.
  void Refresh(const std::vector<std::string>& ticked) {
    host_.folders.clear();
    for (const MainFolders& folder : favorites_.Initialize()) {
      const bool tick = std::find(ticked.begin(), ticked.end(), folder.Name) != ticked.end();
      host_.folders.push_back({folder.Name, tick, folder.Count});
    }
  }

  ProcessRunner::Outcome Generate() { return runner_.Run(ProcessKind::kGenerate, host_.Ticked()).outcome; }
  ProcessRunner::Outcome Statistics() { return runner_.Run(ProcessKind::kStatistics, host_.Ticked()).outcome; }

  std::string Output(const std::string& relative) const {
    return NativeFileServices().ReadFile(temp_ / ("out/" + relative)).value_or("<missing>");
  }
  bool OutputExists(const std::string& relative) const {
    return NativeFileServices().GetAttributes(temp_ / ("out/" + relative)) != attribute::kInvalid;
  }
  std::vector<std::string> OutputNames() const {
    std::vector<std::string> names;
    for (const DirectoryEntry& entry : NativeFileServices().ListFolder(output_).value_or(std::vector<DirectoryEntry>{})) {
      names.push_back(entry.name);
    }
    return names;
  }
  int Reads(const std::string& set, const std::string& name) { return files_.reads[SetFile(set, name)]; }

  TempFolder temp_;
  std::string output_ = temp_.MakeFolder("out");
  CountingFileServices files_;
  SettingsSandbox sandbox_;
  KeptValues kept_{AppEx().RegistryKey(), {"Interval", "ShortcutFolders", "Template", "Updated", "WHOIS"}};
  Templates templates_{temp_.Path() + path::kSeparator, files_};
  Settings settings_{CompleteSetCheck(templates_)};
  HTML html_;
  RecordingHost host_;
  LocalDateTime now_{2024, 3, 10, 12, 0, 0};
  std::function<bool()> chooseOptions_;
  SiteContext site_{files_, html_, templates_, [this] { return ReadSiteSettings(settings_); },
                    [this](std::string_view text) { host_.ShowMessage(text); },
                    [this] { return chooseOptions_ ? chooseOptions_() : true; }, [this] { return now_; }};
  Favorites favorites_{files_, [this] { return temp_ / "fav"; }};
  ProcessRunner runner_{host_, favorites_, temp_ / "fav",
                        [this](ProcessKind kind) { return MakeStandardProcess(kind, files_, html_, &site_); }};
};

}  // namespace vellumark::testing
