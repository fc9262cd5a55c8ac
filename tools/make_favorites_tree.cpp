// make-favorites-tree: writes a synthetic favorites tree.
#include "tools/tree_generator.h"

#include <iostream>

#ifdef _WIN32
#include "support/win32/wide_string.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(vellumark::win32::Narrow(argv[i]));
  return vellumark::tools::RunMakeFavoritesTree(arguments, std::cout, std::cerr, vellumark::NativeFileServices());
}
#else
int main(int argc, char** argv) {
  return vellumark::tools::RunMakeFavoritesTree(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                                                vellumark::NativeFileServices());
}
#endif
