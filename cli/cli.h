// vellumark-cli as a function, so tests run it in-process.
#pragma once

#include "support/file_services.h"

#include <ostream>
#include <string>
#include <vector>

namespace vellumark::cli {

namespace exit_code {
inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1;
inline constexpr int kUsage = 2;
}  // namespace exit_code

// Runs the command line (without the program name); returns the exit code.
int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           FileServices& services = NativeFileServices());

}  // namespace vellumark::cli
