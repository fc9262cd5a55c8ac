#include "processes/unix_date_time.h"

#include "support/time_zone.h"

namespace vellumark {

std::int64_t GetUnixDateTime(const LocalDateTime& local, int utcOffsetMinutes) {
  return ToUtc(local, utcOffsetMinutes);
}

}  // namespace vellumark
