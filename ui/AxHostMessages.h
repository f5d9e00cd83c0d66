// The two registered window messages through which a caller reaches a host
// window's host object and its control.
#pragma once

#include <windows.h>

// Sent to a host window, with wParam and lParam 0: WM_ATLGETHOST answers the host
// object's IUnknown, WM_ATLGETCONTROL the hosted control's IUnknown, each with a
// reference for the caller, or 0 when there is none. 0 until registered.
extern UINT WM_ATLGETHOST;
extern UINT WM_ATLGETCONTROL;

// Registers both messages (the same numbers in every module of the session).
void RegisterAxHostMessages();
