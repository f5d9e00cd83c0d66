// The process-wide buffers that start-up fills once, before anything reads them.
#pragma once

#include "LaunchAddress.h"
#include "WindowCaption.h"

// The launch-page address from ServerInfo.ini, ANSI, at most 259 bytes; empty
// when the file, the key or a short enough value is missing. The browser pane
// takes it whole into its address buffer of the same size.
extern char g_launchUrl[kLaunchAddressSize];

// The main window's title: the built-in caption unless ServerInfo.ini gives one.
extern wchar_t g_windowCaption[kCaptionBufferSize];
