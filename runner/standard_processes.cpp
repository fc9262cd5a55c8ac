#include "runner/standard_processes.h"

#include "processes/check_process.h"
#include "processes/clean_process.h"
#include "processes/convert_process.h"

namespace vellumark {

std::unique_ptr<Process> MakeStandardProcess(int currentprocess, FileServices& services, HTML& html,
                                             SiteContext* site) {
  switch (currentprocess) {
    case process_number::kCheck: return std::make_unique<CheckProcess>(services);
    case process_number::kClean: return std::make_unique<CleanProcess>(services);
    case process_number::kConvert: return std::make_unique<ConvertProcess>(services, html);
    case process_number::kGenerate:
      return site ? std::make_unique<SiteGenerator>(*site, SiteGenerator::Kind::kGenerate) : nullptr;
    case process_number::kStatistics:
      return site ? std::make_unique<SiteGenerator>(*site, SiteGenerator::Kind::kStatistics) : nullptr;
    default: return nullptr;
  }
}

}  // namespace vellumark
