// The host window class "AtlAxWin80" and the hosting layer's entry points.
#include "AxHosting.h"

#include "AxHostWindow.h"
#include "ComPtr.h"

namespace {

const wchar_t kHostWindowClass[] = L"AtlAxWin80";

// How many host windows initialised OLE on the thread. They leave it up when
// they are destroyed: a control may still have messages of its own queued,
// which the message loop dispatches after the windows are gone, and OLE would
// already have unloaded the code they go to. ReleaseHostOle ends it.
unsigned g_oleInitialisations = 0;

// OLE comes up on the thread with the host window; the window then holds an
// empty host for a caller to create a control in.
LRESULT OnCreate(HWND window)
{
    if (FAILED(OleInitialize(nullptr)))
        return 0;
    ++g_oleInitialisations;
    ComPtr<IAxWinHostWindow> host;
    AttachAxHost(window, host.Put());
    return 0;
}

LRESULT CALLBACK AxHostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return OnCreate(window);
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
    RegisterAxHostMessages();
    const HINSTANCE instance = _Module.GetModuleInstance();
    if (IsHostWindowClassRegistered(instance))
        return TRUE;
    WNDCLASSW hostClass{};
    hostClass.lpfnWndProc = AxHostWindowProc;
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

void ReleaseHostOle()
{
    for (; g_oleInitialisations > 0; --g_oleInitialisations)
        OleUninitialize();
}
