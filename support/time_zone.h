// The local time offset in force now.
#pragma once

namespace vellumark {

// Minutes to add to UTC to get local time now (daylight saving included),
// e.g. 60 in Paris in winter, -300 in New York in winter.
int CurrentUtcOffsetMinutes();

}  // namespace vellumark
