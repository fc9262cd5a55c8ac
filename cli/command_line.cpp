#include "cli/command_line.h"

namespace vellumark::cli {

const char* const kUsage =
    "usage: vellumark-cli [--favorites DIR] [--include-read-only] list\n"
    "  list                 print each folder of the folder list: count, tab, name\n"
    "  --favorites DIR      use DIR as the Favorites folder\n"
    "  --include-read-only  keep read-only favorites (hidden ones are always left out)\n";

ParseResult ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--favorites") {
      if (i + 1 == arguments.size()) return {std::nullopt, "--favorites needs a folder"};
      line.favoritesFolder = arguments[++i];
    } else if (argument == "--include-read-only") {
      line.includeReadOnly = true;
    } else if (argument.starts_with("-")) {
      return {std::nullopt, "unknown option: " + argument};
    } else if (line.command.empty()) {
      line.command = argument;
    } else {
      return {std::nullopt, "unexpected argument: " + argument};
    }
  }
  if (line.command.empty()) return {std::nullopt, "no command given"};
  if (line.command != "list") return {std::nullopt, "unknown command: " + line.command};
  return {line, ""};
}

}  // namespace vellumark::cli
