// The browser pane: a host window over the main window's client area with the
// web browser control in it, opened once at the launch page.
#pragma once

#include <windows.h>

// Initialises the ActiveX hosting layer the first time it is called; later
// calls do nothing.
void InitBrowserHostingOnce();

// Creates the pane as a child of `parent` over `client`, creates the browser
// control in it and starts the one navigation. When the control cannot be
// created the pane stays empty; nothing is reported.
void CreateBrowserPane(HWND parent, const RECT& client);
