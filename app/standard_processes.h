// The processes of the "Process" menu by number.
#pragma once

#include "processes/html.h"
#include "processes/process.h"
#include "support/file_services.h"

#include <memory>

namespace vellumark {

// Check, Clean or Convert for process numbers 1 to 3; null otherwise.
std::unique_ptr<Process> MakeStandardProcess(int currentprocess, FileServices& services, HTML& html);

}  // namespace vellumark
