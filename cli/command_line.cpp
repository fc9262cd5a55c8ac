#include "cli/command_line.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vellumark::cli {
namespace {

constexpr std::array<std::string_view, 6> kProcessCommands = {"check",    "clean",      "convert",
                                                              "generate", "statistics", "verify"};

// Options that take a value, with what the value is called in messages.
struct ValueOption {
  std::string_view name;
  std::string_view value;
};
constexpr std::array<ValueOption, 7> kValueOptions = {{{"--favorites", "a folder"},
                                                       {"--output", "a folder"},
                                                       {"--template", "a template set name"},
                                                       {"--interval", "a number of days"},
                                                       {"--updated", "a text"},
                                                       {"--timeout", "a number of seconds from 1 to 600"},
                                                       {"--parallel", "a number from 1 to 64"}}};

// Verify's numeric options: the value when it is a whole number in range.
struct NumberOption {
  std::string_view name;
  int maximum;
  std::optional<int> CommandLine::*field;
};
constexpr std::array<NumberOption, 2> kNumberOptions = {
    {{"--timeout", 600, &CommandLine::timeoutSeconds}, {"--parallel", 64, &CommandLine::parallel}}};

std::optional<int> InRange(const std::string& text, int maximum) {
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  const int value = std::stoi(text);
  if (value < 1 || value > maximum) return std::nullopt;
  return value;
}

std::string_view ValueOptionText(std::string_view name) {
  for (const ValueOption& option : kValueOptions) {
    if (option.name == name) return option.value;
  }
  return "a value";
}

std::optional<std::string> Validate(const CommandLine& line) {
  const bool generateOptions = line.templateName || line.interval || line.updated;
  if (line.command.empty()) return "no command given";
  if (generateOptions && line.command != "generate") return "--template, --interval and --updated belong to generate";
  if ((line.timeoutSeconds || line.parallel) && line.command != "verify") return "--timeout and --parallel belong to verify";
  if (line.command == "list") {
    if (line.allFolders || !line.folders.empty() || line.outputFolder) return "list takes no folders or output";
    return std::nullopt;
  }
  if (line.command == "settings") {
    if (line.allFolders || line.outputFolder || line.favoritesFolder || line.includeReadOnly) {
      return "settings takes only a name and a value";
    }
    if (!line.folders.empty() && line.folders.size() != 2) return "settings takes either nothing or a name and a value";
    return std::nullopt;
  }
  if (ProcessIndex(line.command) < 0) return "unknown command: " + line.command;
  if (!line.outputFolder) return line.command + " needs --output DIR";
  if (line.allFolders == !line.folders.empty()) return line.command + " needs either --all or folder names";
  return std::nullopt;
}

std::optional<std::string>* ValueOf(CommandLine& line, std::string_view option) {
  if (option == "--favorites") return &line.favoritesFolder;
  if (option == "--output") return &line.outputFolder;
  if (option == "--template") return &line.templateName;
  if (option == "--interval") return &line.interval;
  if (option == "--updated") return &line.updated;
  return nullptr;
}

}  // namespace

const char* const kUsage =
    "usage: vellumark-cli [--favorites DIR] [--include-read-only] list\n"
    "       vellumark-cli [--favorites DIR] [--include-read-only]\n"
    "                     check|clean|convert|statistics (--all | FOLDER...) --output DIR\n"
    "       vellumark-cli [--favorites DIR] [--include-read-only]\n"
    "                     generate (--all | FOLDER...) --output DIR\n"
    "                     [--template NAME] [--interval DAYS] [--updated TEXT]\n"
    "       vellumark-cli [--favorites DIR] [--include-read-only]\n"
    "                     verify (--all | FOLDER...) --output DIR [--timeout SECONDS] [--parallel N]\n"
    "       vellumark-cli settings [NAME VALUE]\n"
    "       vellumark-cli --version\n"
    "  list                 print each folder of the folder list: count, tab, name\n"
    "  check                write Check.txt: URLs held by more than one favorite\n"
    "  clean                rewrite each shortcut to its bare URL\n"
    "  convert              write bookmarks.html\n"
    "  generate             write a web site of the favorites from a template set\n"
    "  statistics           write a web site linking each favorite's server to its domain lookup\n"
    "  verify               write Verify.txt: the dead and the moved links (asks every web address)\n"
    "  settings             print the stored settings, or set one (Interval, ShortcutFolders,\n"
    "                       Template, Updated, WHOIS)\n"
    "  FOLDER               a folder name as list prints it (\"/\" for the Favorites folder itself)\n"
    "  --all                every folder of the folder list\n"
    "  --output DIR         the folder for the output files (created when missing)\n"
    "  --favorites DIR      use DIR as the Favorites folder\n"
    "  --include-read-only  keep read-only favorites (hidden ones are always left out)\n"
    "  --template NAME      generate with this template set (stored for later runs)\n"
    "  --interval DAYS      mark favorites changed within DAYS days (0 to 1000, 0 off) as new (stored)\n"
    "  --updated TEXT       the update note of the pages (stored)\n"
    "  --timeout SECONDS    wait this long for each answer (1 to 600, default 10)\n"
    "  --parallel N         ask at most N addresses at once (1 to 64, default 16)\n"
    "exit codes: 0 done (dead links too), 1 failed, 2 usage error, 3 clean could not rewrite some shortcuts\n";

int ProcessIndex(const std::string& command) {
  for (std::size_t i = 0; i < kProcessCommands.size(); ++i) {
    if (command == kProcessCommands[i]) return static_cast<int>(i);
  }
  return -1;
}

ParseResult ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (std::optional<std::string>* value = ValueOf(line, argument)) {
      if (i + 1 == arguments.size()) return {std::nullopt, argument + " needs " + std::string(ValueOptionText(argument))};
      *value = arguments[++i];
    } else if (const auto number = std::find_if(kNumberOptions.begin(), kNumberOptions.end(),
                                                [&](const NumberOption& option) { return option.name == argument; });
               number != kNumberOptions.end()) {
      const std::optional<int> value = i + 1 < arguments.size() ? InRange(arguments[++i], number->maximum) : std::nullopt;
      if (!value) return {std::nullopt, argument + " needs " + std::string(ValueOptionText(argument))};
      line.*(number->field) = value;
    } else if (argument == "--include-read-only") {
      line.includeReadOnly = true;
    } else if (argument == "--all") {
      line.allFolders = true;
    } else if (argument.starts_with("--")) {
      return {std::nullopt, "unknown option: " + argument};
    } else if (line.command.empty()) {
      line.command = argument;
    } else {
      line.folders.push_back(argument);
    }
  }
  if (const std::optional<std::string> error = Validate(line)) return {std::nullopt, *error};
  return {line, ""};
}

}  // namespace vellumark::cli
