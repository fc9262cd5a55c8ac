// Where the running program lives.
#pragma once

#include <string>

namespace vellumark {

// The folder of the running executable, with a trailing separator ("" when
// unknown).
std::string ProgramFolder();

}  // namespace vellumark
