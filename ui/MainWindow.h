// Window mode: the launcher's one window, filled by the browser pane.
#pragma once

#include <windows.h>

// Registers the class, creates, sizes and shows the main window and runs the
// message loop until the window is closed. Returns the process's exit code.
int RunWindowMode(HINSTANCE instance, int showCommand);
