#include "app/standard_processes.h"

#include "processes/check_process.h"
#include "processes/clean_process.h"
#include "processes/convert_process.h"

namespace vellumark {

std::unique_ptr<Process> MakeStandardProcess(int currentprocess, FileServices& services, HTML& html) {
  switch (currentprocess) {
    case process_number::kCheck: return std::make_unique<CheckProcess>(services);
    case process_number::kClean: return std::make_unique<CleanProcess>(services);
    case process_number::kConvert: return std::make_unique<ConvertProcess>(services, html);
    default: return nullptr;
  }
}

}  // namespace vellumark
