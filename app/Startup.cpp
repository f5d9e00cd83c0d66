#include "Startup.h"

#include <windows.h>

#include <string>

#include "AnsiToWide.h"
#include "IniFile.h"
#include "InstallNames.h"
#include "LaunchAddress.h"
#include "LauncherGlobals.h"
#include "ModulePath.h"
#include "StartDirectory.h"
#include "WindowCaption.h"

char g_launchUrl[kLaunchAddressSize];
wchar_t g_windowCaption[kCaptionBufferSize] = L"" LAUNCHER_BUILT_IN_CAPTION;

namespace {

// Written once, by EnterLauncherDirectory.
std::wstring g_installDirectory;

}  // namespace

bool EnterLauncherDirectory()
{
    // The wide forms spell every path Windows allows; the ANSI ones turn letters
    // outside the ANSI code page into "?", and such a directory cannot be entered.
    const std::wstring modulePath = ReadWholeText(
        [](wchar_t* buffer, std::size_t size) {
            return static_cast<std::size_t>(GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(size)));
        },
        kFirstModulePathSize, kLongestModulePath);
    const StartDirectory start = EnterModuleDirectory(
        modulePath, [](const std::wstring& directory) { return SetCurrentDirectoryW(directory.c_str()) != FALSE; });
    if (start.step == StartDirectoryStep::TellAndStop) {
        MessageBoxW(nullptr, FolderNotEnteredText(start.folder).c_str(), L"Error", MB_OK);
        return false;
    }
    g_installDirectory = start.folder;
    return true;
}

const std::wstring& InstallDirectory()
{
    return g_installDirectory;
}

void ReadServerSettings(CIniFile& settings)
{
    settings.Load(kServerInfoFile);
    const char* url = settings.GetString(kServerInfoSection, kLaunchUrlKey, true);
    if (url != nullptr)
        CopyLaunchAddress(url, g_launchUrl);
    const char* caption = settings.GetString(kServerInfoSection, kCaptionKey, true);
    if (caption != nullptr)
        CopyWindowCaption(AnsiToWide(caption), g_windowCaption);
}
