#include "BrowserPane.h"

#include "AxHostWindow.h"
#include "AxHosting.h"
#include "ComPtr.h"
#include "InstallNames.h"
#include "LaunchAddress.h"

#include <exdisp.h>

namespace {

const wchar_t kBrowserProgId[] = L"shell.Explorer.2";

// The pane's own conversion buffer for the address it opens.
constexpr int kWideAddressSize = 4096;
wchar_t g_wideAddress[kWideAddressSize];

bool g_hostingInitialised = false;

// The pane's host window once it exists.
HWND g_hostWindow = nullptr;

HWND CreateHostWindow(HWND parent, const RECT& client)
{
    return CreateWindowExW(0, L"AtlAxWin80", nullptr, WS_CHILD | WS_VISIBLE, client.left, client.top,
                           client.right - client.left, client.bottom - client.top, parent, nullptr,
                           _Module.GetModuleInstance(), nullptr);
}

// Asks the host window's host to create the browser control; a window without
// a usable host gets one attached with the control in it.
void CreateBrowserControl(HWND hostWindow)
{
    ComPtr<IUnknown> reply(reinterpret_cast<IUnknown*>(SendMessageW(hostWindow, WM_ATLGETHOST, 0, 0)));
    ComPtr<IAxWinHostWindow> host;
    if (reply)
        reply->QueryInterface(IID_IAxWinHostWindow, host.PutVoid());
    reply.Reset();
    if (host) {
        ComPtr<IUnknown> control;
        host->CreateControlEx(kBrowserProgId, hostWindow, nullptr, control.Put(), IID_NULL, nullptr);
        return;
    }
    AtlAxCreateControlEx(kBrowserProgId, hostWindow, nullptr, nullptr, nullptr, IID_NULL, nullptr);
}

// The hosted control's browser interface, or nothing when there is no control
// or it is no web browser.
void QueryBrowser(HWND hostWindow, ComPtr<IWebBrowser2>& browser)
{
    ComPtr<IUnknown> control(reinterpret_cast<IUnknown*>(SendMessageW(hostWindow, WM_ATLGETCONTROL, 0, 0)));
    if (control)
        control->QueryInterface(IID_IWebBrowser2, browser.PutVoid());
}

// The address in UTF-16, in the pane's own buffer. An address has at most 259
// bytes and no byte of an ANSI code page yields more than one UTF-16 unit, so
// it always fits; the last element stays the terminator whatever happens.
const wchar_t* WideAddress(const char* address)
{
    MultiByteToWideChar(CP_ACP, 0, address, -1, g_wideAddress, kWideAddressSize - 1);
    g_wideAddress[kWideAddressSize - 1] = L'\0';
    return g_wideAddress;
}

// Starts loading `address`, given in the system ANSI code page.
void Navigate(IWebBrowser2* browser, const char* address)
{
    VARIANT url;
    VariantInit(&url);
    url.vt = VT_BSTR;
    url.bstrVal = SysAllocString(WideAddress(address));
    browser->Navigate2(&url, nullptr, nullptr, nullptr, nullptr);
    VariantClear(&url);
}

}  // namespace

void InitBrowserHostingOnce()
{
    if (g_hostingInitialised)
        return;
    g_hostingInitialised = true;
    AtlAxWinInit();
}

void CreateBrowserPane(HWND parent, const RECT& client, const char* launchUrl)
{
    const HWND hostWindow = CreateHostWindow(parent, client);
    if (!hostWindow)
        return;
    g_hostWindow = hostWindow;
    CreateBrowserControl(hostWindow);
    ComPtr<IWebBrowser2> browser;
    QueryBrowser(hostWindow, browser);
    if (!browser)
        return;
    char address[kLaunchAddressSize];
    ChooseLaunchAddress(launchUrl, kServerInfoFile, address);
    Navigate(browser.Get(), address);
}

// The host window passes the focus on into the control, UI-activating it the
// first time. Focus already in the host or the control stays where it is: taking
// it out and back would blur and refocus the page's field.
bool FocusBrowserPane()
{
    if (!g_hostWindow)
        return false;
    const HWND focus = GetFocus();
    if (focus != g_hostWindow && !IsChild(g_hostWindow, focus))
        SetFocus(g_hostWindow);
    return true;
}

void EndBrowserHosting()
{
    ReleaseHostOle();
}

void NotifyBrowserPaneOfActivation(bool active)
{
    if (g_hostWindow)
        NotifyHostedControlOfFrameActivation(g_hostWindow, active);
}

bool TranslateKeyForBrowserPane(MSG* message)
{
    return g_hostWindow && TranslateKeyForHostedControl(g_hostWindow, message);
}
