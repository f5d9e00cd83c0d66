// Finds top-level windows, reports them and acts on them, for tests that check
// what a program shows.
//
//   winprobe.exe list
//   winprobe.exe find     --class NAME [--process PID] [--visible] [--wait MS]
//   winprobe.exe press    --class NAME --button ID [--process PID] [--visible] [--wait MS]
//   winprobe.exe close    --class NAME [--process PID] [--visible] [--wait MS]
//   winprobe.exe sysclose --class NAME [--process PID] [--visible] [--wait MS]
//   winprobe.exe activate --class NAME [--process PID] [--visible] [--wait MS]
//   winprobe.exe minimize --class NAME [--process PID] [--visible] [--wait MS]
//   winprobe.exe restore  --class NAME [--process PID] [--visible] [--wait MS]
//   winprobe.exe key      --class NAME --vk CODE [--process PID] [--visible] [--wait MS]
//
// The window is the first top-level window of class NAME (a message box is
// "#32770"), only of process PID with --process, only a visible one with
// --visible; the window probe looks again until MS milliseconds (default 0) have
// passed. It prints that window as one line of JSON (UTF-8) and then acts on it:
// press clicks the dialog button with control id ID (IDOK is 1), close posts
// WM_CLOSE, sysclose posts the system menu's Close (WM_SYSCOMMAND, SC_CLOSE),
// activate makes it the foreground window, minimize and restore post the system
// menu's Minimize and Restore (SC_MINIMIZE, SC_RESTORE), as the title bar's
// button and a click on the minimised window do; key presses and releases the
// virtual key CODE through the system's input queue (SendInput), which
// delivers it to the window that has the keyboard, for keys such as the
// keyboard's browser keys that X has no keysym for.
// list prints a JSON array of every top-level window.
//
// Exit codes: 0 done; 1 no such window (prints null); 2 bad arguments;
// 3 the window has no button with that id.
#include "FileBytes.h"
#include "TextConversion.h"
#include "ToolArguments.h"
#include "WindowDescription.h"

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

const int NoWindowExitCode = 1;
const int BadArgumentsExitCode = 2;
const int NoButtonExitCode = 3;
const DWORD PollIntervalMs = 50;

struct WindowQuery {
    std::wstring className;
    DWORD processId = 0; // 0: any process
    bool visibleOnly = false;
    HWND found = nullptr;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool Matches(HWND window, const WindowQuery& query)
{
    wchar_t className[256] = {};
    GetClassNameW(window, className, 256);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return _wcsicmp(className, query.className.c_str()) == 0 && (query.processId == 0 || processId == query.processId) &&
        (!query.visibleOnly || IsWindowVisible(window));
}

HWND FindWindowWithin(const WindowQuery& query, DWORD waitMs)
{
    ULONGLONG deadline = GetTickCount64() + waitMs;
    for (;;) {
        for (HWND window : TopLevelWindows()) {
            if (Matches(window, query))
                return window;
        }
        if (GetTickCount64() >= deadline)
            return nullptr;
        Sleep(PollIntervalMs);
    }
}

int ListWindows()
{
    std::string list;
    for (HWND window : TopLevelWindows())
        list += (list.empty() ? "" : ",\n") + DescribeWindow(window);
    WriteStdout("[" + list + "]\n");
    return 0;
}

void PressKey(WORD virtualKey)
{
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

int ActOnWindow(const std::wstring& action, HWND window, unsigned long buttonId, unsigned long virtualKey)
{
    if (action == L"press") {
        HWND button = GetDlgItem(window, static_cast<int>(buttonId));
        if (button == nullptr)
            return NoButtonExitCode;
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    } else if (action == L"close") {
        PostMessageW(window, WM_CLOSE, 0, 0);
    } else if (action == L"sysclose") {
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (action == L"activate") {
        SetForegroundWindow(window);
    } else if (action == L"minimize") {
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (action == L"restore") {
        PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    } else if (action == L"key") {
        PressKey(static_cast<WORD>(virtualKey));
    }
    return 0;
}

bool IsKnownAction(const std::wstring& action)
{
    return action == L"find" || action == L"press" || action == L"close" || action == L"sysclose" ||
        action == L"activate" || action == L"minimize" || action == L"restore" || action == L"key";
}

}

int wmain(int argc, wchar_t** argv)
{
    ToolArguments arguments;
    if (!ParseToolArguments(argc, argv, {L"--class", L"--process", L"--wait", L"--button", L"--vk"}, {L"--visible"},
                            arguments) ||
        arguments.positional.size() != 1) {
        WriteStdout("usage: winprobe.exe list | find|press|close|sysclose|activate|minimize|restore|key --class NAME [--button ID] [--vk CODE] [--process PID] [--visible] [--wait MS]\n");
        return BadArgumentsExitCode;
    }
    const std::wstring& action = arguments.positional[0];
    if (action == L"list")
        return ListWindows();

    WindowQuery query;
    unsigned long processId = 0;
    unsigned long waitMs = 0;
    unsigned long buttonId = 0;
    unsigned long virtualKey = 0;
    bool valid = IsKnownAction(action) && arguments.options.count(L"--class") &&
        (action != L"press" || arguments.options.count(L"--button")) &&
        (action != L"key" || arguments.options.count(L"--vk")) && NumberOption(arguments, L"--process", 0, processId) &&
        NumberOption(arguments, L"--wait", 0, waitMs) && NumberOption(arguments, L"--button", 0, buttonId) &&
        NumberOption(arguments, L"--vk", 0, virtualKey);
    if (!valid) {
        WriteStdout("winprobe: bad arguments\n");
        return BadArgumentsExitCode;
    }
    query.className = arguments.options[L"--class"];
    query.processId = processId;
    query.visibleOnly = arguments.options.count(L"--visible") != 0;

    HWND window = FindWindowWithin(query, waitMs);
    if (window == nullptr) {
        WriteStdout("null\n");
        return NoWindowExitCode;
    }
    WriteStdout(DescribeWindow(window) + "\n");
    return ActOnWindow(action, window, buttonId, virtualKey);
}
