// When a favorite counts as new on a generated page: its last change lies
// at most `interval` calendar days before today (local dates, so a change
// at 23:59 yesterday is one day old at 00:01 today). A change dated in the
// future counts as new; interval 0 switches the marking off.
#pragma once

#include "support/local_date_time.h"

#include <cstdint>

namespace vellumark {

// Calendar-day boundaries from the date of `from` to the date of `to`;
// negative when `to` lies before `from`.
std::int64_t CalendarDaysBetween(const LocalDateTime& from, const LocalDateTime& to);

bool IsNewFavorite(const LocalDateTime& modified, const LocalDateTime& now, int interval);

// The present local date-time, with the offset in force now.
LocalDateTime LocalNow();

}  // namespace vellumark
