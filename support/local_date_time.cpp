#include "support/local_date_time.h"

#include <charconv>
#include <cstdio>

namespace vellumark {
namespace {

// Days from 1970-01-01 to y-m-d in the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

LocalDateTime CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  LocalDateTime result;
  result.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  result.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  result.year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (result.month <= 2));
  return result;
}

bool ReadNumber(std::string_view& text, std::size_t digits, int& out) {
  if (text.size() < digits) return false;
  const auto* first = text.data();
  const auto [end, error] = std::from_chars(first, first + digits, out);
  if (error != std::errc() || end != first + digits) return false;
  text.remove_prefix(digits);
  return true;
}

bool Expect(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

}  // namespace

std::int64_t SecondsSinceEpoch(const LocalDateTime& v) {
  return DaysFromCivil(v.year, static_cast<unsigned>(v.month), static_cast<unsigned>(v.day)) * 86400 +
         v.hour * 3600 + v.minute * 60 + v.second;
}

LocalDateTime DateTimeFromSeconds(std::int64_t seconds) {
  std::int64_t days = seconds / 86400;
  std::int64_t rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  LocalDateTime result = CivilFromDays(days);
  result.hour = static_cast<int>(rest / 3600);
  result.minute = static_cast<int>(rest % 3600 / 60);
  result.second = static_cast<int>(rest % 60);
  return result;
}

LocalDateTime ToLocal(std::int64_t utcSeconds, int offsetMinutes) {
  return DateTimeFromSeconds(utcSeconds + std::int64_t{offsetMinutes} * 60);
}

std::int64_t ToUtc(const LocalDateTime& local, int offsetMinutes) {
  return SecondsSinceEpoch(local) - std::int64_t{offsetMinutes} * 60;
}

std::string FormatDateTime(const LocalDateTime& v) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", v.year, v.month, v.day, v.hour,
                v.minute, v.second);
  return text;
}

std::optional<LocalDateTime> ParseDateTime(std::string_view text) {
  LocalDateTime v;
  if (ReadNumber(text, 4, v.year) && Expect(text, '-') && ReadNumber(text, 2, v.month) &&
      Expect(text, '-') && ReadNumber(text, 2, v.day) && Expect(text, ' ') &&
      ReadNumber(text, 2, v.hour) && Expect(text, ':') && ReadNumber(text, 2, v.minute) &&
      Expect(text, ':') && ReadNumber(text, 2, v.second) && text.empty()) {
    return v;
  }
  return std::nullopt;
}

}  // namespace vellumark
