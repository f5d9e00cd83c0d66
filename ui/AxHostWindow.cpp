// A host object attached to its window: the subclass procedure through which the
// host sees the window's messages, and the attaching and detaching.
#include "AxHostWindow.h"

#include "AxHostMessages.h"
#include "AxHostObject.h"

#include <new>

namespace {

// The window property that holds the attached host object.
const wchar_t kHostProperty[] = L"AxHost";

CAxHost* HostOf(HWND window)
{
    return static_cast<CAxHost*>(GetPropW(window, kHostProperty));
}

// Hands the host itself to the caller, with a reference.
LRESULT OnGetHost(CAxHost* host)
{
    IUnknown* unknown = nullptr;
    host->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown));
    return reinterpret_cast<LRESULT>(unknown);
}

// Hands the hosted control to the caller, with a reference, or 0 for none.
LRESULT OnGetControl(CAxHost* host)
{
    IUnknown* unknown = nullptr;
    host->QueryControl(IID_IUnknown, reinterpret_cast<void**>(&unknown));
    return reinterpret_cast<LRESULT>(unknown);
}

// The control follows the host window's size.
void OnSize(CAxHost* host)
{
    host->FitControlToWindow();
}

// Focus given to the host window is meant for the control.
void OnFocus(CAxHost* host)
{
    host->FocusControl();
}

// So is a click into the host while its window is active. A click into an
// inactive window activates the window first, and that activation passes the
// focus on; passing it here as well would take it out of the page and back.
void OnMouseActivate(CAxHost* host)
{
    if (GetActiveWindow() == host->FrameWindow())
        host->FocusControl();
}

// The window is going away: the control is torn down while its window and OLE
// still exist, the window gets its own procedure back and the window's
// reference to the host is given up.
void OnDestroy(HWND window, CAxHost* host)
{
    host->ReleaseControl();
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(host->PreviousWindowProc()));
    RemovePropW(window, kHostProperty);
    host->Release();
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CAxHost* host = HostOf(window);
    if (!host)
        return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC previous = host->PreviousWindowProc();
    if (message == WM_ATLGETHOST)
        return OnGetHost(host);
    if (message == WM_ATLGETCONTROL)
        return OnGetControl(host);
    switch (message) {
    case WM_SIZE:
        OnSize(host);
        break;
    case WM_SETFOCUS:
        OnFocus(host);
        break;
    case WM_MOUSEACTIVATE:
        OnMouseActivate(host);
        break;
    case WM_DESTROY:
        OnDestroy(window, host);
        break;
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

}  // namespace

HRESULT AttachAxHost(HWND window, IAxWinHostWindow** host)
{
    if (!host)
        return E_POINTER;
    *host = nullptr;
    if (HostOf(window))
        return E_INVALIDARG;
    const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    CAxHost* created = new (std::nothrow) CAxHost(window, previous);
    if (!created)
        return E_OUTOFMEMORY;
    if (!SetPropW(window, kHostProperty, created)) {
        created->Release();
        return E_FAIL;
    }
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostWindowProc));
    created->AddRef();
    *host = created;
    return S_OK;
}

bool TranslateKeyForHostedControl(HWND window, MSG* message)
{
    CAxHost* host = HostOf(window);
    return host && host->TranslateKeyForControl(message);
}

void NotifyHostedControlOfFrameActivation(HWND window, bool active)
{
    if (CAxHost* host = HostOf(window))
        host->OnFrameActivated(active);
}
