#include "support/time_zone.h"

#include "support/win32/windows_gate.h"

namespace vellumark {

int CurrentUtcOffsetMinutes() {
  TIME_ZONE_INFORMATION zone{};
  const DWORD state = ::GetTimeZoneInformation(&zone);
  LONG bias = zone.Bias;  // UTC = local + bias
  if (state == TIME_ZONE_ID_DAYLIGHT) bias += zone.DaylightBias;
  if (state == TIME_ZONE_ID_STANDARD) bias += zone.StandardBias;
  return static_cast<int>(-bias);
}

}  // namespace vellumark
