// What the window probe reports about a window, as JSON.
#pragma once

#include <windows.h>

#include <string>

// A top-level window: handle, class, caption, process id, window rectangle,
// client rectangle in screen coordinates and client size, style and extended
// style, visible and iconic flags, and its child windows (handle, class, text,
// control id, window rectangle, style, visible flag).
std::string DescribeWindow(HWND window);
