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

// These A/W switch macros would rename our own members of the same names
// (FileServices::CopyFile, FileSystem::GetFileAttributes, ...); Win32 code
// calls the W functions by their full names instead.
#undef CopyFile
#undef ReplaceFile
#undef GetFileAttributes
#undef SetFileAttributes
