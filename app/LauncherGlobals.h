// The process-wide buffers that start-up fills once, before anything reads them.
#pragma once

#include <cwchar>

// The launch-page address from ServerInfo.ini, ANSI, at most 259 bytes; empty
// when the file, the key or a short enough value is missing.
extern char g_launchUrl[260];

// The main window's title: "Tarnhold" unless ServerInfo.ini gives a caption.
extern wchar_t g_windowCaption[256];
