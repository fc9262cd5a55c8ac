// vellumark-cli: Vellumark's processes from a shell.
#include "cli/cli.h"

#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  return vellumark::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                                vellumark::NativeFileServices(), isatty(2) != 0);
}
