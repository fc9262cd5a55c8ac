// vellumark-cli as a function, so tests run it in-process.
#pragma once

#include "support/file_services.h"
#include "support/program_folder.h"

#include <ostream>
#include <string>
#include <vector>

namespace vellumark::cli {

namespace exit_code {
inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1;
inline constexpr int kUsage = 2;
// Clean walked to the end but could not rewrite some shortcuts.
inline constexpr int kIncomplete = 3;
}  // namespace exit_code

// Runs the command line (without the program name); returns the exit code.
// With `showProgress` a progress line is redrawn on `err`. The template
// sets are looked for in "Templates" under `programFolder`.
int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           FileServices& services = NativeFileServices(), bool showProgress = false,
           const std::string& programFolder = ProgramFolder());

}  // namespace vellumark::cli
