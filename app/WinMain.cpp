// The launcher's entry point: start-up in a fixed order, then the chosen mode.
#include <windows.h>

#include <string>
#include <vector>

#include "IniFile.h"
#include "ModeChoice.h"
#include "PendingUpdate.h"
#include "Startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    if (!EnterLauncherDirectory())
        return 0;
    CIniFile settings;
    ReadServerSettings(settings);
    if (!InstallPendingUpdate())
        return 0;
    std::vector<std::wstring> tokens;
    return RunChosenMode(instance, showCommand, tokens);
}
