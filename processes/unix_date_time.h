// Unix times of local date-times, with one offset applied to every date
// alike whatever its season, so a file's local time made with the same
// offset comes back to its real UTC time.
#pragma once

#include "support/local_date_time.h"

#include <cstdint>

namespace vellumark {

// Seconds since 1970-01-01 00:00:00 UTC of the local date-time at
// `utcOffsetMinutes` east of UTC.
std::int64_t GetUnixDateTime(const LocalDateTime& local, int utcOffsetMinutes);

}  // namespace vellumark
