// "vellumark-cli settings": prints the five stored settings, one
// "Name=value" line each, or sets one of them.
#pragma once

#include "generate/templates.h"
#include "runner/settings.h"

#include <ostream>
#include <string>
#include <vector>

namespace vellumark::cli {

// `arguments` is empty (print) or a name and a value (set). Interval must
// be a number of days from 0 to 1000 and Template a complete set; names
// are matched without regard to letter case. Returns the exit code.
int RunSettings(const std::vector<std::string>& arguments, const Templates& templates, Settings& settings,
                std::ostream& out, std::ostream& err);

}  // namespace vellumark::cli
