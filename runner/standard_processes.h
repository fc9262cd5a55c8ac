// The processes of the "Process" menu by number.
#pragma once

#include "generate/site_generator.h"
#include "processes/html.h"
#include "processes/process.h"
#include "support/file_services.h"

#include <memory>

namespace vellumark {

// Check, Clean or Convert for process numbers 1 to 3, and with `site`
// Generate and Statistics for 4 and 5; null otherwise.
std::unique_ptr<Process> MakeStandardProcess(int currentprocess, FileServices& services, HTML& html,
                                             SiteContext* site = nullptr);

}  // namespace vellumark
