#include "Startup.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "AnsiToWide.h"
#include "IniFile.h"
#include "LauncherGlobals.h"
#include "WindowCaption.h"

char g_launchUrl[260];
wchar_t g_windowCaption[256] = L"Tarnhold";

namespace {

// The longest path Windows hands out, with its terminator.
const DWORD kLongestModulePath = 32768;

}  // namespace

void SetWorkingDirectoryToModule()
{
    // A path that does not fit is cut without a terminator, so the buffer grows
    // until the whole path fits.
    std::vector<char> path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size())
            break;
        if (path.size() >= kLongestModulePath)
            return;
        path.assign(path.size() * 2, '\0');
    }
    char* lastBackslash = std::strrchr(path.data(), '\\');
    if (lastBackslash == nullptr)
        return;
    // For a launcher in the root of a drive the backslash stays: "C:" alone would
    // name the current directory of that drive, not its root.
    if (lastBackslash == path.data() + 2 && path[1] == ':')
        ++lastBackslash;
    *lastBackslash = '\0';
    SetCurrentDirectoryA(path.data());
}

void ReadServerSettings(CIniFile& settings)
{
    settings.Load("ServerInfo.ini");
    const char* url = settings.GetString("default", "resourceURL", true);
    if (url != nullptr && std::strlen(url) < sizeof g_launchUrl)
        std::strcpy(g_launchUrl, url);
    const char* caption = settings.GetString("default", "ClientWndCaption", true);
    if (caption != nullptr)
        CopyWindowCaption(AnsiToWide(caption), g_windowCaption);
}
