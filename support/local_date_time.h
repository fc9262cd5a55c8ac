// Local date-times (to the second) and their relation to Unix time.
//
// A file's local time is its UTC time plus the offset in force now (not the
// one of the file's own season), and a Unix time made back from a local time
// subtracts the same offset, so the round trip gives the file's real UTC
// time whatever the season.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vellumark {

struct LocalDateTime {
  int year = 0;
  int month = 0;   // 1..12
  int day = 0;     // 1..31
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59

  bool IsSet() const { return year != 0; }
  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// Seconds from 1970-01-01 00:00:00 to the date-time taken as UTC (proleptic
// Gregorian calendar, any year).
std::int64_t SecondsSinceEpoch(const LocalDateTime& value);

// The inverse of SecondsSinceEpoch.
LocalDateTime DateTimeFromSeconds(std::int64_t seconds);

// UTC seconds -> local date-time with the given offset (local - UTC).
LocalDateTime ToLocal(std::int64_t utcSeconds, int offsetMinutes);

// Local date-time -> UTC seconds with the given offset (local - UTC).
std::int64_t ToUtc(const LocalDateTime& local, int offsetMinutes);

// "2024-03-01 17:05:09": the text form shown to people; read back exactly
// by ParseDateTime.
std::string FormatDateTime(const LocalDateTime& value);
std::optional<LocalDateTime> ParseDateTime(std::string_view text);

}  // namespace vellumark
