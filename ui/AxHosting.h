// The ActiveX hosting layer: the host window class "AtlAxWin80", its two
// registered messages and the free functions around them.
#pragma once

#include "AxHostMessages.h"
#include "AxWinHostWindow.h"
#include "ComModule.h"

#include <ole2.h>

// Registers the two messages (AxHostMessages.h) and, once per process, the
// window class "AtlAxWin80" for the module of _Module. A window of that class
// initialises OLE on its thread when it is created, holds an empty host from
// then on, and releases the host when it is destroyed; OLE stays up until
// ReleaseHostOle.
BOOL AtlAxWinInit();

// Uninitialises OLE once for every host window that initialised it. Called when
// the thread's message loop has ended, so that no message a control posted to
// its own windows can be dispatched after OLE has unloaded the control's code.
void ReleaseHostOle();

// Creates the control `name` (a ProgID) in `window`, first attaching a host to
// the window when it has none. On success `container` and `control`, when not
// null, receive the host's and the control's IUnknown.
HRESULT AtlAxCreateControlEx(LPCOLESTR name, HWND window, IStream* stream, IUnknown** container,
                             IUnknown** control, REFIID adviseInterface, IUnknown* adviseSink);
