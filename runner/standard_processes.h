// The processes of the "Process" menu by number.
#pragma once

#include "generate/site_generator.h"
#include "processes/html.h"
#include "processes/link_checker.h"
#include "processes/process.h"
#include "support/file_services.h"

#include <memory>

namespace vellumark {

// Check, Clean, Convert or Verify (checking links as `verify` says), and
// with `site` Generate and Statistics; null otherwise.
std::unique_ptr<Process> MakeStandardProcess(ProcessKind kind, FileServices& services, HTML& html,
                                             SiteContext* site = nullptr, const LinkCheckOptions& verify = {});

}  // namespace vellumark
