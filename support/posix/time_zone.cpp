#include "support/time_zone.h"

#include <ctime>

namespace vellumark {

int CurrentUtcOffsetMinutes() {
  tzset();  // TZ may have changed since the last call
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return 0;
  return static_cast<int>(local.tm_gmtoff / 60);
}

}  // namespace vellumark
