// What the program's own version resource says about it.
#pragma once

#include <string>

namespace vellumark::gui {

struct VersionInfo {
  std::string companyName;
  std::string legalCopyright;
  int major = 0;
  int minor = 0;
  int patch = 0;
};

// The running program's version information; empty texts and 0.0.0 when the
// program has none.
VersionInfo ReadVersionInfo();

}  // namespace vellumark::gui
