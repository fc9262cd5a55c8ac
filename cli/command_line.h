// The command line of vellumark-cli:
//   vellumark-cli [--favorites DIR] [--include-read-only] COMMAND
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vellumark::cli {

struct CommandLine {
  std::optional<std::string> favoritesFolder;  // --favorites DIR
  bool includeReadOnly = false;                // --include-read-only
  std::string command;                         // "list"
};

struct ParseResult {
  std::optional<CommandLine> commandLine;
  std::string error;  // why parsing failed, when it did
};

// `arguments` excludes the program name.
ParseResult ParseCommandLine(const std::vector<std::string>& arguments);

// The usage text printed with every usage error.
extern const char* const kUsage;

}  // namespace vellumark::cli
