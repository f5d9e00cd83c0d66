// The stand-in browser control's record: one JSON object per line, appended to
// the file that the environment variable STAND_IN_BROWSER_RECORD names, so that
// a test can read back every call in the order it arrived.
#pragma once

#include <windows.h>

#include <string>

// Appends {fields} and a line break; does nothing when no record file is named.
void RecordLine(const std::string& fields);

// A window handle as the number the window probe reports for it.
std::string JsonWindow(HWND window);
