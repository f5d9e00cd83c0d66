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
    return JsonObject()
        .Add("handle", reinterpret_cast<UINT_PTR>(child))
        .Add("class", JsonString(ClassOf(child)))
        .Add("text", JsonString(TextOf(child)))
        .Add("id", std::to_string(GetDlgCtrlID(child)))
        .Add("rect", JsonRect(rect))
        .Add("style", static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)))
        .Add("visible", JsonBool(IsWindowVisible(child)))
        .Text();
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
    std::string childList = "[";
    for (HWND child : children)
        childList.append(childList.size() > 1 ? "," : "").append(DescribeChild(child));
    childList.append("]");

    std::string clientSize = "[";
    clientSize.append(std::to_string(clientRect.right - clientRect.left)).append(",");
    clientSize.append(std::to_string(clientRect.bottom - clientRect.top)).append("]");

    return JsonObject()
        .Add("handle", reinterpret_cast<UINT_PTR>(window))
        .Add("class", JsonString(ClassOf(window)))
        .Add("caption", JsonString(TextOf(window)))
        .Add("process_id", processId)
        .Add("window_rect", JsonRect(windowRect))
        .Add("client_rect", JsonRect(clientRect))
        .Add("client_size", clientSize)
        .Add("style", static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)))
        .Add("ex_style", static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)))
        .Add("visible", JsonBool(IsWindowVisible(window)))
        .Add("iconic", JsonBool(IsIconic(window)))
        .Add("children", childList)
        .Text();
}
