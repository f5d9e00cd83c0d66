// The launcher's entry point: start-up in a fixed order, then the chosen mode.
#include <windows.h>

#include <string>
#include <vector>

#include "ComModule.h"
#include "IniFile.h"
#include "ModeChoice.h"
#include "PendingUpdate.h"
#include "Startup.h"

// The hosting layer of the browser pane needs this object before WinMain runs;
// the launcher itself never calls it.
CComModule _Module;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    SetWorkingDirectoryToModule();
    CIniFile settings;
    ReadServerSettings(settings);
    if (!InstallPendingUpdate())
        return 0;
    std::vector<std::wstring> tokens;
    return RunChosenMode(instance, showCommand, tokens);
}
