#include "cli/cli.h"

#include "cli/command_line.h"
#include "cli/console_host.h"
#include "cli/settings_command.h"
#include "favorites/favorites.h"
#include "generate/generate_options.h"
#include "generate/site_generator.h"
#include "generate/templates.h"
#include "runner/process_runner.h"
#include "runner/settings.h"
#include "runner/site_settings.h"
#include "runner/standard_processes.h"
#include "support/file_system.h"
#include "support/special_folders.h"
#include "vellumark_version.h"

#include <algorithm>
#include <stdexcept>

namespace vellumark::cli {
namespace {

constexpr std::uint32_t kReadOnlyAndHidden = attribute::kReadOnly | attribute::kHidden;

int List(Favorites& favorites, std::ostream& out) {
  for (const MainFolders& folder : favorites.Initialize()) out << folder.Count << '\t' << folder.Name << '\n';
  return exit_code::kSuccess;
}

// Generate's options from the command line, checked with the options
// dialog's rules; those not given are the stored ones. Nothing when none
// is given: the run then uses the stored settings as they are.
struct OptionsCheck {
  std::optional<ConfirmedOptions> confirmed;
  std::string_view error;
};

OptionsCheck CheckOptions(const CommandLine& line, const Templates& templates, const Settings& settings) {
  if (!line.templateName && !line.interval && !line.updated) return {};
  GenerateOptions options;
  options.interval = line.interval ? *line.interval : std::to_string(settings.Interval());
  options.updated = line.updated ? *line.updated : settings.Updated();
  const std::string stored = settings.Template();
  if (line.templateName) {
    options.templateName = *line.templateName;
  } else if (!stored.empty()) {
    options.templateName = stored;
  }
  ConfirmedOptions confirmed;
  const std::string_view error = CheckGenerateOptions(options, templates, confirmed);
  if (!error.empty()) return {std::nullopt, error};
  return {confirmed, ""};
}

// The program around a run: the settings and template sets, and the
// options the command line gave for Generate.
struct RunContext {
  const Templates& templates;
  Settings& settings;
  std::optional<ConfirmedOptions> options;
};

// Runs a process over the chosen folders.
int RunProcess(const CommandLine& line, Favorites& favorites, const std::string& root, std::ostream& out,
               std::ostream& err, FileServices& services, bool showProgress, RunContext& context) {
  // Only the names are listed here: the run lists each chosen tree itself.
  const std::vector<std::string> names = favorites.EntryNames();
  for (const std::string& name : line.folders) {
    if (std::find(names.begin(), names.end(), name) == names.end()) {
      err << "vellumark-cli: no such folder in the folder list: " << name << '\n' << kUsage;
      return exit_code::kUsage;
    }
  }
  std::vector<ProcessRunner::Entry> ticked;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (line.allFolders || std::find(line.folders.begin(), line.folders.end(), names[i]) != line.folders.end()) {
      ticked.push_back({static_cast<int>(i), names[i]});
    }
  }
  if (!FileSystem(services).CreateFolderTree(*line.outputFolder)) {
    err << "Error creating output folder \r\n" << *line.outputFolder << '\n';
    return exit_code::kFailure;
  }

  ConsoleHost host(*line.outputFolder, err, showProgress);
  HTML html;
  SiteContext site{services,
                   html,
                   context.templates,
                   [&context] { return ReadSiteSettings(context.settings); },
                   [&host](std::string_view text) { host.ShowMessage(text); },
                   [&context] {
                     if (!context.options) return true;
                     // The run reads the stored options; one that did not
                     // keep what was given would build another site.
                     if (!StoreGenerateOptions(*context.options, context.settings)) {
                       throw std::runtime_error(std::string(kErrorSavingOptions));
                     }
                     return true;
                   },
                   {}};
  LinkCheckOptions verify;
  verify.timeoutSeconds = line.timeoutSeconds.value_or(verify.timeoutSeconds);
  verify.parallel = line.parallel.value_or(verify.parallel);
  ProcessRunner runner(host, favorites, root,
                       [&](ProcessKind kind) { return MakeStandardProcess(kind, services, html, &site, verify); });
  const ProcessRunner::Report report = runner.Run(ProcessFromMenuIndex(ProcessIndex(line.command)), ticked);
  if (report.outcome != ProcessRunner::Outcome::kCompleted) return exit_code::kFailure;
  if (!report.found.summary.empty()) out << report.found.summary << '\n';
  // The missing resources were reported as they failed.
  if (!report.found.failedCopies.empty()) return exit_code::kFailure;
  if (!report.found.unwritten.empty()) {
    for (const std::string& file : report.found.unwritten) err << "Could not rewrite \r\n" << file << '\n';
    return exit_code::kIncomplete;
  }
  return exit_code::kSuccess;
}

}  // namespace

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err, FileServices& services,
           bool showProgress, const std::string& programFolder) {
  if (arguments.size() == 1 && arguments[0] == "--version") {
    out << "Vellumark " VELLUMARK_VERSION "\n";
    return exit_code::kSuccess;
  }
  const ParseResult parsed = ParseCommandLine(arguments);
  if (!parsed.commandLine) {
    err << "vellumark-cli: " << parsed.error << '\n' << kUsage;
    return exit_code::kUsage;
  }
  const CommandLine& line = *parsed.commandLine;
  const Templates templates(programFolder, services);
  Settings settings(CompleteSetCheck(templates));
  if (line.command == "settings") return RunSettings(line.folders, templates, settings, out, err);

  RunContext context{templates, settings, std::nullopt};
  if (line.command == "generate") {
    const OptionsCheck check = CheckOptions(line, templates, settings);
    if (!check.error.empty()) {
      err << check.error << '\n';
      return exit_code::kUsage;
    }
    context.options = check.confirmed;
  }

  const std::string root =
      line.favoritesFolder ? *line.favoritesFolder : GetSpecialFolder(special_folder::kFavorites);
  if (root.empty() || !FileSystem(services).IsFolder(root)) {
    err << "Error accessing favorites folder\n";
    return exit_code::kFailure;
  }
  Favorites favorites(services, [root] { return root; });
  favorites.SetAttributes(line.includeReadOnly ? attribute::kHidden : kReadOnlyAndHidden);
  if (line.command == "list") return List(favorites, out);
  return RunProcess(line, favorites, root, out, err, services, showProgress, context);
}

}  // namespace vellumark::cli
