// Attaching a host object to a window.
#pragma once

#include "AxWinHostWindow.h"

// Attaches a new, empty host object to `window`, which has none yet. The host
// then sees the window's messages first (it subclasses the window): it answers
// WM_ATLGETHOST and WM_ATLGETCONTROL, keeps the control sized to the window, and
// tears the control down and detaches itself when the window is destroyed.
// `host` receives the host with a reference for the caller.
HRESULT AttachAxHost(HWND window, IAxWinHostWindow** host);
