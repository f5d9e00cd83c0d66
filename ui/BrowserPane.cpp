#include "BrowserPane.h"

#include "AnsiToWide.h"
#include "AxHosting.h"
#include "ComPtr.h"
#include "LaunchAddress.h"
#include "LauncherGlobals.h"

#include <exdisp.h>

namespace {

const wchar_t kBrowserProgId[] = L"shell.Explorer.2";

// The pane's own conversion buffer for the address it opens.
constexpr int kWideAddressSize = 4096;
wchar_t g_wideAddress[kWideAddressSize];

bool g_hostingInitialised = false;

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

// Starts loading `address`, given in the system ANSI code page.
void Navigate(IWebBrowser2* browser, const char* address)
{
    VARIANT url;
    VariantInit(&url);
    url.vt = VT_BSTR;
    url.bstrVal = SysAllocString(AnsiToWideInto(address, g_wideAddress, kWideAddressSize));
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

void CreateBrowserPane(HWND parent, const RECT& client)
{
    const HWND hostWindow = CreateHostWindow(parent, client);
    if (!hostWindow)
        return;
    CreateBrowserControl(hostWindow);
    ComPtr<IWebBrowser2> browser;
    QueryBrowser(hostWindow, browser);
    if (!browser)
        return;
    char address[kLaunchAddressSize];
    ChooseLaunchAddress(g_launchUrl, "ServerInfo.ini", address);
    Navigate(browser.Get(), address);
}
