#include "support/program_folder.h"

#include <unistd.h>

namespace vellumark {

std::string ProgramFolder() {
  // The buffer grows until readlink no longer fills it, i.e. the path fits.
  std::string path(256, '\0');
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0) return "";
    if (static_cast<std::size_t>(length) < path.size()) {
      path.resize(static_cast<std::size_t>(length));
      break;
    }
    if (path.size() >= 1 << 20) return "";
    path.resize(path.size() * 2);
  }
  const std::size_t separator = path.rfind('/');
  if (separator == std::string::npos) return "";
  return path.substr(0, separator + 1);
}

}  // namespace vellumark
