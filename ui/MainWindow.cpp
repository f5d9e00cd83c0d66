// Window mode: the main window, its window procedure and the message loop.
#include "MainWindow.h"

#include "BrowserPane.h"
#include "ClientSize.h"
#include "IniFile.h"
#include "InstallNames.h"
#include "WindowPlacement.h"

namespace {

const wchar_t kMainWindowClass[] = L"brelkand";

// The restyle keeps every bit but WS_POPUP, WS_CAPTION, WS_SYSMENU and
// WS_MINIMIZEBOX, then sets WS_CAPTION, WS_SYSMENU and WS_MINIMIZEBOX: a title
// bar with the close and minimise buttons, no maximise button, no sizing border.
constexpr DWORD kFrameStyleBits = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kKeptStyleBits = ~(WS_POPUP | kFrameStyleBits);

// Written once by RunWindowMode, before the window exists.
WindowModeSettings g_settings{L"", ""};

// The pane fills the client area the window has while it is still a borderless
// popup, which is exactly the configured size.
LRESULT OnCreate(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    CreateBrowserPane(window, client, g_settings.launchUrl);
    return 0;
}

// The page keeps the keyboard whenever the window is active: activation hands
// the focus to it rather than to the window itself, as the default processing
// would. A window activated while minimised gets no focus from the default
// processing either, and the page is not given it then; nor is it when there
// is no pane.
LRESULT OnActivate(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool active = LOWORD(wParam) != WA_INACTIVE;
    NotifyBrowserPaneOfActivation(active);
    const bool minimised = HIWORD(wParam) != 0;
    if (active && !minimised && FocusBrowserPane())
        return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

// Focus that lands on the window itself, after a restore for instance, goes on
// to the page.
LRESULT OnSetFocus()
{
    FocusBrowserPane();
    return 0;
}

// Closing the window ends the message loop, and with it window mode.
LRESULT OnDestroy()
{
    PostQuitMessage(0);
    return 0;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The first message arrives inside CreateWindowExW, before WM_CREATE, so the
    // hosting layer is ready when the pane is built.
    InitBrowserHostingOnce();
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_ACTIVATE:
        return OnActivate(window, message, wParam, lParam);
    case WM_SETFOCUS:
        return OnSetFocus();
    case WM_DESTROY:
        return OnDestroy();
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(32512));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassW(&windowClass) != 0;
}

// The client size from window.ini; a missing file or key gives 0.
ClientSize ReadClientSize()
{
    CIniFile windowIni;
    windowIni.Load(kWindowFile);
    return ClientSizeOf(windowIni);
}

// Created hidden and borderless, so that the pane is built over exactly the
// configured client area.
HWND CreateMainWindow(HINSTANCE instance, ClientSize size)
{
    const WindowOrigin origin = PlaceMainWindow(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                                size.width, size.height);
    return CreateWindowExW(0, kMainWindowClass, g_settings.caption, WS_POPUP, origin.x, origin.y, size.width,
                           size.height, nullptr, nullptr, instance, nullptr);
}

// Gives the window its title bar and frame and grows it around the configured
// client area, leaving its top-left corner where it is.
void AddWindowFrame(HWND window, ClientSize size)
{
    const DWORD style = (static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & kKeptStyleBits) | kFrameStyleBits;
    SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(style));
    RECT outer;
    SetRect(&outer, 0, 0, size.width, size.height);
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), GetMenu(window) != nullptr,
                       static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool IsKeyboardMessage(UINT message)
{
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

// Keys go to the page first, so that the keys it handles itself (Tab between
// fields, Ctrl+C, Ctrl+V and the like) work; a key it used is neither
// translated nor dispatched.
int RunMessageLoop()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsKeyboardMessage(message.message) && TranslateKeyForBrowserPane(&message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

int ReportFailure()
{
    MessageBoxW(nullptr, L"Error!", g_settings.caption, MB_ICONERROR);
    return 0;
}

// Ends the browser pane's hosting when window mode returns, on every path: after
// the message loop, so that the control's own queued messages are dispatched
// while OLE is still up.
struct BrowserHostingScope {
    BrowserHostingScope() = default;
    BrowserHostingScope(const BrowserHostingScope&) = delete;
    BrowserHostingScope& operator=(const BrowserHostingScope&) = delete;
    ~BrowserHostingScope() { EndBrowserHosting(); }
};

}  // namespace

int RunWindowMode(HINSTANCE instance, int showCommand, const WindowModeSettings& settings)
{
    const BrowserHostingScope hosting;
    g_settings = settings;
    if (!RegisterMainWindowClass(instance))
        return ReportFailure();
    const ClientSize size = ReadClientSize();
    const HWND window = CreateMainWindow(instance, size);
    if (!window)
        return ReportFailure();
    AddWindowFrame(window, size);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return RunMessageLoop();
}
