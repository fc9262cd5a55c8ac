// The command line of vellumark-cli:
//   vellumark-cli [--favorites DIR] [--include-read-only] list
//   vellumark-cli [--favorites DIR] [--include-read-only]
//                 check|clean|convert|statistics (--all | FOLDER...) --output DIR
//   vellumark-cli [--favorites DIR] [--include-read-only]
//                 generate (--all | FOLDER...) --output DIR
//                 [--template NAME] [--interval DAYS] [--updated TEXT]
//   vellumark-cli [--favorites DIR] [--include-read-only]
//                 verify (--all | FOLDER...) --output DIR
//                 [--timeout SECONDS] [--parallel N]
//   vellumark-cli settings [NAME VALUE]
//   vellumark-cli --version      (handled before parsing: prints "Vellumark " and the version)
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vellumark::cli {

struct CommandLine {
  std::optional<std::string> favoritesFolder;  // --favorites DIR
  bool includeReadOnly = false;                // --include-read-only
  std::string command;                         // "list", a process, or "settings"
  bool allFolders = false;                     // --all
  // FOLDER... as "list" prints them; for "settings" the NAME and VALUE.
  std::vector<std::string> folders;
  std::optional<std::string> outputFolder;  // --output DIR
  // Generate's options; those not given keep their stored values.
  std::optional<std::string> templateName;  // --template NAME
  std::optional<std::string> interval;      // --interval DAYS
  std::optional<std::string> updated;       // --updated TEXT
  // Verify's limits, checked: 1 to 600 seconds, 1 to 64 requests.
  std::optional<int> timeoutSeconds;  // --timeout SECONDS
  std::optional<int> parallel;        // --parallel N
};

struct ParseResult {
  std::optional<CommandLine> commandLine;
  std::string error;  // why parsing failed, when it did
};

// `arguments` excludes the program name.
ParseResult ParseCommandLine(const std::vector<std::string>& arguments);

// The menu index of a process command (0 check, 1 clean, 2 convert,
// 3 generate, 4 statistics, 5 verify); -1 for other commands.
int ProcessIndex(const std::string& command);

// The usage text printed with every usage error.
extern const char* const kUsage;

}  // namespace vellumark::cli
