// vellumark-cli on Windows: wide arguments, so names outside the code page
// arrive whole.
#include "cli/cli.h"
#include "support/win32/wide_string.h"

#include <io.h>

#include <iostream>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(vellumark::win32::Narrow(argv[i]));
  return vellumark::cli::RunCli(arguments, std::cout, std::cerr, vellumark::NativeFileServices(), _isatty(2) != 0);
}
