// The processes of the "Process" menu by number.
#pragma once

#include "generate/site_generator.h"
#include "processes/html.h"
#include "processes/process.h"
#include "support/file_services.h"

#include <memory>

namespace vellumark {

// Check, Clean or Convert, and with `site` Generate and Statistics; null
// otherwise.
std::unique_ptr<Process> MakeStandardProcess(ProcessKind kind, FileServices& services, HTML& html,
                                             SiteContext* site = nullptr);

}  // namespace vellumark
