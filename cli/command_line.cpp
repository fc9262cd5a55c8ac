#include "cli/command_line.h"

#include <array>
#include <string_view>

namespace vellumark::cli {
namespace {

constexpr std::array<std::string_view, 3> kProcessCommands = {"check", "clean", "convert"};

std::optional<std::string> Validate(const CommandLine& line) {
  if (line.command.empty()) return "no command given";
  if (line.command == "list") {
    if (line.allFolders || !line.folders.empty() || line.outputFolder) return "list takes no folders or output";
    return std::nullopt;
  }
  if (ProcessIndex(line.command) < 0) return "unknown command: " + line.command;
  if (!line.outputFolder) return line.command + " needs --output DIR";
  if (line.allFolders == !line.folders.empty()) return line.command + " needs either --all or folder names";
  return std::nullopt;
}

}  // namespace

const char* const kUsage =
    "usage: vellumark-cli [--favorites DIR] [--include-read-only] list\n"
    "       vellumark-cli [--favorites DIR] [--include-read-only]\n"
    "                     check|clean|convert (--all | FOLDER...) --output DIR\n"
    "  list                 print each folder of the folder list: count, tab, name\n"
    "  check                write Check.txt: URLs held by more than one favorite\n"
    "  clean                rewrite each shortcut to its bare URL\n"
    "  convert              write bookmarks.html\n"
    "  FOLDER               a folder name as list prints it (\"/\" for the Favorites folder itself)\n"
    "  --all                every folder of the folder list\n"
    "  --output DIR         the folder for the output files (created when missing)\n"
    "  --favorites DIR      use DIR as the Favorites folder\n"
    "  --include-read-only  keep read-only favorites (hidden ones are always left out)\n"
    "exit codes: 0 done, 1 failed, 2 usage error, 3 clean could not rewrite some shortcuts\n";

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
    const bool takesValue = argument == "--favorites" || argument == "--output";
    if (takesValue && i + 1 == arguments.size()) return {std::nullopt, argument + " needs a folder"};
    if (argument == "--favorites") {
      line.favoritesFolder = arguments[++i];
    } else if (argument == "--output") {
      line.outputFolder = arguments[++i];
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
