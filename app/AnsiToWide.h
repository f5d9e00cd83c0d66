// Conversion of settings text from the system ANSI code page to UTF-16.
#pragma once

#include <windows.h>

// Converts NUL-terminated ANSI text into `buffer`, which holds `capacity` wide
// characters including the terminator, and returns `buffer`. Text too long for
// the buffer is cut: the result is always the converted text or a prefix of it,
// never anything left from an earlier call.
wchar_t* AnsiToWideInto(const char* text, wchar_t* buffer, int capacity);

// The same into one process-wide buffer of 4096 wide characters; the result is
// valid until the next call.
wchar_t* AnsiToWide(const char* text);
