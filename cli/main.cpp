// vellumark-cli: Vellumark's processes from a shell.
#include "cli/cli.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>

#include "support/win32/wide_string.h"

// Wide arguments, so names outside the code page arrive whole.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(vellumark::win32::Narrow(argv[i]));
  return vellumark::cli::RunCli(arguments, std::cout, std::cerr, vellumark::NativeFileServices(), _isatty(2) != 0);
}
#else
#include <unistd.h>

int main(int argc, char** argv) {
  return vellumark::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                                vellumark::NativeFileServices(), isatty(2) != 0);
}
#endif
