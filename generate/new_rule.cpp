#include "generate/new_rule.h"

#include "support/time_zone.h"

#include <ctime>

namespace vellumark {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t DayNumber(const LocalDateTime& value) {
  return SecondsSinceEpoch({value.year, value.month, value.day, 0, 0, 0}) / kSecondsPerDay;
}

}  // namespace

std::int64_t CalendarDaysBetween(const LocalDateTime& from, const LocalDateTime& to) {
  return DayNumber(to) - DayNumber(from);
}

bool IsNewFavorite(const LocalDateTime& modified, const LocalDateTime& now, int interval) {
  return interval > 0 && CalendarDaysBetween(modified, now) <= interval;
}

LocalDateTime LocalNow() { return ToLocal(static_cast<std::int64_t>(std::time(nullptr)), CurrentUtcOffsetMinutes()); }

}  // namespace vellumark
