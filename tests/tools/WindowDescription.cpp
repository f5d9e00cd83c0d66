#include "WindowDescription.h"

#include "TextConversion.h"

#include <vector>

namespace {

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = {};
    int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length);
}

// InternalGetWindowText reads the text without sending the window a message,
// so a busy window of another process cannot stall the window probe.
std::wstring TextOf(HWND window)
{
    wchar_t text[4096] = {};
    int length = InternalGetWindowText(window, text, 4096);
    return std::wstring(text, length);
}

RECT ClientRectOnScreen(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM children)
{
    reinterpret_cast<std::vector<HWND>*>(children)->push_back(child);
    return TRUE;
}

std::string DescribeChild(HWND child)
{
    RECT rect = {};
    GetWindowRect(child, &rect);
    return "{\"handle\":" + std::to_string(reinterpret_cast<UINT_PTR>(child)) + ",\"class\":" + JsonString(ClassOf(child)) +
        ",\"text\":" + JsonString(TextOf(child)) + ",\"id\":" + std::to_string(GetDlgCtrlID(child)) + ",\"rect\":" + JsonRect(rect) +
        ",\"style\":" + std::to_string(static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE))) +
        ",\"visible\":" + JsonBool(IsWindowVisible(child)) + "}";
}

}

std::string DescribeWindow(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    RECT windowRect = {};
    GetWindowRect(window, &windowRect);
    RECT clientRect = ClientRectOnScreen(window);

    std::vector<HWND> children;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    std::string childList;
    for (HWND child : children)
        childList += (childList.empty() ? "" : ",") + DescribeChild(child);

    return "{\"handle\":" + std::to_string(reinterpret_cast<UINT_PTR>(window)) + ",\"class\":" + JsonString(ClassOf(window)) +
        ",\"caption\":" + JsonString(TextOf(window)) + ",\"process_id\":" + std::to_string(processId) +
        ",\"window_rect\":" + JsonRect(windowRect) + ",\"client_rect\":" + JsonRect(clientRect) +
        ",\"client_size\":[" + std::to_string(clientRect.right - clientRect.left) + "," +
        std::to_string(clientRect.bottom - clientRect.top) + "]" +
        ",\"style\":" + std::to_string(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE))) +
        ",\"ex_style\":" + std::to_string(static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE))) +
        ",\"visible\":" + JsonBool(IsWindowVisible(window)) + ",\"iconic\":" + JsonBool(IsIconic(window)) +
        ",\"children\":[" + childList + "]}";
}
