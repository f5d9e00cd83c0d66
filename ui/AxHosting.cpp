// The host window class "AtlAxWin80" and the hosting layer's entry points.
#include "AxHosting.h"

#include "AxHostWindow.h"
#include "ComPtr.h"

UINT WM_ATLGETHOST = 0;
UINT WM_ATLGETCONTROL = 0;

namespace {

const wchar_t kHostWindowClass[] = L"AtlAxWin80";

// Window extra bytes: whether this window initialised OLE and so must
// uninitialise it.
constexpr int kOleInitialisedSlot = 0;

// OLE lives on the thread for as long as the host window does; the window then
// holds an empty host for a caller to create a control in.
LRESULT OnCreate(HWND window)
{
    if (FAILED(OleInitialize(nullptr)))
        return 0;
    SetWindowLongPtrW(window, kOleInitialisedSlot, TRUE);
    ComPtr<IAxWinHostWindow> host;
    AttachAxHost(window, host.Put());
    return 0;
}

// Runs after the host has released its control (at WM_DESTROY), so OLE is
// uninitialised last.
void OnNcDestroy(HWND window)
{
    if (GetWindowLongPtrW(window, kOleInitialisedSlot))
        OleUninitialize();
}

LRESULT CALLBACK AxHostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_NCDESTROY:
        OnNcDestroy(window);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool IsHostWindowClassRegistered(HINSTANCE instance)
{
    WNDCLASSW existing;
    return GetClassInfoW(instance, kHostWindowClass, &existing) != FALSE;
}

}  // namespace

BOOL AtlAxWinInit()
{
    WM_ATLGETHOST = RegisterWindowMessageW(L"WM_ATLGETHOST");
    WM_ATLGETCONTROL = RegisterWindowMessageW(L"WM_ATLGETCONTROL");
    const HINSTANCE instance = _Module.GetModuleInstance();
    if (IsHostWindowClassRegistered(instance))
        return TRUE;
    WNDCLASSW hostClass{};
    hostClass.lpfnWndProc = AxHostWindowProc;
    hostClass.cbWndExtra = sizeof(LONG_PTR);
    hostClass.hInstance = instance;
    hostClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    hostClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    hostClass.lpszClassName = kHostWindowClass;
    return RegisterClassW(&hostClass) != 0;
}

HRESULT AtlAxCreateControlEx(LPCOLESTR name, HWND window, IStream* stream, IUnknown** container,
                             IUnknown** control, REFIID adviseInterface, IUnknown* adviseSink)
{
    if (container)
        *container = nullptr;
    if (control)
        *control = nullptr;
    AtlAxWinInit();
    if (!IsWindow(window))
        return E_INVALIDARG;
    ComPtr<IUnknown> existing(reinterpret_cast<IUnknown*>(SendMessageW(window, WM_ATLGETHOST, 0, 0)));
    ComPtr<IAxWinHostWindow> host;
    const HRESULT attached = existing ? existing->QueryInterface(IID_IAxWinHostWindow, host.PutVoid())
                                      : AttachAxHost(window, host.Put());
    if (FAILED(attached))
        return attached;
    const HRESULT created = host->CreateControlEx(name, window, stream, control, adviseInterface, adviseSink);
    if (SUCCEEDED(created) && container)
        *container = host.Detach();
    return created;
}
