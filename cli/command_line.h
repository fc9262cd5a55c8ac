// The command line of vellumark-cli:
//   vellumark-cli [--favorites DIR] [--include-read-only] list
//   vellumark-cli [--favorites DIR] [--include-read-only]
//                 check|clean|convert (--all | FOLDER...) --output DIR
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vellumark::cli {

struct CommandLine {
  std::optional<std::string> favoritesFolder;  // --favorites DIR
  bool includeReadOnly = false;                // --include-read-only
  std::string command;                         // "list", "check", "clean" or "convert"
  bool allFolders = false;                     // --all
  std::vector<std::string> folders;            // FOLDER... as "list" prints them
  std::optional<std::string> outputFolder;     // --output DIR
};

struct ParseResult {
  std::optional<CommandLine> commandLine;
  std::string error;  // why parsing failed, when it did
};

// `arguments` excludes the program name.
ParseResult ParseCommandLine(const std::vector<std::string>& arguments);

// The menu index of a process command (0 check, 1 clean, 2 convert).
int ProcessIndex(const std::string& command);

// The usage text printed with every usage error.
extern const char* const kUsage;

}  // namespace vellumark::cli
