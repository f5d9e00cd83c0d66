// Window mode: the launcher's one window, filled by the browser pane.
#pragma once

#include <windows.h>

// What window mode takes from start-up.
struct WindowModeSettings {
    // The window's title, also the caption of the failure message.
    const wchar_t* caption;
    // The launch-page address from ServerInfo.ini, ANSI; empty for none.
    const char* launchUrl;
};

// Registers the class, creates, sizes and shows the main window and runs the
// message loop until the window is closed. Returns the process's exit code.
int RunWindowMode(HINSTANCE instance, int showCommand, const WindowModeSettings& settings);
