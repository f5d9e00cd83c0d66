// Attaching a host object to a window.
#pragma once

#include "AxWinHostWindow.h"

// Attaches a new, empty host object to `window`, which has none yet. The host
// then sees the window's messages first (it subclasses the window): it answers
// WM_ATLGETHOST and WM_ATLGETCONTROL, keeps the control sized to the window,
// passes the focus on into the control, and tears the control down and detaches
// itself when the window is destroyed.
// `host` receives the host with a reference for the caller.
HRESULT AttachAxHost(HWND window, IAxWinHostWindow** host);

// Offers a keyboard message to the control hosted in `window`; true when the
// control used it, so that it must be neither translated nor dispatched.
bool TranslateKeyForHostedControl(HWND window, MSG* message);

// Tells the control hosted in `window` that the top-level window it lives in
// was activated or deactivated.
void NotifyHostedControlOfFrameActivation(HWND window, bool active);
