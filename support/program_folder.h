// Where the running program lives, and whether it may write there.
#pragma once

#include "support/file_services.h"

#include <string>
#include <string_view>

namespace vellumark {

// The folder of the running executable, with a trailing separator ("" when
// unknown).
std::string ProgramFolder();

// The output folder offered first: `programFolder` when a file can be made
// in it (a portable copy), otherwise `documentsFolder` with a trailing
// separator (an installed copy, whose folder the user may not write). The
// probe file made to find out is removed again; an existing file of that
// name is never touched. `programFolder` also when `documentsFolder` is "".
std::string FirstOutputFolder(std::string_view programFolder, std::string_view documentsFolder,
                              FileServices& services = NativeFileServices());

}  // namespace vellumark
