#include "Startup.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "AnsiToWide.h"
#include "IniFile.h"
#include "LauncherGlobals.h"
#include "ModulePath.h"
#include "WindowCaption.h"

char g_launchUrl[260];
wchar_t g_windowCaption[256] = L"Tarnhold";

namespace {

// The longest path Windows hands out, with its terminator.
const std::size_t kLongestModulePath = 32768;

}  // namespace

void SetWorkingDirectoryToModule()
{
    const std::string modulePath = ReadWholeText(
        [](char* buffer, std::size_t size) {
            return static_cast<std::size_t>(GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size)));
        },
        MAX_PATH, kLongestModulePath);
    const std::string directory = DirectoryOfModule(modulePath);
    if (!directory.empty())
        SetCurrentDirectoryA(directory.c_str());
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
