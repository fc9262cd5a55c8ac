#include "runner/standard_processes.h"

#include "processes/check_process.h"
#include "processes/clean_process.h"
#include "processes/convert_process.h"
#include "processes/verify_process.h"

namespace vellumark {

std::unique_ptr<Process> MakeStandardProcess(ProcessKind kind, FileServices& services, HTML& html,
                                             SiteContext* site, const LinkCheckOptions& verify) {
  switch (kind) {
    case ProcessKind::kCheck: return std::make_unique<CheckProcess>(services);
    case ProcessKind::kClean: return std::make_unique<CleanProcess>(services);
    case ProcessKind::kConvert: return std::make_unique<ConvertProcess>(services, html);
    case ProcessKind::kGenerate:
      return site ? std::make_unique<SiteGenerator>(*site, SiteGenerator::Kind::kGenerate) : nullptr;
    case ProcessKind::kStatistics:
      return site ? std::make_unique<SiteGenerator>(*site, SiteGenerator::Kind::kStatistics) : nullptr;
    case ProcessKind::kVerify: return std::make_unique<VerifyProcess>(services, verify);
    default: return nullptr;
  }
}

}  // namespace vellumark
