// The browser pane: a host window over the main window's client area with the
// web browser control in it, opened once at the launch page.
#pragma once

#include <windows.h>

// Initialises the ActiveX hosting layer the first time it is called; later
// calls do nothing.
void InitBrowserHostingOnce();

// Creates the pane as a child of `parent` over `client`, creates the browser
// control in it and starts the one navigation, to `launchUrl` when it holds
// text and otherwise to the default or ServerInfo.ini's address. When the
// control cannot be created the pane stays empty; nothing is reported.
void CreateBrowserPane(HWND parent, const RECT& client, const char* launchUrl);

// Gives the keyboard focus to the page unless it already is in the pane; false,
// and nothing done, when there is no pane.
bool FocusBrowserPane();

// Ends what the pane's hosting set up on the thread (OLE). Called once the
// message loop has ended, whether or not a pane was ever made.
void EndBrowserHosting();

// Tells the page that the main window was activated or deactivated.
void NotifyBrowserPaneOfActivation(bool active);

// Offers a keyboard message to the page before it is translated and
// dispatched; true when the page used it, so that it must be neither.
bool TranslateKeyForBrowserPane(MSG* message);
