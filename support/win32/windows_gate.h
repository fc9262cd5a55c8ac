// The one place that includes <windows.h>; Win32 code includes this header.
#pragma once

#ifndef _WIN32
#error "Win32-only header included in a non-Windows build"
#endif

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
